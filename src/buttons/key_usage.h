#pragma once
// Keys are virtual-key codes inside the program and HID keyboard usages
// with modifier bits only in what the mouse receives.

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

// The bits of the key page's modifier check boxes (the HID modifier byte).
inline constexpr int kModifierCtrl = 0x01;
inline constexpr int kModifierShift = 0x02;
inline constexpr int kModifierAlt = 0x04;
inline constexpr int kModifierWin = 0x08;

// The HID keyboard usage of a virtual-key code; 0 for codes without one.
int VirtualKeyToUsage(int code);

// The HID modifier bit of a modifier key given as virtual-key code or as
// usage 0xE0 to 0xE7; 0 for 0; any other code is returned as it is.
int ModifierBit(int code);

// "Shift+ Ctrl + A": the modifiers in the order Shift, Ctrl, Win, Alt, then
// the key name.
std::u16string FormatKeyCombination(bool shift, bool ctrl, bool win, bool alt,
                                    std::u16string_view key_name);

}  // namespace tessaly
