#pragma once
// The numbers callers pass to windows: styles, show commands, z-order and
// messages. The window tables carry them as numbers (0x96000000, 0x80, 5),
// so these names keep exactly those values.

#include <cstdint>

namespace tessaly::DUI {

inline constexpr uint32_t kWsPopup = 0x80000000;
inline constexpr uint32_t kWsVisible = 0x10000000;
inline constexpr uint32_t kWsClipSiblings = 0x04000000;
inline constexpr uint32_t kWsClipChildren = 0x02000000;
inline constexpr uint32_t kDialogStyle = kWsPopup | kWsVisible | kWsClipSiblings | kWsClipChildren;
inline constexpr uint32_t kWsExToolWindow = 0x80;

// ShowWindow commands: 0 hides, every other value shows.
inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShow = 5;

// SetWindowPos.
inline constexpr int kHwndTop = 0;
inline constexpr int kHwndTopMost = -1;
inline constexpr uint32_t kSwpNoSize = 0x0001;
inline constexpr uint32_t kSwpNoMove = 0x0002;
inline constexpr uint32_t kSwpShowWindow = 0x0040;

// Window messages the toolkit itself interprets.
inline constexpr uint32_t kWmClose = 0x0010;
inline constexpr uint32_t kWmCommand = 0x0111;

// Control event codes the toolkit produces itself.
inline constexpr int kEventActivated = 2;
inline constexpr int kEventKillFocus = 29;
inline constexpr int kEventSetFocus = 30;

// Text alignment flags (combinable): horizontal 0, 1, 2 and vertical centring.
inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignCenter = 1;
inline constexpr int kAlignRight = 2;
inline constexpr int kAlignVCenter = 4;

}  // namespace tessaly::DUI
