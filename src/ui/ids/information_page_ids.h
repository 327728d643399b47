#pragma once

// The device information page's control ids: a firmware row for the mouse
// and one for the receiver, and a third row that is built but never placed.
// Several ids belong to two controls of different classes, and the lighting
// page uses the first three too.

namespace tessaly::information_id {

inline constexpr int kBackground = 192;
inline constexpr int kTitleBand = 193;
inline constexpr int kTitle = 194;

// Per row: the box (and its round marker), the name, the status text and
// the button.
inline constexpr int kMouseRow = 237;
inline constexpr int kMouseName = 243;
inline constexpr int kMouseStatus = 246;
inline constexpr int kMouseFirmwareCheck = 248;
inline constexpr int kReceiverRow = 238;
inline constexpr int kReceiverName = 244;
inline constexpr int kReceiverStatus = 247;
inline constexpr int kReceiverInfo = 249;
inline constexpr int kUnplacedRow = 239;
inline constexpr int kUnplacedMarker = 242;
inline constexpr int kUnplacedName = 245;
inline constexpr int kUnplacedFactoryReset = 250;

}  // namespace tessaly::information_id
