#include "performance/page_refresh.h"

#include <algorithm>

#include "base/decimal.h"
#include "performance/dpi_conversions.h"
#include "performance/performance_controls.h"
#include "performance/performance_store.h"
#include "performance/report_rates.h"
#include "ui/dialogs/colour_values.h"
#include "ui/localisation/unit_texts.h"
#include "ui/pages/performance_page.h"

namespace tessaly {
namespace {

namespace id = performance_id;

constexpr int kSensorBits[] = {4, 8, 16};

void ShowResponseTime(const PerformanceControls& controls, int profile) {
    if (DUI::NumberEdit* edit = controls.ResponseTime()) {
        edit->SetTitle(IntToDecimal(ReadConfigNumber(profile, u"button_respondtime")));
    }
}

void ShowReportRates(const PerformanceControls& controls, int profile, const DeviceState& state) {
    DUI::ReporteCtrl* rates = controls.ReportRates();
    if (rates == nullptr) {
        return;
    }
    rates->DeleteAllItems();
    for (const ReportRate& rate : OfferedReportRates(state.report_capability.load())) {
        rates->AddItem(WithUnit(Unit::kHertz, rate.hertz), rate.code, BgrToArgb(rate.colour));
    }
    rates->SelectKeyValue(ReadConfigNumber(profile, u"report_rate"));
}

void ShowSensorOptions(const PerformanceControls& controls, int profile) {
    const int flag = ReadConfigNumber(profile, u"sensor_flag");
    for (int nth = 0; nth < 3; ++nth) {
        if (DUI::CCheckButton* option = controls.SensorOption(nth)) {
            option->SetCheck((flag & kSensorBits[nth]) != 0);
        }
    }
}

void ShowLiftOff(const PerformanceControls& controls, int profile) {
    // Only the exact text "2" means 2.0 mm; "02" is 1.0 mm.
    const bool two = ReadConfigText(profile, u"liftoff_height") == u"2";
    DUI::CRadioButton* one_mm = controls.LiftOff(id::kLiftOff1mm);
    DUI::CRadioButton* two_mm = controls.LiftOff(id::kLiftOff2mm);
    if (one_mm != nullptr) {
        one_mm->SetCheck(!two);
    }
    if (two_mm != nullptr) {
        two_mm->SetCheck(two);
    }
}

void ShowPower(const PerformanceControls& controls, int profile) {
    if (DUI::MComboBox* sleep = controls.SleepTime()) {
        sleep->SelectData(ReadConfigNumber(profile, u"sleep_light"));
    }
    if (DUI::CCheckButton* wake = controls.Check(id::kMoveWakeup)) {
        wake->SetCheck(ReadConfigNumber(profile, u"move_wakeup") == 1);
    }
    if (DUI::CCheckButton* close_light = controls.Check(id::kMoveCloseLight)) {
        close_light->SetCheck(ReadConfigNumber(profile, u"move_closelight") == 1);
    }
}

}  // namespace

int SliderOffsetForSensor(uint16_t sensor) {
    return sensor == 149 || sensor == 150 ? 2 : 0;
}

void ShowStageOnSlider(const DUI::MDialog& window, int dpi, uint16_t sensor) {
    if (DUI::DPISlider* slider = PerformanceControls(window).Slider()) {
        slider->SetProgress(DpiToSliderCode(sensor, dpi));
    }
}

void ShowDpiStages(const DUI::MDialog& window, int profile, DeviceState& state) {
    const PerformanceControls controls(window);
    DUI::DPIControl* stages = controls.Stages();
    const int count = ReadConfigNumber(profile, u"dpi_count");
    const int index = ReadConfigNumber(profile, u"dpi_index");
    if (stages != nullptr) {
        for (int i = 0; i < kStageSlots; ++i) {
            stages->SetDPIValue(i, ReadStageValue(profile, i));
            stages->SetDPIColorValue(i, BgrToArgb(ReadStageColour(profile, i)));
        }
    }
    if (DUI::MComboBox* count_list = controls.StageCount()) {
        count_list->SelectData(count);
    }
    state.device_stage_count = static_cast<uint8_t>(count);
    state.device_stage = static_cast<uint8_t>(index);
    if (stages == nullptr) {
        return;
    }
    stages->ClearList();
    for (int i = 0; i < std::min(count, kMaxStageCount); ++i) {
        stages->AddItem(ReadStageValue(profile, i), BgrToArgb(ReadStageColour(profile, i)));
    }
    const int selected = index >= 0 && index < count ? index : 0;
    stages->SetSelectItem(selected);
    ShowStageOnSlider(window, ReadStageValue(profile, selected), state.sensor_code.load());
}

void ApplySensorLimits(const DUI::MDialog& window, const DeviceState& state) {
    DUI::DPISlider* slider = PerformanceControls(window).Slider();
    if (slider == nullptr) {
        return;
    }
    const SensorLimits limits = state.Limits();
    slider->SetDPIDesc(limits.min_label, limits.max_label);
    slider->SetMaxValue(limits.slider_positions);
    slider->SetOffset(SliderOffsetForSensor(state.sensor_code.load()));
}

void RefreshPerformancePage(const DUI::MDialog& window, PerformanceHost& host) {
    const PerformanceControls controls(window);
    const int profile = host.CurrentProfile();
    DeviceState& state = host.Device();
    ApplySensorLimits(window, state);
    ShowResponseTime(controls, profile);
    ShowReportRates(controls, profile, state);
    ShowDpiStages(window, profile, state);
    ShowSensorOptions(controls, profile);
    ShowLiftOff(controls, profile);
    ShowPower(controls, profile);
}

void ApplyPerformanceVisibility(const ui::PerformancePageContext& context) {
    ui::SetPerformanceGroupsVisible(context.page.Window(), context.tips.show_lift_off,
                                    context.tips.show_sensor);
}

}  // namespace tessaly
