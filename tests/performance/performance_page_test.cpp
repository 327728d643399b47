#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/sensor_limits.h"
#include "device/memory_mouse.h"
#include "performance/page_events.h"
#include "performance/page_refresh.h"
#include "performance/performance_controls.h"
#include "performance/performance_writes.h"
#include "performance_fixture.h"
#include "storage/config_store.h"
#include "ui/dialogs/colour_values.h"
#include "ui/dialogs/mouse_palette_dlg.h"
#include "ui/ids/main_window_ids.h"
#include "ui/ids/performance_page_ids.h"
#include "ui/main/controller_fixture.h"
#include "ui/pages/performance_page.h"

namespace tessaly::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Headless = DUI::HeadlessBackend;

class PerformancePage : public ui::test::ControllerFixture {
  protected:
    void SetUp() override {
        ASSERT_TRUE(store.opened);
        host.profile = store.profile;
        Open();
        dlg->ShowDevicePages();
        ASSERT_TRUE(Headless::Deliver(*dlg, main_id::kTabs, DUI::kEventActivated,
                                      main_id::kPerformanceTab));
        ASSERT_TRUE(Shown(ui::kPerformancePageId));
        InstallPerformancePage(ui::PerformancePageContextOf(*dlg), host);
        host.state.sensor_code = 99;
        host.state.SetLimits(LimitsForSensor(99, SensorRead::kConnect, 0));
    }
    int Stored(std::u16string_view key) const { return ReadConfigNumber(store.profile, key); }
    void Store(std::u16string_view key, int value) const {
        ASSERT_TRUE(WriteConfigNumber(store.profile, key, value));
    }
    PerformanceControls Page() const { return PerformanceControls(*dlg); }
    void Refresh() { RefreshPerformancePage(*dlg, host); }
    bool Deliver(int id, int event, intptr_t param = 0, int nth = 0) {
        return Headless::Deliver(*dlg, id, event, param, nth);
    }
    bool Click(int id, int nth = 0) { return Headless::Click(*dlg, id, nth); }

    PerformanceStore store;
    RecordingHost host;
};

TEST_F(PerformancePage, TheControlsAreThoseOfThePerformancePage) {
    const PerformanceControls page = Page();
    EXPECT_EQ(page.Stages(), Control(performance_id::kStages));
    EXPECT_EQ(page.Slider(), Control(performance_id::kSlider));
    EXPECT_EQ(page.SensorOption(2), Control(performance_id::kSensorOptions, 2));
    EXPECT_EQ(page.SleepTime(), Control(performance_id::kSleepTime));
}

TEST_F(PerformancePage, RefreshShowsTheStoredSettings) {
    Store(u"button_respondtime", 12);
    Store(u"report_rate", 32);
    Store(u"dpi_count", 4);
    Store(u"dpi_index", 2);
    Store(u"dpi_group2_value", 5000);
    Store(u"dpi_group6_value", 1234);
    Store(u"dpi_group1_rgb", 0x00FF8000);
    Store(u"sensor_flag", 8 + 16 + 1);
    Store(u"sleep_light", 60);
    Store(u"move_wakeup", 0);
    Store(u"move_closelight", 1);
    host.state.report_capability = 7;
    Refresh();

    const PerformanceControls page = Page();
    EXPECT_EQ(page.ResponseTime()->GetTitle(), u"12");
    DUI::ReporteCtrl* rates = page.ReportRates();
    ASSERT_EQ(rates->GetItemCount(), 7);
    EXPECT_EQ(rates->Items()[6].text, u"8000Hz");
    EXPECT_EQ(rates->GetItemKeyValue(rates->GetCurSel()), 32);

    DUI::DPIControl* stages = page.Stages();
    EXPECT_EQ(stages->GetItemCount(), 4);
    EXPECT_EQ(stages->GetSelectItem(), 2);
    EXPECT_EQ(stages->GetDPIValue(2), 5000);
    EXPECT_EQ(stages->GetDPIValue(6), 1234) << "the seventh slot is filled but not listed";
    EXPECT_EQ(stages->GetDPIColorValue(1), BgrToArgb(0x00FF8000));
    EXPECT_EQ(page.StageCount()->GetCurData(), 4);
    EXPECT_EQ(page.Slider()->GetProgress(), 100);
    EXPECT_EQ(host.state.device_stage_count.load(), 4);
    EXPECT_EQ(host.state.device_stage.load(), 2);

    EXPECT_FALSE(page.SensorOption(0)->GetCheck());
    EXPECT_TRUE(page.SensorOption(1)->GetCheck());
    EXPECT_TRUE(page.SensorOption(2)->GetCheck());
    EXPECT_EQ(page.SleepTime()->GetCurData(), 60);
    EXPECT_FALSE(page.Check(performance_id::kMoveWakeup)->GetCheck());
    EXPECT_TRUE(page.Check(performance_id::kMoveCloseLight)->GetCheck());
}

