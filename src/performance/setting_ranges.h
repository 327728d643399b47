#pragma once
// What the performance page lets a user store in each key, as one set of
// rules: the change operations hold typed values to them, and values that
// come from elsewhere (profile files) are checked against them.

#include <array>
#include <cstdint>

#include "app/sensor_limits.h"
#include "performance/performance_store.h"

namespace tessaly {

inline constexpr int kMaxResponseTime = 20;
// Tens of seconds: 1, 2, 6, 10, 20 and 30 minutes.
inline constexpr std::array<int, 6> kSleepTimes{6, 12, 36, 60, 120, 180};
// sensor_flag: the page's three option bits and the bits only stored and
// sent beside them, one byte in all.
inline constexpr int kMaxSensorFlag = 0xFF;

bool IsStageCount(int count);
// A stage of `count` stages.
bool IsStageIndex(int index, int count);
// Within what the sensor's stages are limited to when they are sent.
bool IsStageDpi(int dpi, const SensorLimits& limits);
// 0x00BBGGRR.
bool IsColour(int64_t colour);
// One of the rates the page offers for the mouse's report capability.
bool IsOfferedReportRate(int code, uint8_t capability);
bool IsLiftOffHeight(int height);
bool IsResponseTime(int value);
bool IsSensorFlag(int flag);
bool IsSleepTime(int tens_of_seconds);
// The page's check boxes: 0 or 1.
bool IsSwitch(int value);

}  // namespace tessaly
