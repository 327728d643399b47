#pragma once
// The fixed tables between Linux key codes (evdev numbering) and what a US
// keyboard under Windows reports: virtual-key code, set-1 scan code and E0
// prefix, plus the names Windows gives keys for that layout.

#include <optional>
#include <string>

#include "platform/raw_keyboard_record.h"

namespace tessaly {

struct LinuxKeyMapping {
    uint16_t vkey = 0;
    uint16_t scan = 0;
    uint16_t prefix = 0;  // 0, kRiKeyE0 or kRiKeyE1
    // The left or right code of a modifier, else vkey: what the key state keeps.
    uint16_t state_vkey = 0;
    bool operator==(const LinuxKeyMapping&) const = default;
};

// Nothing for keys a US keyboard has no place for. Keypad digits and the
// keypad point arrive as navigation keys without the prefix while Num Lock
// is off, as Windows reports them.
std::optional<LinuxKeyMapping> MapLinuxKey(int linux_code, bool num_lock);

// The record of one press or release of a mapped key.
RawKeyboardRecord MakeKeyboardRecord(const LinuxKeyMapping& key, bool pressed);

// MapVirtualKey with MAPVK_VK_TO_VSC for the US layout: the scan code
// without its prefix, 0 for codes without a key.
int VirtualKeyToScanCode(int vkey);

// GetKeyNameText for the US layout; scan_code carries 0x100 for a key with
// the E0 prefix. Printable keys are named by their (unshifted, upper-case)
// character; empty for scan codes without a key.
std::u16string KeyNameText(int scan_code);

}  // namespace tessaly