TEST_F(PerformancePage, RefreshOffersFourRatesBelowCapabilitySeven) {
    for (uint8_t capability : {4, 5, 6}) {
        host.state.report_capability = capability;
        Store(u"report_rate", 16);
        Refresh();
        DUI::ReporteCtrl* rates = Page().ReportRates();
        EXPECT_EQ(rates->GetItemCount(), 4) << int(capability);
        EXPECT_EQ(rates->GetCurSel(), -1) << "2000 Hz is not offered";
    }
}

TEST_F(PerformancePage, OnlyTheExactTextTwoMeansTwoMillimetres) {
    ASSERT_TRUE(SetConfigValue(store.profile, u"liftoff_height", u"02"));
    Refresh();
    EXPECT_TRUE(Page().LiftOff(performance_id::kLiftOff1mm)->GetCheck());
    EXPECT_FALSE(Page().LiftOff(performance_id::kLiftOff2mm)->GetCheck());
    ASSERT_TRUE(SetConfigValue(store.profile, u"liftoff_height", u"2"));
    Refresh();
    EXPECT_FALSE(Page().LiftOff(performance_id::kLiftOff1mm)->GetCheck());
    EXPECT_TRUE(Page().LiftOff(performance_id::kLiftOff2mm)->GetCheck());
}

TEST_F(PerformancePage, AStageBeyondTheCountSelectsTheFirst) {
    Store(u"dpi_count", 2);
    Store(u"dpi_index", 4);
    Store(u"dpi_group0_value", 800);
    Refresh();
    EXPECT_EQ(Page().Stages()->GetSelectItem(), 0);
    EXPECT_EQ(Page().Slider()->GetProgress(), 16);
}

TEST_F(PerformancePage, SensorLimitsAndTheSliderOffset) {
    host.state.sensor_code = 149;
    host.state.SetLimits(LimitsForSensor(149, SensorRead::kConnect, 0));
    ApplySensorLimits(*dlg, host.state);
    DUI::DPISlider* slider = Page().Slider();
    EXPECT_EQ(slider->GetDPIDesc(),
              std::make_pair(std::u16string(u"100"), std::u16string(u"26000")));
    EXPECT_EQ(slider->GetMaxValue(), 520);
    EXPECT_EQ(slider->GetOffset(), 2);

    host.state.sensor_code = 17;
    host.state.SetLimits(LimitsForSensor(17, SensorRead::kConnect, 2));
    ApplySensorLimits(*dlg, host.state);
    EXPECT_EQ(slider->GetDPIDesc().second, u"24000");
    EXPECT_EQ(slider->GetMaxValue(), 232);
    EXPECT_EQ(slider->GetOffset(), 0) << "another model is not shifted";
}

TEST_F(PerformancePage, HiddenGroupsGiveTheirPlaceToTheGroupsBelow) {
    const int response_top = Control(performance_id::kResponseTimeArea)->GetRect().top;
    dlg->tips.show_sensor = false;
    ApplyPerformanceVisibility(ui::PerformancePageContextOf(*dlg));
    dlg->UISize(dlg->GetClientRect());
    for (int nth = 0; nth < 3; ++nth) {
        EXPECT_FALSE(Control(performance_id::kSensorOptions, nth)->IsVisible());
    }
    EXPECT_FALSE(Control(performance_id::kSensorArea)->IsVisible());
    EXPECT_TRUE(Control(performance_id::kLiftOff1mm)->IsVisible());
    const int without_sensor = Control(performance_id::kResponseTimeArea)->GetRect().top;
    EXPECT_LT(without_sensor, response_top);

    dlg->tips.show_lift_off = false;
    ApplyPerformanceVisibility(ui::PerformancePageContextOf(*dlg));
    dlg->UISize(dlg->GetClientRect());
    EXPECT_FALSE(Control(performance_id::kLiftOff2mm)->IsVisible());
    EXPECT_LT(Control(performance_id::kResponseTimeArea)->GetRect().top, without_sensor);
}

TEST_F(PerformancePage, ClickingAStageSelectsIt) {
    Store(u"dpi_count", 6);
    Store(u"dpi_index", 0);
    Store(u"dpi_group3_value", 3200);
    Refresh();
    ASSERT_TRUE(Deliver(performance_id::kStages, DUI::kEventActivated, 3));
    EXPECT_EQ(Stored(u"dpi_index"), 3);
    EXPECT_THAT(host.log, ElementsAre("task 9", "popup 3200", "wait"));
    EXPECT_EQ(Page().Slider()->GetProgress(), 64);

    host.Forget();
    ASSERT_TRUE(Deliver(performance_id::kStages, DUI::kEventSetFocus, 3));
    EXPECT_THAT(host.log, IsEmpty()) << "the mouse already uses stage 3";
}

