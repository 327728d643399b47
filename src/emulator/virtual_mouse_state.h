#pragma once
// What the virtual mouse remembers: its identity, battery and link, and each
// setting as the payload of the write command that set it, since every read
// answers that payload back in the same places (R[5 + j] of the write is
// A[4 + j] of the read).

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tessaly::emulator {

// The firmware release of the virtual mouse: its cable and receiver report it
// as bcdDevice and the receiver answers it to 0x20, so every view shows 1.05.
inline constexpr uint16_t kFirmwareRelease = 0x0105;

struct MouseIdentity {
    std::array<uint8_t, 4> device_id{'T', 'M', '0', '1'};
    uint8_t sensor_code = 0x01;
    uint8_t report_flags = 0x40;  // 0x10, 0x20 or 0x40
    std::array<uint8_t, 2> receiver_version{kFirmwareRelease >> 8,
                                            kFirmwareRelease & 0xFF};  // 0x20: "105"
};

// A setting's payload; at most the 27 payload bytes of a request.
using SettingBytes = std::vector<uint8_t>;

struct VirtualMouseState {
    MouseIdentity identity;
    uint8_t battery_level = 100;  // 0 … 100; A[13], N[2]
    bool charging = false;        // A[12], N[3]
    bool mouse_on = true;         // the mouse behind the receiver
    // Keyed by the write command's code (0x02 … 0x07, 0x09).
    std::map<uint8_t, SettingBytes> settings;
    // Macro images by button: the button byte, then four bytes per event.
    std::map<uint8_t, std::vector<uint8_t>> macros;
    // What 0x0F restores: the model's factory values.
    std::map<uint8_t, SettingBytes> factory_settings;

    // The built-in factory values of every setting.
    static std::map<uint8_t, SettingBytes> FactorySettings();
    // A mouse holding `factory` (the built-in values when empty).
    static VirtualMouseState Factory(std::map<uint8_t, SettingBytes> factory = {});

    // DPI stage byte (index × 16 + count) of the 0x03 setting.
    uint8_t DpiStageByte() const;
    void SetDpiStageByte(uint8_t value);
};

// A state file holds a few lines per setting and macro; anything larger is
// not one (a device, say, that never ends).
inline constexpr size_t kMaxStateFileBytes = 1 << 20;

// Why `path` cannot be the state file: it exists but is not a regular file
// (a FIFO would block, /dev/zero never ends), or it is over
// kMaxStateFileBytes. Empty when it can be read, or does not exist yet.
std::string StateFileProblem(const std::string& path);

// The state file (the identity comes from the model, not from it): one "key=hex bytes" line per
// value. Unknown or malformed lines are skipped, so a damaged file gives factory values for what it
// lost.
bool SaveMouseState(const VirtualMouseState& state, const std::string& path);
// What the file lacks is taken from `factory` (the built-in values when empty);
// a file StateFileProblem refuses gives factory values and is not read.
VirtualMouseState LoadMouseState(const std::string& path,
                                 std::map<uint8_t, SettingBytes> factory = {});

}  // namespace tessaly::emulator
