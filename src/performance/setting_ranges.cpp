#include "performance/setting_ranges.h"

#include <algorithm>

#include "performance/report_rates.h"

namespace tessaly {

bool IsStageCount(int count) {
    return count >= 1 && count <= kMaxStageCount;
}

bool IsStageIndex(int index, int count) {
    return index >= 0 && index < count;
}

bool IsStageDpi(int dpi, const SensorLimits& limits) {
    return dpi >= limits.min_dpi && dpi <= limits.max_dpi;
}

bool IsColour(int64_t colour) {
    return colour >= 0 && colour <= 0xFFFFFF;
}

bool IsOfferedReportRate(int code, uint8_t capability) {
    const auto rates = OfferedReportRates(capability);
    return std::any_of(rates.begin(), rates.end(),
                       [code](const ReportRate& rate) { return rate.code == code; });
}

bool IsLiftOffHeight(int height) {
    return height == 1 || height == 2;
}

bool IsResponseTime(int value) {
    return value >= 0 && value <= kMaxResponseTime;
}

bool IsSensorFlag(int flag) {
    return flag >= 0 && flag <= kMaxSensorFlag;
}

bool IsSleepTime(int tens_of_seconds) {
    return std::find(kSleepTimes.begin(), kSleepTimes.end(), tens_of_seconds) != kSleepTimes.end();
}

bool IsSwitch(int value) {
    return value == 0 || value == 1;
}

}  // namespace tessaly
