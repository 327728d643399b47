#pragma once

// The settings page's control ids, shared by the control table, the page's
// behaviour, the routing table and the tests.

namespace tessaly::settings_id {

inline constexpr int kBackground = 272;
inline constexpr int kReturn = 273;
inline constexpr int kVersion = 274;
inline constexpr int kVersionStatus = 275;
inline constexpr int kUpdateCheck = 276;
inline constexpr int kFactoryReset = 277;
inline constexpr int kLanguageLabel = 278;
inline constexpr int kLanguage = 279;
inline constexpr int kStartupLabel = 280;
inline constexpr int kStartWithSystem = 281;
inline constexpr int kStartMinimised = 282;
inline constexpr int kStartupArea = 283;
inline constexpr int kCloseArea = 284;
inline constexpr int kCloseLabel = 285;
inline constexpr int kCloseHidesToTray = 286;
inline constexpr int kCloseExits = 287;
inline constexpr int kCopyright = 288;
inline constexpr int kWebsiteLink = 289;
inline constexpr int kFeedbackLink = 290;
inline constexpr int kQaLink = 291;

}  // namespace tessaly::settings_id
