#include "performance/change_operations.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/decimal.h"
#include "base/task.h"
#include "performance_fixture.h"
#include "storage/settings_database.h"

namespace tessaly::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ChangeOperations : public PerformanceTest {
  protected:
    void SetUp() override {
        PerformanceTest::SetUp();
        host.state.device_stage = 1;
        host.state.device_stage_count = 6;
    }
};

TEST_F(ChangeOperations, StageCountLowersTheCurrentStageAndSendsOnce) {
    Store(u"dpi_count", 6);
    Store(u"dpi_index", 5);
    SetStageCount(host, 3);
    EXPECT_EQ(Stored(u"dpi_count"), 3);
    EXPECT_EQ(Stored(u"dpi_index"), 2);
    ASSERT_EQ(host.tasks.size(), 1u);
    // Stored before the task was queued, and the wait dialog came last.
    EXPECT_EQ(host.tasks[0].code, kTaskWriteDpiStages);
    EXPECT_EQ(host.tasks[0].dpi_count, 3);
    EXPECT_EQ(host.tasks[0].dpi_index, 2);
    EXPECT_THAT(host.log, ElementsAre("task 9", "wait"));

    Store(u"dpi_index", 3);
    SetStageCount(host, 2);
    EXPECT_EQ(Stored(u"dpi_index"), 1);

    Store(u"dpi_index", 0);
    SetStageCount(host, 4);
    EXPECT_EQ(Stored(u"dpi_index"), 0) << "a stage inside the new count stays";
    SetStageCount(host, 9);
    EXPECT_EQ(Stored(u"dpi_count"), 6) << "at most six stages";
}

TEST_F(ChangeOperations, SelectingTheMouseStageQueuesNothing) {
    host.state.device_stage = 2;
    Store(u"dpi_index", 0);
    SelectStage(host, 2);
    EXPECT_EQ(Stored(u"dpi_index"), 2);
    EXPECT_THAT(host.tasks, IsEmpty());
    EXPECT_EQ(host.waits, 0);
    EXPECT_THAT(host.popups, IsEmpty());
}

TEST_F(ChangeOperations, SelectingAnotherStageSwitchesTheMouse) {
    Store(u"dpi_group3_value", 3200);
    SelectStage(host, 3);
    EXPECT_EQ(Stored(u"dpi_index"), 3);
    EXPECT_EQ(host.state.device_stage.load(), 3);
    EXPECT_THAT(host.log, ElementsAre("task 9", "popup 3200", "wait"));
    EXPECT_EQ(host.tasks[0].dpi_index, 3);

    host.Forget();
    host.dpi_tips = false;
    SelectStage(host, 4);
    EXPECT_THAT(host.log, ElementsAre("task 9", "wait")) << "no popup without DPI tips";

    host.Forget();
    SelectStage(host, 6);
    SelectStage(host, -1);
    EXPECT_THAT(host.log, IsEmpty()) << "stages beyond the six are refused";
    EXPECT_EQ(Stored(u"dpi_index"), 4);
}

TEST_F(ChangeOperations, TypedValuesAreNormalisedForTheSensor) {
    host.state.sensor_code = 17;
    // 23950 would go out as the code that reads back as 23000: the nearest
    // value the sensor carries is stored instead.
    EXPECT_EQ(SetStageValueTyped(host, 1, u"23999"), 24000);
    EXPECT_EQ(Stored(u"dpi_group1_value"), 24000);
    // The mouse already uses stage 1: one write, no dialog.
    EXPECT_THAT(host.log, ElementsAre("task 9"));

    host.Forget();
    EXPECT_EQ(SetStageValueTyped(host, 2, u"30"), 50);
    EXPECT_EQ(Stored(u"dpi_group2_value"), 50);
    EXPECT_THAT(host.log, ElementsAre("task 9", "task 9", "popup 50", "wait"));
    EXPECT_EQ(host.state.device_stage.load(), 2);
    EXPECT_EQ(host.tasks[1].dpi_index, 2) << "the second write switches the mouse";

    host.state.sensor_code = 37;
    EXPECT_EQ(SetStageValueTyped(host, 2, u"7430"), 7000);
    EXPECT_EQ(SetStageValueTyped(host, 2, u"abc"), 100) << "no number reads as 0";

    // Between 12000 and 13000 sensor 17 has no codes of its own.
    host.state.sensor_code = 17;
    EXPECT_EQ(SetStageValueTyped(host, 2, u"12050"), 12000);
    EXPECT_EQ(SetStageValueTyped(host, 2, u"12500"), 12000) << "a tie takes the lower value";
    EXPECT_EQ(SetStageValueTyped(host, 2, u"12550"), 13000);
    EXPECT_EQ(SetStageValueTyped(host, 2, u"12950"), 13000);
    EXPECT_EQ(Stored(u"dpi_group2_value"), 13000);
}

TEST_F(ChangeOperations, TenDpiEditsQueueTenWrites) {
    host.state.device_stage = 0;
    for (int i = 1; i <= 10; ++i) {
        SetStageValueTyped(host, 0, IntToDecimal(i * 100));
    }
    ASSERT_EQ(host.tasks.size(), 10u);
    for (size_t i = 0; i < host.tasks.size(); ++i) {
        EXPECT_EQ(host.tasks[i].code, kTaskWriteDpiStages);
        EXPECT_EQ(host.tasks[i].stage0, static_cast<int>(i + 1) * 100);
    }
    EXPECT_EQ(Stored(u"dpi_group0_value"), 1000);
}

