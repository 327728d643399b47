#pragma once

// The main window's control ids: the frame (strips, top buttons, status), the
// tab column and its pages, and the home page. Shared by the window's
// builder, its behaviour, the routing table and the tests.

namespace tessaly::main_id {

inline constexpr int kBackground = 30;
inline constexpr int kMousePicture = 31;
inline constexpr int kCaptionStrip = 32;
inline constexpr int kBottomStrip = 33;
inline constexpr int kLogo = 34;
inline constexpr int kTitle = 35;
inline constexpr int kVersion = 36;
inline constexpr int kWebsite = 37;
inline constexpr int kClose = 38;
inline constexpr int kMinimise = 39;
inline constexpr int kSettings = 40;
inline constexpr int kMaximise = 41;  // built, never placed
inline constexpr int kBattery = 43;
inline constexpr int kDeviceState = 44;
inline constexpr int kProfile = 45;
inline constexpr int kHiddenFactoryReset = 46;  // built, never placed
inline constexpr int kTabBackground = 47;
inline constexpr int kTabs = 48;

// The tabs' positions in the tab column (its item ids are these plus one,
// the information tab's 7).
inline constexpr int kHomeTab = 0;
inline constexpr int kButtonTab = 1;
inline constexpr int kPerformanceTab = 2;
inline constexpr int kMacroTab = 3;
inline constexpr int kLightingTab = 4;
inline constexpr int kInformationTab = 5;

// The home page's controls.
inline constexpr int kDeviceList = 57;
inline constexpr int kNoticePanel = 58;
inline constexpr int kNotice = 59;
inline constexpr int kPreviousDevice = 60;  // built, never placed
inline constexpr int kNextDevice = 61;      // built, never placed

}  // namespace tessaly::main_id

namespace tessaly::ui {

// The pages (tab layouts) of the main window; the custom key page lies
// inside the button page.
inline constexpr int kHomePageId = 49;
inline constexpr int kButtonPageId = 50;
inline constexpr int kCustomKeyPageId = 51;
inline constexpr int kPerformancePageId = 52;
inline constexpr int kMacroPageId = 53;
inline constexpr int kLightingPageId = 54;
inline constexpr int kInformationPageId = 55;
inline constexpr int kSettingsPageId = 56;

}  // namespace tessaly::ui
