#pragma once
// Decoding one raw input record into the key the program works with: the
// virtual-key code with left and right modifiers and keypad keys told
// apart, and the key's display name.

#include <cstdint>
#include <string>

#include "platform/raw_keyboard_keys.h"
#include "platform/raw_keyboard_record.h"

namespace tessaly {

inline constexpr int kRawKindKeyboard = 2;
inline constexpr int kRawKindHid = 3;

struct RawKeyEvent {
    int kind = 0;  // kRawKindKeyboard, kRawKindHid, 0 for mouse input
    int released = 0;
    int code = 0;
    std::u16string name;  // consumers act only on events with a name
    bool operator==(const RawKeyEvent&) const = default;
};

// Which physical modifiers were seen pressed, to tell the left key from the
// right one when a generic release arrives.
struct ModifierState {
    static constexpr uint8_t kLeftCtrl = 0x01;
    static constexpr uint8_t kLeftShift = 0x02;
    static constexpr uint8_t kLeftAlt = 0x04;
    static constexpr uint8_t kWin = 0x08;
    static constexpr uint8_t kRightCtrl = 0x10;
    static constexpr uint8_t kRightShift = 0x20;
    static constexpr uint8_t kRightAlt = 0x40;
    uint8_t bits = 0;
};

// The process-wide state; it starts at 0 and is never reset.
ModifierState& ProcessModifierState();

RawKeyEvent DecodeRawInput(const RawInputRecord& input, ModifierState& state);
// The record behind a WM_INPUT handle, with the process-wide state; an
// empty event when the handle holds nothing.
RawKeyEvent DecodeRawInput(intptr_t handle);

// What DecodeRawInput gives for a press of the key with nothing else held:
// what the key dialog captures for it.
RawKeyEvent DecodeKeyPress(const LinuxKeyMapping& key);

// The display name of a virtual-key code as step 4 of decoding gives it:
// the fixed names, else the layout's name of its scan code.
std::u16string VirtualKeyName(int code);

}  // namespace tessaly
