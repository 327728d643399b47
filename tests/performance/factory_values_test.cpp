#include "performance/factory_values.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "base/task.h"
#include "performance_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr char kFullFile[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<mouse>
<custom show_dpitips="1" show_savetips="1" show_lod="1" show_sensor="1"/>
<mouse_info>
<light_info><light_1 enable="1"/></light_info>
<dpi_info default_dpi="2" dpi_count="5">
<dpi_1 value="400" color="#F10900"/>
<dpi_2 value="800" color="#FF8000"/>
<dpi_3 value="1600" color="#00F54C"/>
<dpi_4 value="2400" color="#FFA320"/>
<dpi_5 value="3200" color="#00FFFF"/>
<dpi_6 value="4800" color="#8F01C9"/>
</dpi_info>
<report_rate default_value="8"/>
<sleep_light value="60"/>
<move_wakeup value="0"/>
<move_closelight value="0"/>
</mouse_info>
</mouse>
)";

// Stage 3 and the sleep time are missing; stage 2's colour is empty.
constexpr char kPartialFile[] = R"(<mouse><mouse_info>
<dpi_info dpi_count="4">
<dpi_1 value="500" color="#F"/>
<dpi_2 value="900"/>
<dpi_4 value="2500" color="#FF8000"/>
</dpi_info>
<move_wakeup value="0"/>
</mouse_info></mouse>
)";

class FactoryValues : public PerformanceTest {
  protected:
    void SetUp() override {
        PerformanceTest::SetUp();
        host.description_file = store.WriteFile("tx.xml", kFullFile);
    }
};

TEST_F(FactoryValues, DpiOnlyTakesTheStagesAndNothingElse) {
    Store(u"report_rate", 2);
    Store(u"sleep_light", 36);
    const FactoryResult result = ApplyFactoryValues(host, FactoryScope::kDpiOnly, nullptr);
    EXPECT_TRUE(result.loaded);
    EXPECT_FALSE(result.report_rate);
    EXPECT_EQ(Stored(u"dpi_index"), 2);
    EXPECT_EQ(Stored(u"dpi_count"), 5);
    EXPECT_EQ(Stored(u"dpi_flag"), 5);
    const int values[] = {400, 800, 1600, 2400, 3200, 4800};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(ReadStageValue(store.profile, i), values[i]) << "stage " << i;
    }
    EXPECT_EQ(ReadStageColour(store.profile, 0), 0x0009F1u);
    EXPECT_EQ(ReadStageColour(store.profile, 1), 33023u);
    EXPECT_EQ(Stored(u"report_rate"), 2);
    EXPECT_EQ(Stored(u"sleep_light"), 36);
    EXPECT_THAT(host.tasks, IsEmpty()) << "the callers queue what they need";
}

TEST_F(FactoryValues, AllTakesBothRatesAndPowerButLeavesTheCapability) {
    Store(u"report_rate_wireless", 1);
    host.state.report_capability = 7;
    const FactoryResult result = ApplyFactoryValues(host, FactoryScope::kAll, nullptr);
    ASSERT_TRUE(result.report_rate);
    EXPECT_EQ(*result.report_rate, 8);
    EXPECT_EQ(Stored(u"report_rate"), 8);
    EXPECT_EQ(Stored(u"report_rate_wireless"), 8) << "kept equal to the rate, as every setter does";
    EXPECT_EQ(Stored(u"sleep_light"), 60);
    EXPECT_EQ(Stored(u"move_wakeup"), 0);
    EXPECT_EQ(Stored(u"move_closelight"), 0);
    EXPECT_EQ(host.state.report_capability.load(), 7);
}

TEST_F(FactoryValues, MissingElementsAndAttributesKeepTheirKeys) {
    host.description_file = store.WriteFile("partial.xml", kPartialFile);
    Store(u"dpi_index", 1);
    Store(u"dpi_group2_value", 2222);
    Store(u"dpi_group1_rgb", 65280);
    Store(u"sleep_light", 36);
    ApplyFactoryValues(host, FactoryScope::kAll, nullptr);
    EXPECT_EQ(Stored(u"dpi_index"), 1);
    EXPECT_EQ(Stored(u"dpi_count"), 4);
    EXPECT_EQ(ReadStageValue(store.profile, 0), 500);
    EXPECT_EQ(ReadStageColour(store.profile, 0), 0u) << "#F gives 0";
    EXPECT_EQ(ReadStageValue(store.profile, 1), 900);
    EXPECT_EQ(ReadStageColour(store.profile, 1), 65280u);
    EXPECT_EQ(ReadStageValue(store.profile, 2), 2222);
    EXPECT_EQ(ReadStageValue(store.profile, 3), 2500);
    EXPECT_EQ(ReadStageColour(store.profile, 3), 33023u);
    EXPECT_EQ(Stored(u"sleep_light"), 36);
    EXPECT_EQ(Stored(u"move_wakeup"), 0);
}

TEST_F(FactoryValues, AMissingFileChangesNothing) {
    host.description_file = store.dir.u16(true) + u"absent.xml";
    Store(u"dpi_count", 6);
    const FactoryResult result = ApplyFactoryValues(host, FactoryScope::kAll, nullptr);
    EXPECT_FALSE(result.loaded);
    EXPECT_EQ(Stored(u"dpi_count"), 6);

    Store(u"report_rate", 2);
    ResetReportRate(host, nullptr);
    EXPECT_EQ(Stored(u"report_rate"), 2);
    EXPECT_THAT(host.log, ElementsAre("task 11")) << "the task is still queued";
}

TEST_F(FactoryValues, ResetReportRateSetsBothKeysAndSends) {
    Store(u"report_rate", 2);
    Store(u"report_rate_wireless", 2);
    host.state.report_capability = 4;
    ResetReportRate(host, nullptr);
    EXPECT_EQ(Stored(u"report_rate"), 8);
    EXPECT_EQ(Stored(u"report_rate_wireless"), 8);
    EXPECT_EQ(host.state.report_capability.load(), 4);
    EXPECT_THAT(host.log, ElementsAre("task 11", "wait"));
}

TEST_F(FactoryValues, ResetDpiStagesAsksFirst) {
    host.box_answer = 2;
    ResetDpiStages(host);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].buttons, 4u);
    EXPECT_THAT(host.log, IsEmpty());

    host.box_answer = 0;
    ResetDpiStages(host);
    EXPECT_THAT(host.log, IsEmpty()) << "a box that could not run confirms nothing";

    host.box_answer = 1;
    ResetDpiStages(host);
    EXPECT_THAT(host.log, ElementsAre("task 18", "wait"));
}

}  // namespace
}  // namespace tessaly::test
