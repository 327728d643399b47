#include "performance/page_events.h"

#include <array>
#include <memory>

#include "base/decimal.h"
#include "performance/change_operations.h"
#include "performance/factory_values.h"
#include "performance/page_refresh.h"
#include "performance/performance_controls.h"
#include "performance/performance_store.h"
#include "ui/dialogs/colour_values.h"
#include "ui/dialogs/mouse_palette_dlg.h"
#include "ui/ids/performance_page_ids.h"
#include "ui/toolkit/control_events.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly {
namespace {

namespace id = performance_id;

class PerformanceEvents {
  public:
    PerformanceEvents(DUI::MDialog& window, PerformanceHost& host) : window_(window), host_(host) {}

    int OnEdit(int control_id, int event, intptr_t param);
    int OnButton(int control_id, int event, intptr_t param);

  private:
    PerformanceControls Controls() const { return PerformanceControls(window_); }
    uint16_t Sensor() const { return host_.Device().sensor_code.load(); }

    void OnStageEvent(int event, intptr_t param);
    void OnStageColour(intptr_t param);
    void OnStageTyped();
    void OnSlider(int event);
    void OnResponseTime(int event);
    void OnStageCount();
    void OnReportRate();
    void OnLiftOff();
    void OnSensorOptions();
    void OnSleepTime();
    void OnCheck(int control_id);
    void ShowStage(int stage);

