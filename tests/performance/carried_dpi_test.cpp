#include "performance/carried_dpi.h"

#include <gtest/gtest.h>

#include <set>

#include "app/sensor_limits.h"
#include "performance/dpi_conversions.h"

namespace tessaly {
namespace {

constexpr uint16_t kSensors[] = {17, 4, 5, 18, 37, 38, 53, 16, 25, 149, 150, 1};

SensorLimits Limits(uint16_t sensor) {
    return LimitsForSensor(sensor, SensorRead::kConnect, 0);
}

// What a full read stores for a stage that holds `stored` and was sent it.
int AfterWriteAndRead(uint16_t sensor, int stored) {
    const SensorLimits limits = Limits(sensor);
    const int code = StageDeviceCode(sensor, stored, limits.min_dpi, limits.max_dpi);
    return StageDpiAfterRead(sensor, stored, code, limits.min_dpi, limits.max_dpi);
}

TEST(CarriedDpi, EveryCarriedValueOfEverySensorSurvivesAWriteAndARead) {
    for (uint16_t sensor : kSensors) {
        const SensorLimits limits = Limits(sensor);
        int carried = 0;
        for (int dpi = limits.min_dpi; dpi <= limits.max_dpi; dpi += 50) {
            if (!CarriesDpi(sensor, dpi, limits.min_dpi, limits.max_dpi)) {
                continue;
            }
            ++carried;
            EXPECT_EQ(AfterWriteAndRead(sensor, dpi), dpi) << "sensor " << sensor;
        }
        EXPECT_GE(carried, limits.slider_positions - 1) << "sensor " << sensor;
    }
}

TEST(CarriedDpi, ValuesWithoutACodeOfTheirOwnMoveToTheNearestCarriedOne) {
    const SensorLimits s17 = Limits(17);
    EXPECT_EQ(NearestCarriedDpi(17, 12050, s17.min_dpi, s17.max_dpi), 12000);
    EXPECT_EQ(NearestCarriedDpi(17, 12600, s17.min_dpi, s17.max_dpi), 13000);
    EXPECT_EQ(NearestCarriedDpi(17, 10050, s17.min_dpi, s17.max_dpi), 10000);
    EXPECT_EQ(NearestCarriedDpi(17, 30, s17.min_dpi, s17.max_dpi), 50) << "limited first";
    // Sensor 5 steps by 100 above 6400.
    EXPECT_EQ(NearestCarriedDpi(5, 6450, 50, 12000), 6400);
    // One-step sensors: codes shared by two values stand for the first.
    EXPECT_EQ(NearestCarriedDpi(25, 1650, 100, 30000), 1600);
    EXPECT_EQ(NearestCarriedDpi(25, 16500, 100, 30000), 16000);
    EXPECT_EQ(NearestCarriedDpi(38, 5000, 200, 10000), 5000);
    EXPECT_EQ(NearestCarriedDpi(38, 5300, 200, 10000), 5500);
    EXPECT_EQ(NearestCarriedDpi(150, 25950, 100, 38000), 25950);
    // A value the sensor carries stays as it is.
    for (uint16_t sensor : kSensors) {
        const SensorLimits limits = Limits(sensor);
        EXPECT_EQ(NearestCarriedDpi(sensor, limits.max_dpi, limits.min_dpi, limits.max_dpi),
                  limits.max_dpi)
            << "sensor " << sensor;
    }
}

TEST(CarriedDpi, AReadKeepsTheStoredValueOnlyWhenTheMouseHoldsItsCode) {
    // Sensor 25 reads code 15 as 1500, but 1600 is what was sent as 15.
    EXPECT_EQ(StageDpiAfterRead(25, 1600, 15, 100, 30000), 1600);
    EXPECT_EQ(StageDpiAfterRead(25, 1600, 20, 100, 30000), 2000) << "another program's code";
    EXPECT_EQ(StageDpiAfterRead(150, 26000, 519, 100, 38000), 26000);
    EXPECT_EQ(StageDpiAfterRead(38, 1000, 9, 200, 10000), 1000);
    // Sensors whose tables agree take what the code reads as.
    EXPECT_EQ(StageDpiAfterRead(17, 12500, 225, 50, 24000), 17000);
    EXPECT_EQ(StageDpiAfterRead(17, 1600, 32, 50, 24000), 1600);
}

}  // namespace
}  // namespace tessaly
