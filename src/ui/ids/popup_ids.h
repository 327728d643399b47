#pragma once

// The control ids of the small windows: the colour palette, the DPI notice,
// the wait notice and the two update windows. Shared by each window and the
// tests.

namespace tessaly::palette_id {

inline constexpr int kClose = 31;
inline constexpr int kPalette = 32;
inline constexpr int kPreview = 33;
inline constexpr int kFirstLabel = 34;  // red, green, blue
inline constexpr int kFirstField = 37;  // red, green, blue
inline constexpr int kFirstPreset = 40;
inline constexpr int kOk = 48;

}  // namespace tessaly::palette_id

namespace tessaly::dpi_notice_id {

inline constexpr int kClose = 30;
inline constexpr int kValue = 31;
inline constexpr int kUnit = 32;
inline constexpr int kProgress = 33;

}  // namespace tessaly::dpi_notice_id

namespace tessaly::save_wait_id {

inline constexpr int kLogo = 31;
inline constexpr int kText = 32;
inline constexpr int kProgress = 33;

}  // namespace tessaly::save_wait_id

namespace tessaly::update_tip_id {

inline constexpr int kText = 31;  // the notice and the status share it
inline constexpr int kProgress = 32;

}  // namespace tessaly::update_tip_id

namespace tessaly::update_progress_id {

inline constexpr int kStatus = 31;
inline constexpr int kProgress = 32;

}  // namespace tessaly::update_progress_id
