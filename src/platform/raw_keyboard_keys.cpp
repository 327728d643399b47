#include "platform/raw_keyboard_keys.h"

#include <linux/input-event-codes.h>

#include <array>
#include <span>

namespace tessaly {
namespace {

struct KeyRow {
    int linux_code;
    uint16_t vkey;
    uint16_t scan;
    uint16_t prefix;
    uint16_t state_vkey;  // 0: vkey
    // Keypad keys: the navigation code they report while Num Lock is off.
    uint16_t num_lock_off_vkey;
};

constexpr uint16_t kE0 = kRiKeyE0;
constexpr uint16_t kE1 = kRiKeyE1;

// Evdev codes 1 to 88 are the set-1 scan codes of the same keys.
constexpr KeyRow kKeys[] = {
    {KEY_ESC, vk::kEscape, 0x01, 0, 0, 0},
    {KEY_1, '1', 0x02, 0, 0, 0},
    {KEY_2, '2', 0x03, 0, 0, 0},
    {KEY_3, '3', 0x04, 0, 0, 0},
    {KEY_4, '4', 0x05, 0, 0, 0},
    {KEY_5, '5', 0x06, 0, 0, 0},
    {KEY_6, '6', 0x07, 0, 0, 0},
    {KEY_7, '7', 0x08, 0, 0, 0},
    {KEY_8, '8', 0x09, 0, 0, 0},
    {KEY_9, '9', 0x0A, 0, 0, 0},
    {KEY_0, '0', 0x0B, 0, 0, 0},
    {KEY_MINUS, 189, 0x0C, 0, 0, 0},
    {KEY_EQUAL, 187, 0x0D, 0, 0, 0},
    {KEY_BACKSPACE, vk::kBack, 0x0E, 0, 0, 0},
    {KEY_TAB, vk::kTab, 0x0F, 0, 0, 0},
    {KEY_Q, 'Q', 0x10, 0, 0, 0},
    {KEY_W, 'W', 0x11, 0, 0, 0},
    {KEY_E, 'E', 0x12, 0, 0, 0},
    {KEY_R, 'R', 0x13, 0, 0, 0},
    {KEY_T, 'T', 0x14, 0, 0, 0},
    {KEY_Y, 'Y', 0x15, 0, 0, 0},
    {KEY_U, 'U', 0x16, 0, 0, 0},
    {KEY_I, 'I', 0x17, 0, 0, 0},
    {KEY_O, 'O', 0x18, 0, 0, 0},
    {KEY_P, 'P', 0x19, 0, 0, 0},
    {KEY_LEFTBRACE, 219, 0x1A, 0, 0, 0},
    {KEY_RIGHTBRACE, 221, 0x1B, 0, 0, 0},
    {KEY_ENTER, vk::kReturn, 0x1C, 0, 0, 0},
    {KEY_LEFTCTRL, vk::kControl, 0x1D, 0, vk::kLControl, 0},
    {KEY_A, 'A', 0x1E, 0, 0, 0},
    {KEY_S, 'S', 0x1F, 0, 0, 0},
    {KEY_D, 'D', 0x20, 0, 0, 0},
    {KEY_F, 'F', 0x21, 0, 0, 0},
    {KEY_G, 'G', 0x22, 0, 0, 0},
    {KEY_H, 'H', 0x23, 0, 0, 0},
    {KEY_J, 'J', 0x24, 0, 0, 0},
    {KEY_K, 'K', 0x25, 0, 0, 0},
    {KEY_L, 'L', 0x26, 0, 0, 0},
    {KEY_SEMICOLON, 186, 0x27, 0, 0, 0},
    {KEY_APOSTROPHE, 222, 0x28, 0, 0, 0},
    {KEY_GRAVE, 192, 0x29, 0, 0, 0},
    {KEY_LEFTSHIFT, vk::kShift, 0x2A, 0, vk::kLShift, 0},
    {KEY_BACKSLASH, 220, 0x2B, 0, 0, 0},
    {KEY_Z, 'Z', 0x2C, 0, 0, 0},
    {KEY_X, 'X', 0x2D, 0, 0, 0},
    {KEY_C, 'C', 0x2E, 0, 0, 0},
    {KEY_V, 'V', 0x2F, 0, 0, 0},
    {KEY_B, 'B', 0x30, 0, 0, 0},
    {KEY_N, 'N', 0x31, 0, 0, 0},
    {KEY_M, 'M', 0x32, 0, 0, 0},
    {KEY_COMMA, 188, 0x33, 0, 0, 0},
    {KEY_DOT, 190, 0x34, 0, 0, 0},
    {KEY_SLASH, 191, 0x35, 0, 0, 0},
    {KEY_RIGHTSHIFT, vk::kShift, 0x36, 0, vk::kRShift, 0},
    {KEY_KPASTERISK, vk::kMultiply, 0x37, 0, 0, 0},
    {KEY_LEFTALT, vk::kMenu, 0x38, 0, vk::kLMenu, 0},
    {KEY_SPACE, vk::kSpace, 0x39, 0, 0, 0},
    {KEY_CAPSLOCK, vk::kCapital, 0x3A, 0, 0, 0},
    {KEY_F1, vk::kF1, 0x3B, 0, 0, 0},
    {KEY_F2, vk::kF1 + 1, 0x3C, 0, 0, 0},
    {KEY_F3, vk::kF1 + 2, 0x3D, 0, 0, 0},
    {KEY_F4, vk::kF1 + 3, 0x3E, 0, 0, 0},
    {KEY_F5, vk::kF1 + 4, 0x3F, 0, 0, 0},
    {KEY_F6, vk::kF1 + 5, 0x40, 0, 0, 0},
    {KEY_F7, vk::kF1 + 6, 0x41, 0, 0, 0},
    {KEY_F8, vk::kF1 + 7, 0x42, 0, 0, 0},
    {KEY_F9, vk::kF1 + 8, 0x43, 0, 0, 0},
    {KEY_F10, vk::kF1 + 9, 0x44, 0, 0, 0},
    {KEY_NUMLOCK, vk::kNumLock, 0x45, 0, 0, 0},
    {KEY_SCROLLLOCK, vk::kScroll, 0x46, 0, 0, 0},
    {KEY_KP7, 103, 0x47, 0, 0, vk::kHome},
    {KEY_KP8, 104, 0x48, 0, 0, vk::kUp},
    {KEY_KP9, 105, 0x49, 0, 0, vk::kPrior},
    {KEY_KPMINUS, vk::kSubtract, 0x4A, 0, 0, 0},
    {KEY_KP4, 100, 0x4B, 0, 0, vk::kLeft},
    {KEY_KP5, 101, 0x4C, 0, 0, vk::kClear},
    {KEY_KP6, 102, 0x4D, 0, 0, vk::kRight},
    {KEY_KPPLUS, vk::kAdd, 0x4E, 0, 0, 0},
    {KEY_KP1, 97, 0x4F, 0, 0, vk::kEnd},
    {KEY_KP2, 98, 0x50, 0, 0, vk::kDown},
    {KEY_KP3, 99, 0x51, 0, 0, vk::kNext},
    {KEY_KP0, vk::kNumpad0, 0x52, 0, 0, vk::kInsert},
    {KEY_KPDOT, vk::kDecimal, 0x53, 0, 0, vk::kDelete},
    {KEY_102ND, vk::kOem102, 0x56, 0, 0, 0},
    {KEY_F11, vk::kF1 + 10, 0x57, 0, 0, 0},
    {KEY_F12, vk::kF1 + 11, 0x58, 0, 0, 0},
    {KEY_KPENTER, vk::kReturn, 0x1C, kE0, 0, 0},
    {KEY_RIGHTCTRL, vk::kControl, 0x1D, kE0, vk::kRControl, 0},
    {KEY_KPSLASH, vk::kDivide, 0x35, kE0, 0, 0},
    {KEY_SYSRQ, vk::kSnapshot, 0x37, kE0, 0, 0},
    {KEY_RIGHTALT, vk::kMenu, 0x38, kE0, vk::kRMenu, 0},
    {KEY_HOME, vk::kHome, 0x47, kE0, 0, 0},
    {KEY_UP, vk::kUp, 0x48, kE0, 0, 0},
    {KEY_PAGEUP, vk::kPrior, 0x49, kE0, 0, 0},
    {KEY_LEFT, vk::kLeft, 0x4B, kE0, 0, 0},
    {KEY_RIGHT, vk::kRight, 0x4D, kE0, 0, 0},
    {KEY_END, vk::kEnd, 0x4F, kE0, 0, 0},
    {KEY_DOWN, vk::kDown, 0x50, kE0, 0, 0},
    {KEY_PAGEDOWN, vk::kNext, 0x51, kE0, 0, 0},
    {KEY_INSERT, vk::kInsert, 0x52, kE0, 0, 0},
    {KEY_DELETE, vk::kDelete, 0x53, kE0, 0, 0},
    {KEY_PAUSE, vk::kPause, 0x1D, kE1, 0, 0},
    {KEY_YEN, 255, 0x7D, 0, 0, 0},
    {KEY_LEFTMETA, vk::kLWin, 0x5B, kE0, 0, 0},
    {KEY_RIGHTMETA, vk::kRWin, 0x5C, kE0, 0, 0},
    {KEY_COMPOSE, vk::kApps, 0x5D, kE0, 0, 0},
    {KEY_F13, vk::kF1 + 12, 0x64, 0, 0, 0},
    {KEY_F14, vk::kF1 + 13, 0x65, 0, 0, 0},
    {KEY_F15, vk::kF1 + 14, 0x66, 0, 0, 0},
    {KEY_F16, vk::kF1 + 15, 0x67, 0, 0, 0},
    {KEY_F17, vk::kF1 + 16, 0x68, 0, 0, 0},
    {KEY_F18, vk::kF1 + 17, 0x69, 0, 0, 0},
    {KEY_F19, vk::kF1 + 18, 0x6A, 0, 0, 0},
    {KEY_F20, vk::kF1 + 19, 0x6B, 0, 0, 0},
    {KEY_F21, vk::kF1 + 20, 0x6C, 0, 0, 0},
    {KEY_F22, vk::kF1 + 21, 0x6D, 0, 0, 0},
    {KEY_F23, vk::kF1 + 22, 0x6E, 0, 0, 0},
    {KEY_F24, vk::kF1 + 23, 0x76, 0, 0, 0},
};

// Virtual-key codes no key reports as such (the decoder's left and right
// codes, the keypad Enter), with the scan code MapVirtualKey gives them.
struct ScanRow {
    int vkey;
    int scan;
};
constexpr ScanRow kExtraScanCodes[] = {
    {vk::kLShift, 0x2A},   {vk::kRShift, 0x36}, {vk::kLControl, 0x1D},
    {vk::kRControl, 0x1D}, {vk::kLMenu, 0x38},  {vk::kRMenu, 0x38},
};

struct NameRow {
    int scan;  // 0x100 for the E0 prefix
    std::u16string_view name;
};

// The names of the US layout's keys without a character.
constexpr NameRow kNames[] = {
    {0x01, u"Esc"},
    {0x0E, u"Backspace"},
    {0x0F, u"Tab"},
    {0x1C, u"Enter"},
    {0x1D, u"Ctrl"},
    {0x2A, u"Shift"},
    {0x36, u"Right Shift"},
    {0x37, u"Num *"},
    {0x38, u"Alt"},
    {0x39, u"Space"},
    {0x3A, u"Caps Lock"},
    {0x3B, u"F1"},
    {0x3C, u"F2"},
    {0x3D, u"F3"},
    {0x3E, u"F4"},
    {0x3F, u"F5"},
    {0x40, u"F6"},
    {0x41, u"F7"},
    {0x42, u"F8"},
    {0x43, u"F9"},
    {0x44, u"F10"},
    {0x45, u"Pause"},
    {0x46, u"Scroll Lock"},
    {0x47, u"Num 7"},
    {0x48, u"Num 8"},
    {0x49, u"Num 9"},
    {0x4A, u"Num -"},
    {0x4B, u"Num 4"},
    {0x4C, u"Num 5"},
    {0x4D, u"Num 6"},
    {0x4E, u"Num +"},
    {0x4F, u"Num 1"},
    {0x50, u"Num 2"},
    {0x51, u"Num 3"},
    {0x52, u"Num 0"},
    {0x53, u"Num Del"},
    {0x54, u"Sys Req"},
    {0x57, u"F11"},
    {0x58, u"F12"},
    {0x64, u"F13"},
    {0x65, u"F14"},
    {0x66, u"F15"},
    {0x67, u"F16"},
    {0x68, u"F17"},
    {0x69, u"F18"},
    {0x6A, u"F19"},
    {0x6B, u"F20"},
    {0x6C, u"F21"},
    {0x6D, u"F22"},
    {0x6E, u"F23"},
    {0x76, u"F24"},
    {0x11C, u"Num Enter"},
    {0x11D, u"Right Ctrl"},
    {0x135, u"Num /"},
    {0x137, u"Prnt Scrn"},
    {0x138, u"Right Alt"},
    {0x145, u"Num Lock"},
    {0x146, u"Break"},
    {0x147, u"Home"},
    {0x148, u"Up"},
    {0x149, u"Page Up"},
    {0x14B, u"Left"},
    {0x14D, u"Right"},
    {0x14F, u"End"},
    {0x150, u"Down"},
    {0x151, u"Page Down"},
    {0x152, u"Insert"},
    {0x153, u"Delete"},
    {0x15B, u"Left Windows"},
    {0x15C, u"Right Windows"},
    {0x15D, u"Application"},
};

// The unshifted characters of the US layout's OEM keys, by scan code.
constexpr NameRow kCharacters[] = {
    {0x0C, u"-"}, {0x0D, u"="},  {0x1A, u"["}, {0x1B, u"]"}, {0x27, u";"}, {0x28, u"'"},
    {0x29, u"`"}, {0x2B, u"\\"}, {0x33, u","}, {0x34, u"."}, {0x35, u"/"}, {0x56, u"\\"},
};

const KeyRow* FindLinuxKey(int linux_code) {
    for (const KeyRow& row : kKeys) {
        if (row.linux_code == linux_code) {
            return &row;
        }
    }
    return nullptr;
}

std::optional<std::u16string_view> FindName(std::span<const NameRow> rows, int scan) {
    for (const NameRow& row : rows) {
        if (row.scan == scan) {
            return row.name;
        }
    }
    return std::nullopt;
}

// Letters and digits are named by the character their key types.
std::optional<char16_t> AlphanumericOf(int scan) {
    for (const KeyRow& row : kKeys) {
        if (row.prefix == 0 && row.scan == scan &&
            ((row.vkey >= '0' && row.vkey <= '9') || (row.vkey >= 'A' && row.vkey <= 'Z'))) {
            return static_cast<char16_t>(row.vkey);
        }
    }
    return std::nullopt;
}

}  // namespace

void KeyStateSnapshot::Set(int vkey, bool down) {
    if (vkey >= 0 && vkey < static_cast<int>(down_.size())) {
        down_.set(static_cast<size_t>(vkey), down);
    }
}

bool KeyStateSnapshot::IsKeyDown(int vkey) const {
    switch (vkey) {
        case vk::kShift:
            return down_.test(vk::kLShift) || down_.test(vk::kRShift);
        case vk::kControl:
            return down_.test(vk::kLControl) || down_.test(vk::kRControl);
        case vk::kMenu:
            return down_.test(vk::kLMenu) || down_.test(vk::kRMenu);
        default:
            return vkey >= 0 && vkey < static_cast<int>(down_.size()) &&
                   down_.test(static_cast<size_t>(vkey));
    }
}

std::optional<LinuxKeyMapping> MapLinuxKey(int linux_code, bool num_lock) {
    const KeyRow* row = FindLinuxKey(linux_code);
    if (row == nullptr) {
        return std::nullopt;
    }
    LinuxKeyMapping key{row->vkey, row->scan, row->prefix, row->vkey};
    if (row->state_vkey != 0) {
        key.state_vkey = row->state_vkey;
    }
    if (!num_lock && row->num_lock_off_vkey != 0) {
        key.vkey = key.state_vkey = row->num_lock_off_vkey;
    }
    return key;
}

RawKeyboardRecord MakeKeyboardRecord(const LinuxKeyMapping& key, bool pressed) {
    const bool alt = key.vkey == vk::kMenu;
    RawKeyboardRecord record;
    record.make_code = key.scan;
    record.flags = static_cast<uint16_t>(key.prefix | (pressed ? 0 : kRiKeyBreak));
    record.vkey = key.vkey;
    if (pressed) {
        record.message = alt ? kWmSysKeyDown : kWmKeyDown;
    } else {
        record.message = alt ? kWmSysKeyUp : kWmKeyUp;
    }
    return record;
}

int VirtualKeyToScanCode(int vkey) {
    for (const ScanRow& row : kExtraScanCodes) {
        if (row.vkey == vkey) {
            return row.scan;
        }
    }
    for (const KeyRow& row : kKeys) {
        if (row.vkey == vkey || row.num_lock_off_vkey == vkey) {
            return row.scan;
        }
    }
    return 0;
}

std::u16string KeyNameText(int scan_code) {
    if (auto name = FindName(kNames, scan_code)) {
        return std::u16string(*name);
    }
    const int plain = scan_code & 0xFF;
    if (auto name = FindName(kCharacters, plain)) {
        return std::u16string(*name);
    }
    if (auto character = AlphanumericOf(plain)) {
        return std::u16string(1, *character);
    }
    // A prefix the layout does not name: the key's plain name.
    if (scan_code != plain) {
        if (auto name = FindName(kNames, plain)) {
            return std::u16string(*name);
        }
    }
    return {};
}

}  // namespace tessaly
