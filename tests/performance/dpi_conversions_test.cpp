#include "performance/dpi_conversions.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/sensor_limits.h"
#include "performance/colour_text.h"
#include "performance/report_rates.h"

namespace tessaly {
namespace {

struct Case {
    uint16_t sensor;
    int input;
    int expected;
};

void ExpectAll(int (*convert)(uint16_t, int), const std::vector<Case>& cases, const char* name) {
    for (const Case& c : cases) {
        EXPECT_EQ(convert(c.sensor, c.input), c.expected)
            << name << " sensor " << c.sensor << " input " << c.input;
    }
}

TEST(DpiConversions, SliderCodesPerSensor) {
    ExpectAll(DpiToSliderCode,
              {
                  {17, 10000, 200}, {17, 12000, 220}, {17, 12500, 221}, {17, 24000, 232},
                  {5, 6400, 128},   {5, 12000, 184},  {5, 50, 1},       {4, 8000, 80},
                  {16, 4800, 48},   {18, 150, 1},     {53, 16000, 160}, {37, 5000, 50},
                  {37, 10000, 60},  {38, 5000, 49},   {38, 10000, 60},  {149, 26000, 519},
                  {150, 100, 1},    {25, 30000, 600}, {99, 26000, 520},
              },
              "DpiToSliderCode");
}

TEST(DpiConversions, DeviceCodesPerSensor) {
    ExpectAll(DpiToDeviceCode,
              {
                  {17, 12500, 225},
                  {17, 13000, 221},
                  {17, 10000, 200},
                  {17, 10100, 201},
                  {5, 12000, 184},
                  {37, 7000, 54},
                  {38, 200, 1},
                  {25, 16000, 159},
                  {25, 30000, 174},
                  {150, 26000, 519},
                  {149, 100, 1},
                  {4, 8000, 80},
                  {99, 26000, 519},
              },
              "DpiToDeviceCode");
    ExpectAll(DeviceCodeToDpi,
              {
                  {17, 199, 9950},
                  {17, 220, 12000},
                  {17, 225, 17000},
                  {5, 128, 6400},
                  {5, 184, 12000},
                  {37, 49, 4900},
                  {37, 54, 7000},
                  {38, 54, 7500},
                  {25, 159, 15900},
                  {25, 174, 30000},
                  {150, 519, 25950},
                  {149, 519, 26000},
                  {53, 160, 16000},
                  {99, 519, 26000},
              },
              "DeviceCodeToDpi");
}

TEST(DpiConversions, TypedValuesAreRoundedAndLimited) {
    ExpectAll(NormaliseTypedDpi,
              {
                  {17, 23999, 23950},
                  {17, 30, 50},
                  {17, 100000, 24000},
                  {37, 7430, 7000},
                  {37, 12000, 10000},
                  {37, 99, 100},
                  {37, 4999, 4900},
                  {38, 150, 200},
                  {99, 26010, 26000},
                  {99, 1025, 1000},
                  {149, 38000, 26000},
                  {4, 8099, 8000},
                  {5, 12345, 12000},
                  {16, 99, 100},
                  {53, 16050, 16000},
                  {17, -3, 50},
              },
              "NormaliseTypedDpi");
}

TEST(DpiConversions, SliderPositionsBecomeDpi) {
    ExpectAll(SliderToDpi,
              {
                  {17, 200, 10000},
                  {17, 220, 12000},
                  {17, 232, 24000},
                  {17, 300, 24000},
                  {5, 128, 6400},
                  {5, 184, 12000},
                  {37, 50, 5000},
                  {37, 60, 10000},
                  {38, 0, 100},
                  {38, 49, 5000},
                  {38, 50, 5500},
                  {25, 159, 15900},
                  {25, 160, 16000},
                  {25, 174, 30000},
                  {53, 170, 16000},
                  {150, 522, 26000},
                  {4, 0, 0},
              },
              "SliderToDpi");
}

TEST(DpiConversions, StagesAreClampedBeforeConversion) {
    EXPECT_EQ(StageDeviceCode(17, 30000, 50, 24000), DpiToDeviceCode(17, 24000));
    EXPECT_EQ(StageDeviceCode(38, 100, 200, 10000), 1);
}

TEST(SensorLimits, RowsOnConnectAndOnNotification) {
    const SensorLimits s17 = LimitsForSensor(17, SensorRead::kConnect, 0);
    EXPECT_EQ(s17.min_dpi, 50);
    EXPECT_EQ(s17.max_dpi, 24000);
    EXPECT_EQ(s17.max_label, u"24000");
    EXPECT_EQ(s17.slider_positions, 232);

    const SensorLimits s150 = LimitsForSensor(150, SensorRead::kConnect, 0);
    EXPECT_EQ(s150.max_dpi, 38000);
    EXPECT_EQ(s150.max_label, u"32000");
    EXPECT_EQ(s150.slider_offset, 2);
    // Rows without an offset of their own keep the one before.
    EXPECT_EQ(LimitsForSensor(4, SensorRead::kConnect, 2).slider_offset, 2);

    EXPECT_EQ(LimitsForSensor(5, SensorRead::kConnect, 0).slider_positions, 183);
    EXPECT_EQ(LimitsForSensor(5, SensorRead::kNotification, 0).slider_positions, 184);
    // A re-read after a notice keeps each sensor's own row.
    for (uint16_t sensor : {25, 149, 150, 77}) {
        const SensorLimits connect = LimitsForSensor(sensor, SensorRead::kConnect, 0);
        const SensorLimits notice = LimitsForSensor(sensor, SensorRead::kNotification, 0);
        EXPECT_EQ(notice.min_dpi, connect.min_dpi) << sensor;
        EXPECT_EQ(notice.max_dpi, connect.max_dpi) << sensor;
        EXPECT_EQ(notice.slider_positions, connect.slider_positions) << sensor;
    }
    EXPECT_EQ(LimitsForSensor(25, SensorRead::kNotification, 0).max_dpi, 30000);
    EXPECT_EQ(LimitsForSensor(77, SensorRead::kNotification, 0).min_dpi, 50);
}

TEST(ReportRates, CapabilityAndOfferedList) {
    EXPECT_EQ(ReportCapability(0x10), 5);
    EXPECT_EQ(ReportCapability(0x20), 6);
    EXPECT_EQ(ReportCapability(0x40), 7);
    EXPECT_EQ(ReportCapability(0x08), 4);
    EXPECT_EQ(OfferedReportRates(7).size(), 7u);
    EXPECT_EQ(OfferedReportRates(7).back().hertz, 8000);
    for (uint8_t capability : {4, 5, 6}) {
        const auto rates = OfferedReportRates(capability);
        ASSERT_EQ(rates.size(), 4u);
        EXPECT_EQ(rates.front().code, 8);
        EXPECT_EQ(rates.back().hertz, 1000);
    }
    ASSERT_NE(FindReportRate(16), nullptr);
    EXPECT_EQ(FindReportRate(16)->colour, 0xC9012Bu);
    EXPECT_EQ(FindReportRate(3), nullptr);
}

TEST(ColourText, HexadecimalTextsOfEachLength) {
    EXPECT_EQ(ColourFromText(u"#FF8000"), 33023u);
    EXPECT_EQ(ColourFromText(u"#F"), 0u);
    EXPECT_EQ(ColourFromText(u""), 0u);
    EXPECT_EQ(ColourFromText(u"#12"), 0x12u);
    EXPECT_EQ(ColourFromText(u"#123"), 0x0312u);
    EXPECT_EQ(ColourFromText(u"#1234"), 0x3412u);
    EXPECT_EQ(ColourFromText(u"#12345"), 0x053412u);
    EXPECT_EQ(ColourFromText(u"#0009F1"), 0xF10900u);
    EXPECT_EQ(ColourFromText(u"#1234567"), 0u);
}

}  // namespace
}  // namespace tessaly
