#include "buttons/raw_key_decoder.h"

#include "platform/raw_keyboard_input.h"
#include "platform/raw_keyboard_keys.h"

namespace tessaly {
namespace {

using M = ModifierState;

constexpr int kYenScanCode = 0x7D;
constexpr int kYenCode = 137;

struct FixedName {
    int code;
    std::u16string_view name;
};
constexpr FixedName kFixedNames[] = {
    {19, u"Pause"},       {44, u"Print Screen"}, {91, u"Windows"}, {92, u"RWindows"},
    {93, u"Application"}, {144, u"Num Lock"},    {160, u"Shift"},  {161, u"RShift"},
    {162, u"Ctrl"},       {163, u"RCtrl"},       {164, u"Alt"},    {165, u"RAlt"},
};

// A generic modifier and its two sides.
struct SidedModifier {
    int generic;
    int left;
    uint8_t left_bit;
    int right;
    uint8_t right_bit;
};
constexpr SidedModifier kSided[] = {
    {vk::kShift, vk::kLShift, M::kLeftShift, vk::kRShift, M::kRightShift},
    {vk::kControl, vk::kLControl, M::kLeftCtrl, vk::kRControl, M::kRightCtrl},
    {vk::kMenu, vk::kLMenu, M::kLeftAlt, vk::kRMenu, M::kRightAlt},
};

// Navigation codes a keypad key reports without the E0 prefix.
struct KeypadRow {
    int navigation;
    int keypad;
};
constexpr KeypadRow kKeypad[] = {
    {36, 103}, {38, 104}, {33, 105}, {37, 100}, {12, 101}, {39, 102},
    {35, 97},  {40, 98},  {34, 99},  {45, 96},  {46, 110},
};

bool IsRelease(uint32_t message) {
    return message == kWmKeyUp || message == kWmSysKeyUp;
}
bool IsPress(uint32_t message) {
    return message == kWmKeyDown || message == kWmSysKeyDown;
}

int ResolvePress(int code, const KeyStateSnapshot& keys, ModifierState& state) {
    for (const SidedModifier& m : kSided) {
        if (code == m.generic) {
            if (keys.IsKeyDown(m.left)) {
                state.bits |= m.left_bit;
                return m.left;
            }
            if (keys.IsKeyDown(m.right)) {
                state.bits |= m.right_bit;
                return m.right;
            }
            return code;
        }
        if (code == m.left) {
            state.bits |= m.left_bit;
            return code;
        }
        if (code == m.right) {
            state.bits |= m.right_bit;
            return code;
        }
    }
    if (code == vk::kLWin) {
        state.bits |= M::kWin;
        return !keys.IsKeyDown(vk::kLWin) && keys.IsKeyDown(vk::kRWin) ? vk::kRWin : code;
    }
    if (code == vk::kRWin) {
        state.bits |= M::kWin;
    }
    return code;
}

int ResolveRelease(int code, const KeyStateSnapshot& keys, ModifierState& state) {
    for (const SidedModifier& m : kSided) {
        if (code == m.generic) {
            if ((state.bits & m.left_bit) != 0 && !keys.IsKeyDown(m.left)) {
                state.bits &= static_cast<uint8_t>(~m.left_bit);
                return m.left;
            }
            state.bits &= static_cast<uint8_t>(~m.right_bit);
            return m.right;
        }
        if (code == m.left) {
            state.bits &= static_cast<uint8_t>(~m.left_bit);
            return code;
        }
        if (code == m.right) {
            state.bits &= static_cast<uint8_t>(~m.right_bit);
            return code;
        }
    }
    if (code == vk::kLWin) {
        const bool left = (state.bits & M::kWin) != 0 && !keys.IsKeyDown(vk::kLWin);
        state.bits &= static_cast<uint8_t>(~M::kWin);
        return left ? vk::kLWin : vk::kRWin;
    }
    if (code == vk::kRWin) {
        state.bits &= static_cast<uint8_t>(~M::kWin);
    }
    return code;
}

bool IsExtendedNavigation(int code) {
    return (code >= 33 && code <= 40) || code == 45 || code == 46;
}

int KeypadCode(int code, uint16_t flags) {
    // Flags 0 and 1 (make or break alone) mean the key came without E0.
    if (flags <= 1) {
        for (const KeypadRow& row : kKeypad) {
            if (row.navigation == code) {
                return row.keypad;
            }
        }
        return code;
    }
    if (code == vk::kReturn && (flags & kRiKeyE0) != 0) {
        return vk::kSeparator;
    }
    return code;
}

// The code and name of a resolved key as the program works with them.
void NameKey(RawKeyEvent& event, int code, uint16_t flags, uint16_t make_code) {
    event.kind = kRawKindKeyboard;
    event.name = VirtualKeyName(code);
    event.code = KeypadCode(code, flags);
    if (event.code == vk::kSeparator) {
        event.name = u"Num Enter";
    }
    if (event.code == 255 && make_code == kYenScanCode) {
        event.code = kYenCode;
        event.name = u"\uFFE5";
    }
}

}  // namespace

ModifierState& ProcessModifierState() {
    static ModifierState state;
    return state;
}

std::u16string VirtualKeyName(int code) {
    for (const FixedName& fixed : kFixedNames) {
        if (fixed.code == code) {
            return std::u16string(fixed.name);
        }
    }
    int scan = VirtualKeyToScanCode(code);
    if (IsExtendedNavigation(code)) {
        scan += 0x100;
    }
    return KeyNameText(scan);
}

RawKeyEvent DecodeRawInput(const RawInputRecord& input, ModifierState& state) {
    RawKeyEvent event;
    if (input.type == RawInputType::kHid) {
        event.kind = kRawKindHid;
        return event;
    }
    if (input.type != RawInputType::kKeyboard) {
        return event;
    }
    const RawKeyboardRecord& key = input.keyboard;
    int code = key.vkey;
    if (IsRelease(key.message)) {
        event.released = 1;
        code = ResolveRelease(code, input.keys, state);
    } else if (IsPress(key.message)) {
        code = ResolvePress(code, input.keys, state);
    }
    NameKey(event, code, key.flags, key.make_code);
    return event;
}

RawKeyEvent DecodeKeyPress(const LinuxKeyMapping& key) {
    // Alone, a modifier resolves to the side the key state holds.
    RawKeyEvent event;
    NameKey(event, key.state_vkey, key.prefix, key.scan);
    return event;
}

RawKeyEvent DecodeRawInput(intptr_t handle) {
    const std::optional<RawInputRecord> input = ReadRawInput(handle);
    if (!input) {
        return {};
    }
    return DecodeRawInput(*input, ProcessModifierState());
}

}  // namespace tessaly
