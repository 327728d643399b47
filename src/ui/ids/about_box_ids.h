#pragma once

// The about box's control ids, shared by the box and the tests.

namespace tessaly::about_id {

inline constexpr int kClose = 30;
inline constexpr int kLogo = 32;
inline constexpr int kMouseFirmware = 33;
inline constexpr int kVersion = 34;
inline constexpr int kCopyright = 35;
inline constexpr int kReceiverFirmware = 36;

}  // namespace tessaly::about_id
