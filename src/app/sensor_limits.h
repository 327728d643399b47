#pragma once
// The DPI range and slider scale of each sensor the mouse may report.

#include <cstdint>
#include <optional>
#include <string_view>

namespace tessaly {

struct SensorLimits {
    int min_dpi = 50;
    int max_dpi = 26000;
    std::u16string_view min_label = u"50";
    std::u16string_view max_label = u"26000";
    int slider_positions = 520;
    // Added to a slider position before it becomes DPI.
    int slider_offset = 0;
};

// Why the state is being read: the first read after connecting, or a re-read
// after the mouse announced a change (which maps a few sensors differently).
enum class SensorRead { kConnect, kNotification };

// The limits for the sensor; `previous_offset` is kept where the sensor's row
// leaves the offset unchanged.
SensorLimits LimitsForSensor(uint16_t sensor, SensorRead read, int previous_offset);

}  // namespace tessaly
