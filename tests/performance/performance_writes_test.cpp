#include "performance/performance_writes.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/sensor_limits.h"
#include "device/memory_mouse.h"
#include "performance_fixture.h"

namespace tessaly::test {
namespace {

class PerformanceWrites : public PerformanceTest {
  protected:
    void SetUp() override {
        PerformanceTest::SetUp();
        mouse.AnswerEverything();
    }
    std::vector<uint8_t> LastReport() const {
        const auto reports = mouse.device->WrittenReports();
        return reports.empty() ? std::vector<uint8_t>{} : reports.back();
    }
    HidInterface* Mouse() { return mouse.interface.get(); }

    MemoryMouse mouse;
};

TEST_F(PerformanceWrites, StagesAreClampedAndConvertedForTheSensor) {
    host.state.sensor_code = 17;
    host.state.SetLimits(LimitsForSensor(17, SensorRead::kConnect, 0));
    Store(u"dpi_count", 4);
    Store(u"dpi_index", 2);
    const int values[] = {800, 1600, 12500, 30, 100000, 26000};
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(WriteConfigNumber(store.profile, StageValueKey(i), values[i]));
    }
    ASSERT_TRUE(WriteDpiStages(Mouse(), store.profile, host.state));

    const std::vector<uint8_t> r = LastReport();
    ASSERT_GE(r.size(), 33u);
    EXPECT_EQ(r[1], 0x03);
    EXPECT_EQ(r[5], 0x24) << "stage 2 of 4";
    const uint16_t codes[] = {16, 32, 225, 1, 232, 232};
    for (int i = 0; i < 6; ++i) {
        const uint16_t x = r[6 + 4 * i] | r[7 + 4 * i] << 8;
        const uint16_t y = r[8 + 4 * i] | r[9 + 4 * i] << 8;
        EXPECT_EQ(x, codes[i]) << "stage " << i;
        EXPECT_EQ(y, codes[i]) << "stage " << i;
    }
    EXPECT_EQ(host.state.device_stage.load(), 2);
    EXPECT_EQ(host.state.device_stage_count.load(), 4);
}

TEST_F(PerformanceWrites, LargeCodesUseBothBytes) {
    host.state.sensor_code = 150;
    host.state.SetLimits(LimitsForSensor(150, SensorRead::kConnect, 0));
    Store(u"dpi_group0_value", 26000);
    ASSERT_TRUE(WriteDpiStages(Mouse(), store.profile, host.state));
    const std::vector<uint8_t> r = LastReport();
    EXPECT_EQ(r[6], 519 % 256);
    EXPECT_EQ(r[7], 519 / 256);
}

TEST_F(PerformanceWrites, ColoursGoLowByteFirst) {
    Store(u"dpi_group0_rgb", 0x0000FF);
    Store(u"dpi_group1_rgb", 0x123456);
    Store(u"dpi_group6_rgb", 0xABCDEF);
    ASSERT_TRUE(WriteDpiColours(Mouse(), store.profile));
    const std::vector<uint8_t> r = LastReport();
    EXPECT_EQ(r[1], 0x04);
    EXPECT_EQ(r[5], 0xFF);
    EXPECT_EQ(r[6], 0x00);
    EXPECT_EQ(r[8], 0x56);
    EXPECT_EQ(r[9], 0x34);
    EXPECT_EQ(r[10], 0x12);
    EXPECT_EQ(r[23], 0) << "the seventh slot is not sent";
}

TEST_F(PerformanceWrites, RateLiftOffSensorSleepAndResponse) {
    Store(u"report_rate", 16);
    ASSERT_TRUE(WriteReportRate(Mouse(), store.profile));
    std::vector<uint8_t> r = LastReport();
    EXPECT_EQ(r[1], 0x02);
    EXPECT_EQ(r[5], 16);

    Store(u"liftoff_height", 2);
    Store(u"sensor_flag", 8);
    ASSERT_TRUE(WriteLiftOffSensor(Mouse(), store.profile));
    r = LastReport();
    EXPECT_EQ(r[1], 0x06);
    EXPECT_EQ(r[5], 2);
    EXPECT_EQ(r[6], 1);
    EXPECT_EQ(r[7], 0);

    Store(u"sleep_light", 120);
    Store(u"move_wakeup", 0);
    Store(u"move_closelight", 1);
    Store(u"button_respondtime", 20);
    ASSERT_TRUE(WriteSleepResponse(Mouse(), store.profile));
    r = LastReport();
    EXPECT_EQ(r[1], 0x07);
    EXPECT_EQ(r[5], 120);
    EXPECT_EQ(r[6], 0);
    EXPECT_EQ(r[7], 1);
    EXPECT_EQ(r[8], 20);
}

TEST_F(PerformanceWrites, EachWriteSendsWhatIsStoredWhenItRuns) {
    Store(u"report_rate", 8);
    Store(u"report_rate", 4);
    ASSERT_TRUE(WriteReportRate(Mouse(), store.profile));
    ASSERT_TRUE(WriteReportRate(Mouse(), store.profile));
    const auto reports = mouse.device->WrittenReports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0][5], 4);
    EXPECT_EQ(reports[1][5], 4);
}

