#pragma once
// What the description file of the selected model sets. Every flag starts
// true; an element absent from the file leaves the previous model's value.

#include <array>
#include <cstdint>
#include <string>

namespace tessaly {

inline constexpr int kLightingEffectCount = 6;
// What a firmware image may hold when the description file does not say:
// all that the upgrade's 2-byte block numbers can count.
inline constexpr uint32_t kDefaultFlashBytes = 65536 * 16;

struct DeviceOptions {
    // Relative to the skin folder: "device\<mouse_img>".
    std::u16string mouse_picture;
    bool lighting_page = true;
    bool show_dpi_tips = true;
    bool show_save_tips = true;
    bool show_lift_off = true;
    bool show_sensor = true;
    std::u16string firmware_address;
    // The firmware's flash size in bytes ("flash_size" of the firmware
    // element); unlike the flags, a file without it means the default.
    uint32_t flash_bytes = kDefaultFlashBytes;
    // Indexed by effect number: light_1 … light_5 are effects 1 … 5,
    // light_6 is effect 0 (lights off).
    std::array<bool, kLightingEffectCount> lighting_effects{true, true, true, true, true, true};

    bool EffectEnabled(int effect) const {
        return effect >= 0 && effect < kLightingEffectCount && lighting_effects[effect];
    }
    bool operator==(const DeviceOptions&) const = default;
};

}  // namespace tessaly