    DUI::MDialog& window_;
    PerformanceHost& host_;
};

int PerformanceEvents::OnEdit(int control_id, int event, intptr_t param) {
    switch (control_id) {
        case id::kStages:
            OnStageEvent(event, param);
            return 1;
        case id::kSlider:
            OnSlider(event);
            return 1;
        case id::kResponseTime:
            OnResponseTime(event);
            return 1;
        default:
            return 0;
    }
}

int PerformanceEvents::OnButton(int control_id, int, intptr_t) {
    switch (control_id) {
        case id::kResetDpi:
            ResetDpiStages(host_);
            return 1;
        case id::kSendDpi:
            SendDpiStages(host_);
            return 1;
        case id::kStageCount:
            OnStageCount();
            return 1;
        case id::kResetReportRate:
            ResetReportRate(host_, &window_);
            return 1;
        case id::kReportRates:
            OnReportRate();
            return 1;
        case id::kLiftOff1mm:
        case id::kLiftOff2mm:
            OnLiftOff();
            return 1;
        case id::kSensorOptions:
            OnSensorOptions();
            return 1;
        case id::kSleepTime:
            OnSleepTime();
            return 1;
        case id::kMoveWakeup:
        case id::kMoveCloseLight:
            OnCheck(control_id);
            return 1;
        default:
            return 0;
    }
}

void PerformanceEvents::ShowStage(int stage) {
    ShowStageOnSlider(window_, ReadStageValue(host_.CurrentProfile(), stage), Sensor());
}

void PerformanceEvents::OnStageEvent(int event, intptr_t param) {
    DUI::DPIControl* stages = Controls().Stages();
    if (stages == nullptr) {
        return;
    }
    if (event == DUI::kEventActivated || event == DUI::kEventSetFocus) {
        const int stage = stages->GetSelectItem();
        if (stage >= 0) {
            SelectStage(host_, stage);
            ShowStage(stage);
        }
    } else if (event == DUI::kEventSecondary) {
        OnStageColour(param);
    } else if (event == DUI::kEventKillFocus) {
        OnStageTyped();
    }
}

void PerformanceEvents::OnStageColour(intptr_t param) {
    DUI::DPIControl* stages = Controls().Stages();
    const int stage = param >= 0 && param < stages->GetItemCount() ? static_cast<int>(param)
                                                                   : stages->GetSelectItem();
    if (stage < 0) {
        return;
    }
    const uint32_t colour =
        MousePaletteDlg::Choose(&window_, ArgbToBgr(stages->GetDPIColorValue(stage)));
    if (colour == 0) {
        return;  // cancelled
    }
    stages->SetDPIColorValue(stage, BgrToArgb(colour));
    SetStageColour(host_, stage, colour);
    ShowStage(stage);
}

void PerformanceEvents::OnStageTyped() {
    DUI::DPIControl* stages = Controls().Stages();
    const int stage = stages->GetSelectItem();
    if (stage < 0) {
        return;
    }
    const int dpi = SetStageValueTyped(host_, stage, stages->GetEditText());
    stages->SetEditText(IntToDecimal(dpi));
    stages->SetDPIValue(stage, dpi);
    ShowStageOnSlider(window_, dpi, Sensor());
}

void PerformanceEvents::OnSlider(int event) {
    const PerformanceControls controls = Controls();
    DUI::DPIControl* stages = controls.Stages();
    DUI::DPISlider* slider = controls.Slider();
    if (stages == nullptr || slider == nullptr) {
        return;
    }
    const bool released = event == DUI::kEventActivated;
    const int stage = stages->GetSelectItem();
    if (stage < 0) {
        if (released) {
            SendDpiStages(host_);
        }
        return;
    }
    const int position = slider->GetProgress() + slider->GetOffset();
    const int dpi = SetStageValueSlider(host_, stage, position, released);
    stages->SetDPIValue(stage, dpi);
}

void PerformanceEvents::OnResponseTime(int event) {
    DUI::NumberEdit* edit = Controls().ResponseTime();
    if (edit == nullptr || (event != DUI::kEventKillFocus && event != DUI::kEventActivated)) {
        return;
    }
    const ResponseTime result =
        SetResponseTime(host_, edit->GetTitle(), event == DUI::kEventActivated);
    if (result.limited) {
        edit->SetTitle(IntToDecimal(result.value));
    }
}

void PerformanceEvents::OnStageCount() {
    const PerformanceControls controls = Controls();
    DUI::MComboBox* count_list = controls.StageCount();
    if (count_list == nullptr || count_list->GetCurSel() < 0) {
        return;
    }
    SetStageCount(host_, static_cast<int>(count_list->GetCurData()));
    DUI::DPIControl* stages = controls.Stages();
    if (stages == nullptr) {
        return;
    }
    const int profile = host_.CurrentProfile();
    const int count = ReadConfigNumber(profile, u"dpi_count");
    stages->ClearList();
    for (int i = 0; i < count; ++i) {
        stages->AddItem(ReadStageValue(profile, i), BgrToArgb(ReadStageColour(profile, i)));
    }
    const int index = ReadConfigNumber(profile, u"dpi_index");
    stages->SetSelectItem(index);
    ShowStage(index);
}

void PerformanceEvents::OnReportRate() {
    DUI::ReporteCtrl* rates = Controls().ReportRates();
    if (rates != nullptr && rates->GetCurSel() >= 0) {
        SetReportRate(host_, rates->GetItemKeyValue(rates->GetCurSel()));
    }
}

void PerformanceEvents::OnLiftOff() {
    DUI::CRadioButton* two_mm = Controls().LiftOff(id::kLiftOff2mm);
    SetLiftOff(host_, two_mm != nullptr && two_mm->GetCheck() ? LiftOff::k2mm : LiftOff::k1mm);
}

void PerformanceEvents::OnSensorOptions() {
    const PerformanceControls controls = Controls();
    std::array<bool, 3> checked{};
    for (int nth = 0; nth < 3; ++nth) {
        DUI::CCheckButton* option = controls.SensorOption(nth);
        checked[nth] = option != nullptr && option->GetCheck();
    }
    SetSensorOptions(host_, checked[0], checked[1], checked[2]);
}

void PerformanceEvents::OnSleepTime() {
    DUI::MComboBox* sleep = Controls().SleepTime();
    if (sleep != nullptr && sleep->GetCurSel() >= 0) {
        SetSleepTime(host_, static_cast<int>(sleep->GetCurData()));
    }
}

void PerformanceEvents::OnCheck(int control_id) {
    DUI::CCheckButton* check = Controls().Check(control_id);
    if (check == nullptr) {
        return;
    }
    if (control_id == id::kMoveWakeup) {
        SetMoveWakeup(host_, check->GetCheck());
    } else {
        SetMoveCloseLight(host_, check->GetCheck());
    }
}

}  // namespace

void InstallPerformancePage(const ui::PerformancePageContext& context, PerformanceHost& host) {
    auto events = std::make_shared<PerformanceEvents>(context.page.Window(), host);
    ui::PageRouter& router = context.router;
    router.SetPageHandler(ui::RouteSlot::kPerformanceEdit,
                          [events](int control_id, int event, intptr_t param) {
                              return events->OnEdit(control_id, event, param);
                          });
    router.SetPageHandler(ui::RouteSlot::kPerformancePage,
                          [events](int control_id, int event, intptr_t param) {
                              return events->OnButton(control_id, event, param);
                          });
    router.SetPageHandler(ui::RouteSlot::kSystemMouse, [&host](int, int, intptr_t) {
        host.OpenSystemMouseSettings();
        return 1;
    });
}

}  // namespace tessaly
