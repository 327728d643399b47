#include "app/sensor_limits.h"

#include <array>

namespace tessaly {
namespace {

struct SensorRow {
    uint16_t sensor;
    SensorLimits limits;
    bool sets_offset;
};

constexpr std::array kRows{
    SensorRow{17, {50, 24000, u"50", u"24000", 232, 0}, false},
    SensorRow{4, {100, 8000, u"100", u"8000", 80, 0}, false},
    SensorRow{5, {50, 12000, u"50", u"12000", 183, 0}, false},
    SensorRow{18, {100, 4800, u"100", u"4800", 48, 0}, false},
    SensorRow{37, {100, 10000, u"100", u"10000", 60, 0}, false},
    SensorRow{38, {200, 10000, u"200", u"10000", 59, 0}, false},
    SensorRow{53, {100, 16000, u"100", u"16000", 160, 0}, false},
    SensorRow{16, {100, 4800, u"100", u"4800", 48, 0}, false},
    SensorRow{25, {100, 30000, u"100", u"30000", 173, 0}, false},
    SensorRow{149, {100, 26000, u"100", u"26000", 520, 2}, true},
    SensorRow{150, {100, 38000, u"100", u"32000", 640, 2}, true},
};
constexpr SensorLimits kOtherSensor{50, 26000, u"50", u"26000", 520, 0};

}  // namespace

SensorLimits LimitsForSensor(uint16_t sensor, SensorRead read, int previous_offset) {
    const bool notification = read == SensorRead::kNotification;
    for (const SensorRow& row : kRows) {
        // A re-read after the mouse's notice keeps the sensor's own row: the
        // last row's 50 DPI would reach sensors 25, 149 and 150 as code -1.
        if (row.sensor != sensor) {
            continue;
        }
        SensorLimits limits = row.limits;
        if (!row.sets_offset) {
            limits.slider_offset = previous_offset;
        }
        if (notification && sensor == 5) {
            limits.slider_positions = 184;
        }
        return limits;
    }
    SensorLimits limits = kOtherSensor;
    limits.slider_offset = previous_offset;
    return limits;
}

}  // namespace tessaly