TEST_F(PerformancePage, LoweringTheCountFromSixToTwoMakesStageOneCurrent) {
    Store(u"dpi_count", 6);
    Store(u"dpi_index", 4);
    Refresh();
    ASSERT_TRUE(Deliver(performance_id::kStageCount, DUI::kEventActivated, 1));  // item "2"
    EXPECT_EQ(Stored(u"dpi_count"), 2);
    EXPECT_EQ(Page().Stages()->GetItemCount(), 2);
    EXPECT_EQ(Page().Stages()->GetSelectItem(), 1);
}

TEST_F(PerformancePage, DraggingTheSliderSendsOnlyOnRelease) {
    Store(u"dpi_count", 6);
    Store(u"dpi_index", 1);
    Refresh();
    constexpr int kDrag = 27;
    ASSERT_TRUE(Deliver(performance_id::kSlider, kDrag, 40));
    EXPECT_EQ(Stored(u"dpi_group1_value"), 2000);
    ASSERT_TRUE(Deliver(performance_id::kSlider, kDrag, 60));
    EXPECT_EQ(Stored(u"dpi_group1_value"), 3000);
    EXPECT_EQ(Page().Stages()->GetDPIValue(1), 3000);
    EXPECT_THAT(host.tasks, IsEmpty());
    ASSERT_TRUE(Deliver(performance_id::kSlider, DUI::kEventActivated, 80));
    EXPECT_EQ(Stored(u"dpi_group1_value"), 4000);
    EXPECT_THAT(host.log, ElementsAre("task 9", "wait"));
}

TEST_F(PerformancePage, TheSliderOffsetIsAddedToThePosition) {
    host.state.sensor_code = 149;
    host.state.SetLimits(LimitsForSensor(149, SensorRead::kConnect, 0));
    Refresh();
    ASSERT_TRUE(Deliver(performance_id::kSlider, DUI::kEventActivated, 98));
    EXPECT_EQ(Stored(StageValueKey(Page().Stages()->GetSelectItem())), 5000);
}

TEST_F(PerformancePage, ReleasingTheSliderWithoutAStageStillSends) {
    Page().Stages()->SetSelectItem(-1);
    ASSERT_TRUE(Deliver(performance_id::kSlider, 27, 40));
    EXPECT_THAT(host.tasks, IsEmpty());
    ASSERT_TRUE(Deliver(performance_id::kSlider, DUI::kEventActivated, 40));
    EXPECT_THAT(host.Codes(), ElementsAre(9));
}

TEST_F(PerformancePage, ATypedValueIsNormalisedAndWrittenBack) {
    host.state.sensor_code = 17;
    Store(u"dpi_index", 2);
    Refresh();
    ASSERT_TRUE(Headless::Type(*dlg, performance_id::kStages, u"23999"));
    ASSERT_TRUE(Deliver(performance_id::kStages, 29));
    // The stage shows the value the sensor carries, not the one typed.
    EXPECT_EQ(Page().Stages()->GetEditText(), u"24000");
    EXPECT_EQ(Page().Stages()->GetDPIValue(2), 24000);
    EXPECT_EQ(Page().Slider()->GetProgress(), 232);
    EXPECT_THAT(host.Codes(), ElementsAre(9));
}

TEST_F(PerformancePage, AStageColourFromThePalette) {
    Store(u"dpi_index", 1);
    Store(u"dpi_group2_value", 2400);
    Refresh();
    session.backend().SetModalPolicy([](DUI::MWindow& window) {
        auto& palette = dynamic_cast<DUI::MDialog&>(window);
        Headless::Click(palette, 41);  // the second preset
        return DUI::ModalAnswer::FirstButton();
    });
    ASSERT_TRUE(Deliver(performance_id::kStages, 9, 2));
    EXPECT_EQ(Stored(u"dpi_group2_rgb"), static_cast<int>(MousePaletteDlg::kPresets[1]));
    EXPECT_EQ(Page().Stages()->GetDPIColorValue(2), BgrToArgb(MousePaletteDlg::kPresets[1]));
    EXPECT_THAT(host.log, ElementsAre("task 10", "popup 2400", "wait"));
}

TEST_F(PerformancePage, AClosedPaletteChangesNothing) {
    Refresh();
    const DUI::Color before = Page().Stages()->GetDPIColorValue(2);
    const int stored = Stored(u"dpi_group2_rgb");
    session.backend().SetModalAnswer(DUI::ModalAnswer::Close());
    ASSERT_TRUE(Deliver(performance_id::kStages, 9, 2));
    EXPECT_EQ(Page().Stages()->GetDPIColorValue(2), before);
    EXPECT_EQ(Stored(u"dpi_group2_rgb"), stored);
    EXPECT_THAT(host.tasks, IsEmpty());
}

