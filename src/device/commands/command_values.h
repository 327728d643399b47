#pragma once
// The values the commands carry, in the form the wire needs them. Where they
// come from (store, conversions) is up to the callers.

#include <array>
#include <cstdint>

namespace tessaly {

inline constexpr int kDpiStages = 6;

struct DpiStagesValues {
    int index = 0;  // current stage
    int count = 0;  // stages in use
    // Sensor codes of the six stages, already clamped and converted.
    std::array<uint16_t, kDpiStages> codes{};
};

// Colours are 0x00BBGGRR, sent low byte first.
using DpiColours = std::array<uint32_t, kDpiStages>;

inline constexpr int kLightingColours = 7;

struct LightingValues {
    int effect = 0;
    int brightness = 0;
    int speed = 0;
    std::array<uint32_t, kLightingColours> colours{};
    bool operator==(const LightingValues&) const = default;
};

struct SleepResponseValues {
    uint8_t sleep_light = 0;
    uint8_t move_wakeup = 0;
    uint8_t move_closelight = 0;
    uint8_t button_respondtime = 0;
    bool operator==(const SleepResponseValues&) const = default;
};

// Sensor option bits of `sensor_flag` that travel to the mouse.
inline constexpr int kSensorFlagFirst = 8;   // R[6] / A[5]
inline constexpr int kSensorFlagSecond = 4;  // R[7] / A[6]

}  // namespace tessaly
