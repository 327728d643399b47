#include "performance/carried_dpi.h"

#include <algorithm>
#include <optional>

#include "performance/dpi_conversions.h"

namespace tessaly {
namespace {

// Every table's values are multiples of 50; sensor 38 takes hundreds only.
int Step(uint16_t sensor) {
    return sensor == 38 ? 100 : 50;
}

// A code several neighbouring values share stands for the first of them,
// and only when the read table puts it one code away.
bool StandsForCode(uint16_t sensor, int dpi, int code, int min_dpi, int max_dpi) {
    const int step = Step(sensor);
    if (dpi - step >= min_dpi && DpiToDeviceCode(sensor, dpi - step) == code) {
        return false;
    }
    const bool alone = dpi + step > max_dpi || DpiToDeviceCode(sensor, dpi + step) != code;
    return alone || DeviceCodeToDpi(sensor, code - 1) == dpi ||
           DeviceCodeToDpi(sensor, code + 1) == dpi;
}

}  // namespace

bool ReadsOneStepOff(uint16_t sensor) {
    return sensor == 25 || sensor == 38 || sensor == 150;
}

bool CarriesDpi(uint16_t sensor, int dpi, int min_dpi, int max_dpi) {
    if (dpi < min_dpi || dpi > max_dpi || dpi % Step(sensor) != 0) {
        return false;
    }
    const int code = DpiToDeviceCode(sensor, dpi);
    if (DeviceCodeToDpi(sensor, code) == dpi) {
        return true;
    }
    return ReadsOneStepOff(sensor) && StandsForCode(sensor, dpi, code, min_dpi, max_dpi);
}

int NearestCarriedDpi(uint16_t sensor, int dpi, int min_dpi, int max_dpi) {
    max_dpi = std::max(min_dpi, max_dpi);
    const int step = Step(sensor);
    const int start = std::clamp(dpi, min_dpi, max_dpi);
    const int below = start - start % step;
    std::optional<int> lower;
    for (int value = below; value >= min_dpi && !lower; value -= step) {
        if (CarriesDpi(sensor, value, min_dpi, max_dpi)) {
            lower = value;
        }
    }
    std::optional<int> upper;
    for (int value = below + step; value <= max_dpi && !upper; value += step) {
        if (CarriesDpi(sensor, value, min_dpi, max_dpi)) {
            upper = value;
        }
    }
    if (lower && (!upper || start - *lower <= *upper - start)) {
        return *lower;
    }
    return upper.value_or(start);
}

int StageDpiAfterRead(uint16_t sensor, int stored_dpi, int code, int min_dpi, int max_dpi) {
    if (ReadsOneStepOff(sensor) && StageDeviceCode(sensor, stored_dpi, min_dpi, max_dpi) == code) {
        return stored_dpi;
    }
    return DeviceCodeToDpi(sensor, code);
}

}  // namespace tessaly
