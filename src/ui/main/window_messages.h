#pragma once
// The main window's own window messages, posted to it by the pages and the
// worker.

#include <cstdint>

namespace tessaly::ui {

inline constexpr uint32_t kWmInput = 0x00FF;
inline constexpr uint32_t kWmDeviceChange = 0x0219;
inline constexpr uint32_t kWmExitRequest = 1691;
inline constexpr intptr_t kExitRequestCode = 610;
inline constexpr uint32_t kWmUpdateAvailable = 1692;
inline constexpr uint32_t kWmDownloadProgress = 1694;
inline constexpr uint32_t kWmProfile = 1705;
inline constexpr uint32_t kWmMacroMenu1 = 1709;
inline constexpr uint32_t kWmMacroMenu2 = 1710;
inline constexpr uint32_t kWmMacroMenu3 = 1711;
inline constexpr uint32_t kWmApplyLanguage = 2022;

}  // namespace tessaly::ui
