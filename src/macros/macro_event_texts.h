#pragma once
// The texts the event list shows for each kind of macro event, and the event
// type and mouse-button numbers stored with them.

#include <string>
#include <string_view>

namespace tessaly {

inline constexpr int kEventDelay = 1;
inline constexpr int kEventKeyPress = 2;
inline constexpr int kEventKeyRelease = 3;
inline constexpr int kEventMousePress = 4;
inline constexpr int kEventMouseRelease = 5;

inline constexpr int kMouseButtonLeft = 0x01;
inline constexpr int kMouseButtonRight = 0x02;
inline constexpr int kMouseButtonMiddle = 0x04;
inline constexpr int kMouseButtonBack = 0x08;
inline constexpr int kMouseButtonForward = 0x10;

// "%d ms".
std::u16string DelayText(int milliseconds);
// "↓  name" for a press, "↑  name" for a release.
std::u16string KeyEventText(bool press, std::u16string_view key_name);
// The same with "LB", "RB", "MB", "Backward" or "Forward"; an unknown bit
// gives the arrow alone.
std::u16string MouseEventText(bool press, int button_bit);

}  // namespace tessaly