TEST_F(PerformanceWrites, AFailedWriteKeepsTheDeviceStage) {
    host.state.device_stage = 1;
    Store(u"dpi_index", 3);
    mouse.device->SetWritesFail(true);
    EXPECT_FALSE(WriteDpiStages(Mouse(), store.profile, host.state));
    EXPECT_EQ(host.state.device_stage.load(), 1);
    EXPECT_FALSE(WriteDpiStages(nullptr, store.profile, host.state));
}

TEST_F(PerformanceWrites, RestoreSendsTheFactoryStagesAndColours) {
    host.description_file = store.WriteFile("tx.xml", R"(<mouse><mouse_info>
<dpi_info default_dpi="0" dpi_count="2"><dpi_1 value="400" color="#0000FF"/>
<dpi_2 value="800" color="#00FF00"/></dpi_info></mouse_info></mouse>)");
    host.state.sensor_code = 99;
    ASSERT_TRUE(RestoreDpiStages(Mouse(), host, nullptr));
    const auto reports = mouse.device->WrittenReports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0][1], 0x03);
    EXPECT_EQ(reports[0][5], 0x02);
    EXPECT_EQ(reports[0][6], 400 / 50 - 1);
    EXPECT_EQ(reports[0][10], 800 / 50 - 1);
    EXPECT_EQ(reports[1][1], 0x04);
    EXPECT_EQ(reports[1][7], 0xFF) << "blue of stage 0";
    EXPECT_EQ(reports[1][9], 0xFF) << "green of stage 1";
}

TEST_F(PerformanceWrites, TheTaskTableRunsTheBodyOfEachCode) {
    const struct {
        int32_t code;
        uint8_t command;
    } kRows[] = {{9, 0x03}, {10, 0x04}, {11, 0x02}, {12, 0x06}, {13, 0x07}, {14, 0x07}};
    for (const auto& row : kRows) {
        const std::optional<bool> sent = RunPerformanceTask(row.code, Mouse(), host, nullptr);
        ASSERT_TRUE(sent.has_value()) << row.code;
        EXPECT_TRUE(*sent);
        EXPECT_EQ(LastReport()[1], row.command) << row.code;
    }
    const size_t written = mouse.device->WrittenReports().size();
    EXPECT_FALSE(RunPerformanceTask(8, Mouse(), host, nullptr).has_value());
    EXPECT_FALSE(RunPerformanceTask(20, Mouse(), host, nullptr).has_value());
    EXPECT_EQ(mouse.device->WrittenReports().size(), written);
}

}  // namespace
}  // namespace tessaly::test