TEST_F(PerformancePage, ResponseTimeWhileTypingAndOnConfirmation) {
    Refresh();
    ASSERT_TRUE(Headless::Type(*dlg, performance_id::kResponseTime, u"35"));
    ASSERT_TRUE(Deliver(performance_id::kResponseTime, 29));
    EXPECT_EQ(Page().ResponseTime()->GetTitle(), u"20");
    EXPECT_THAT(host.tasks, IsEmpty());
    ASSERT_TRUE(Headless::Type(*dlg, performance_id::kResponseTime, u"7"));
    ASSERT_TRUE(Deliver(performance_id::kResponseTime, DUI::kEventActivated));
    EXPECT_EQ(Stored(u"button_respondtime"), 7);
    EXPECT_EQ(Page().ResponseTime()->GetTitle(), u"7");
    EXPECT_THAT(host.Codes(), ElementsAre(14));
}

TEST_F(PerformancePage, ButtonsListsAndChecks) {
    host.state.report_capability = 7;
    Refresh();
    ASSERT_TRUE(Deliver(performance_id::kReportRates, DUI::kEventActivated, 5));
    EXPECT_EQ(Stored(u"report_rate"), 32);
    ASSERT_TRUE(Click(performance_id::kLiftOff2mm));
    EXPECT_EQ(Stored(u"liftoff_height"), 2);
    ASSERT_TRUE(Click(performance_id::kLiftOff1mm));
    EXPECT_EQ(Stored(u"liftoff_height"), 1);

    Store(u"sensor_flag", 16);
    Refresh();
    ASSERT_TRUE(Click(performance_id::kSensorOptions, 0));
    EXPECT_EQ(Stored(u"sensor_flag"), 20);
    ASSERT_TRUE(Click(performance_id::kSensorOptions, 2));
    EXPECT_EQ(Stored(u"sensor_flag"), 4);

    ASSERT_TRUE(Deliver(performance_id::kSleepTime, DUI::kEventActivated, 5));
    EXPECT_EQ(Stored(u"sleep_light"), 180);
    Store(u"move_wakeup", 1);
    Store(u"move_closelight", 0);
    Refresh();
    ASSERT_TRUE(Click(performance_id::kMoveWakeup));
    EXPECT_EQ(Stored(u"move_wakeup"), 0);
    ASSERT_TRUE(Click(performance_id::kMoveCloseLight));
    EXPECT_EQ(Stored(u"move_closelight"), 1);
    ASSERT_TRUE(Click(performance_id::kSendDpi));
    EXPECT_THAT(host.Codes(), ElementsAre(11, 12, 12, 12, 12, 13, 13, 13, 9));
}

TEST_F(PerformancePage, ResetButtonsAndTheSystemSettings) {
    host.description_file = store.WriteFile("tx.xml", R"(<mouse><mouse_info>
<report_rate default_value="4"/></mouse_info></mouse>)");
    Store(u"report_rate", 1);
    Refresh();
    ASSERT_TRUE(Click(performance_id::kResetReportRate));
    EXPECT_EQ(Stored(u"report_rate"), 4);
    DUI::ReporteCtrl* rates = Page().ReportRates();
    EXPECT_EQ(rates->GetItemKeyValue(rates->GetCurSel()), 4);

    host.box_answer = 2;
    ASSERT_TRUE(Click(performance_id::kResetDpi));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_THAT(host.Codes(), ElementsAre(11));

    ASSERT_TRUE(Click(performance_id::kSystemMouseSettings));
    EXPECT_EQ(host.system_settings, 1);
}

TEST_F(PerformancePage, RestoringTheStagesReloadsTheDpiControls) {
    host.description_file = store.WriteFile("tx.xml", R"(<mouse><mouse_info>
<dpi_info default_dpi="1" dpi_count="3"><dpi_1 value="400" color="#0000FF"/>
<dpi_2 value="900" color="#00FF00"/><dpi_3 value="1500" color="#FF0000"/></dpi_info>
</mouse_info></mouse>)");
    Refresh();
    MemoryMouse mouse;
    mouse.AnswerEverything();
    ASSERT_TRUE(RestoreDpiStages(mouse.interface.get(), host, dlg.get()));
    DUI::DPIControl* stages = Page().Stages();
    EXPECT_EQ(stages->GetItemCount(), 3);
    EXPECT_EQ(stages->GetSelectItem(), 1);
    EXPECT_EQ(stages->GetDPIValue(2), 1500);
    EXPECT_EQ(stages->GetDPIColorValue(2), BgrToArgb(0x0000FF));
    EXPECT_EQ(Page().StageCount()->GetCurData(), 3);
    EXPECT_EQ(Page().Slider()->GetProgress(), 18);
    EXPECT_EQ(mouse.device->WrittenReports().size(), 2u);
}

}  // namespace
}  // namespace tessaly::test
