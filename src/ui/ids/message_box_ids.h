#pragma once

// The message box's control ids, shared by the box and the tests.

namespace tessaly::message_box_id {

inline constexpr int kTitle = 31;
inline constexpr int kMessage = 32;
inline constexpr int kFirstButton = 33;
inline constexpr int kSecondButton = 34;

}  // namespace tessaly::message_box_id