TEST_F(ChangeOperations, DraggingStoresEveryPositionAndSendsOnRelease) {
    host.state.sensor_code = 99;
    EXPECT_EQ(SetStageValueSlider(host, 1, 10, false), 500);
    EXPECT_EQ(Stored(u"dpi_group1_value"), 500);
    EXPECT_EQ(SetStageValueSlider(host, 1, 40, false), 2000);
    EXPECT_EQ(Stored(u"dpi_group1_value"), 2000);
    EXPECT_THAT(host.log, IsEmpty());
    EXPECT_EQ(SetStageValueSlider(host, 1, 600, true), 26000);
    EXPECT_THAT(host.log, ElementsAre("task 9", "wait"));
    EXPECT_EQ(Stored(u"dpi_group1_value"), 26000);
}

TEST_F(ChangeOperations, StageColours) {
    Store(u"dpi_group2_value", 2400);
    SetStageColour(host, 2, 0x00FF8000);
    EXPECT_EQ(Stored(u"dpi_group2_rgb"), 0x00FF8000);
    EXPECT_THAT(host.log, ElementsAre("task 10", "popup 2400", "wait"));

    host.Forget();
    SetStageColour(host, 2, 0);
    EXPECT_EQ(Stored(u"dpi_group2_rgb"), 0x00FF8000) << "a cancelled palette changes nothing";
    EXPECT_THAT(host.log, IsEmpty());
}

TEST_F(ChangeOperations, ReportRateLiftOffAndSensorOptions) {
    SetReportRate(host, 16);
    EXPECT_EQ(Stored(u"report_rate"), 16);
    EXPECT_EQ(Stored(u"report_rate_wireless"), 16);
    SetLiftOff(host, LiftOff::k2mm);
    EXPECT_EQ(Stored(u"liftoff_height"), 2);
    SetLiftOff(host, LiftOff::k1mm);
    EXPECT_EQ(Stored(u"liftoff_height"), 1);

    Store(u"sensor_flag", 53);
    SetSensorOptions(host, true, false, true);
    EXPECT_EQ(Stored(u"sensor_flag"), 20) << "bits other than 4, 8 and 16 are cleared";
    SetSensorOptions(host, false, true, false);
    EXPECT_EQ(Stored(u"sensor_flag"), 8);
    EXPECT_THAT(host.Codes(), ElementsAre(11, 12, 12, 12, 12));
    EXPECT_EQ(host.waits, 5);
}

TEST_F(ChangeOperations, ResponseTimeIsLimitedWhileTypingAndSentWhenConfirmed) {
    ResponseTime typed = SetResponseTime(host, u"35", false);
    EXPECT_EQ(typed.value, 20);
    EXPECT_TRUE(typed.limited);
    EXPECT_EQ(Stored(u"button_respondtime"), 20);
    EXPECT_THAT(host.log, IsEmpty()) << "typing only stores";

    typed = SetResponseTime(host, u"-3", false);
    EXPECT_EQ(typed.value, 0);
    EXPECT_TRUE(typed.limited);
    EXPECT_EQ(Stored(u"button_respondtime"), 0);

    const ResponseTime confirmed = SetResponseTime(host, u"12", true);
    EXPECT_EQ(confirmed.value, 12);
    EXPECT_FALSE(confirmed.limited);
    EXPECT_EQ(Stored(u"button_respondtime"), 12);
    EXPECT_THAT(host.log, ElementsAre("task 14", "wait"));
}

TEST_F(ChangeOperations, PowerOptions) {
    SetSleepTime(host, 120);
    EXPECT_EQ(Stored(u"sleep_light"), 120);
    SetSleepTime(host, 7);
    EXPECT_EQ(Stored(u"sleep_light"), 120) << "only the offered times are stored";
    SetMoveWakeup(host, false);
    EXPECT_EQ(Stored(u"move_wakeup"), 0);
    SetMoveCloseLight(host, true);
    EXPECT_EQ(Stored(u"move_closelight"), 1);
    SetMoveCloseLight(host, false);
    EXPECT_EQ(Stored(u"move_closelight"), 0);
    EXPECT_THAT(host.Codes(), ElementsAre(13, 13, 13, 13));
}

// A value the store did not keep is not sent: the task would carry the old
// one as if it were the change.
TEST_F(ChangeOperations, NothingIsQueuedWhenTheStoreKeepsNothing) {
    ASSERT_EQ(SettingsDatabase::Instance().Lock().db().Execute("PRAGMA query_only = 1"), 0);
    SetReportRate(host, 8);
    SetStageCount(host, 3);
    SelectStage(host, 4);
    SetStageValueTyped(host, 1, u"1600");
    SetStageValueSlider(host, 1, 40, true);
    SetStageColour(host, 1, 0x00FF8000);
    SetLiftOff(host, LiftOff::k2mm);
    SetSensorOptions(host, true, false, true);
    SetResponseTime(host, u"5", true);
    SetSleepTime(host, 60);
    SetMoveWakeup(host, false);
    SetMoveCloseLight(host, false);
    EXPECT_THAT(host.log, IsEmpty());
    SettingsDatabase::Instance().Lock().db().Execute("PRAGMA query_only = 0");
}

}  // namespace
}  // namespace tessaly::test
