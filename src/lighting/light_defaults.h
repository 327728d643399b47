#pragma once
// The lighting effects a model may offer and the row each gets in a profile
// that has none yet. Colours are 0x00BBGGRR.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "catalogue/device_options.h"

namespace tessaly {

// Bits of a row's config_func: the parameter groups its effect has.
inline constexpr uint32_t kLightBrightness = 0x1;
inline constexpr uint32_t kLightSpeed = 0x2;
inline constexpr uint32_t kLightSingleColour = 0x10;
inline constexpr uint32_t kLightColourSlots = 0x800;

inline constexpr int kFirstLightEffect = 1;

struct DefaultLight {
    int mode;
    std::u16string_view name;
    int name_text;  // stored in the reserved column
    int config_func;
};

// In the order rows are inserted: effects 1 … 5, then 0 (off).
std::span<const DefaultLight> DefaultLights();

inline constexpr std::array<int, 7> kDefaultLightColours{0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00,
                                                         0x00FFFF, 0xFF00FF, 0xFFFFFF};

// When the profile has no lighting row: one per effect the model offers,
// then effect 1 is made active (which leaves none active without its row).
// True when rows were created.
bool CreateDefaultLights(int profile, const DeviceOptions& options);

}  // namespace tessaly
