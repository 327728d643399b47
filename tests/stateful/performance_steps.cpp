// The performance page's actions through its change operations, as the
// page's events call them.

#include <algorithm>

#include "base/unicode.h"
#include "performance/performance_controls.h"
#include "stateful/action_steps.h"
#include "stateful/design_tables.h"
#include "ui/dialogs/mouse_palette_dlg.h"
#include "ui/ids/performance_page_ids.h"
#include "ui/ids/popup_ids.h"
#include "ui/toolkit/control_events.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/dpi_control.h"
#include "ui/toolkit/controls/edits.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/report_ctrl.h"
#include "ui/toolkit/headless_backend.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::stateful {
namespace {

namespace id = performance_id;

// The rates of report capability 7, by code.
constexpr int kRateCodes[] = {8, 4, 2, 1, 16, 32, 64};
constexpr int kSleepTimes[] = {6, 12, 36, 60, 120, 180};

Performance& Perf(ActionContext& c) {
    return c.model.Current().perf;
}

PerformanceControls Controls(ActionContext& c) {
    return PerformanceControls(c.program.Window());
}

// The page hears the control's event, as after the user's click.
void Deliver(ActionContext& c, int control, int event = DUI::kEventActivated, intptr_t param = 0) {
    c.program.Window().OnMessage(control, event, param, 0);
    c.program.Session().ProcessPending();
}

// A click on a listed stage.
void ClickStage(ActionContext& c, int stage) {
    if (DUI::DPIControl* stages = Controls(c).Stages()) {
        stages->SetSelectItem(stage);
        Deliver(c, id::kStages, DUI::kEventActivated, stage);
    }
}

int ShownStage(ActionContext& c) {
    return c.Pick(0, std::max(Perf(c).count, 1) - 1);
}

// A value a user types: one the slider offers, one near a limit, or any.
int TypedValue(ActionContext& c) {
    const int sensor = c.program.Sensor();
    const DpiLimits limits = SensorDpiLimits(sensor);
    switch (c.Pick(0, 3)) {
        case 0:
        case 1:
            return SliderDpi(sensor, c.Pick(1, SliderPositions(sensor)));
        case 2:
            return c.Coin() ? limits.min + c.Pick(-60, 60) : limits.max + c.Pick(-60, 60);
        default:
            return c.Pick(0, 40000);
    }
}

}  // namespace

void SetStageCountStep(ActionContext& c) {
    const int n = c.Pick(1, 6);
    c.description = "dpi count " + std::to_string(n);
    DUI::MComboBox* list = Controls(c).StageCount();
    if (list == nullptr || !list->SelectData(n))
        return;
    Deliver(c, id::kStageCount, DUI::kEventActivated, list->GetCurSel());
    Perf(c).count = n;
    Perf(c).index = std::min(Perf(c).index, n - 1);
}

void SelectStageStep(ActionContext& c) {
    const int stage = ShownStage(c);
    c.description = "dpi select " + std::to_string(stage);
    ClickStage(c, stage);
    Perf(c).index = stage;
}

// The stage clicked, its value typed in place and the edit ended.
void TypeStageValueStep(ActionContext& c) {
    const int stage = ShownStage(c);
    const int typed = TypedValue(c);
    c.description = "dpi set " + std::to_string(stage) + " " + std::to_string(typed);
    DUI::DPIControl* stages = Controls(c).Stages();
    if (stages == nullptr)
        return;
    ClickStage(c, stage);
    stages->SetEditText(FromUtf8(std::to_string(typed)));
    Deliver(c, id::kStages, DUI::kEventKillFocus);
    const int normalised = NormaliseTypedDpi(c.program.Sensor(), typed);
    Perf(c).dpi[static_cast<size_t>(stage)] = normalised;
    Perf(c).index = stage;
    c.facts.typed_stage = stage;
    c.facts.typed_value = normalised;
}

// The stage's colour clicked; the palette dialog gets the colour in its
// three fields and is closed with OK.
void SetStageColourStep(ActionContext& c) {
    const int stage = ShownStage(c);
    const int red = c.Pick(0, 255), green = c.Pick(0, 255), blue = c.Pick(1, 255);
    const uint32_t colour = static_cast<uint32_t>(red + green * 256 + blue * 65536);
    c.description = "dpi colour " + std::to_string(stage) + " " + std::to_string(colour);
    DUI::HeadlessBackend& backend = c.program.Session().backend();
    backend.SetModalPolicy([red, green, blue](DUI::MWindow& window) {
        if (auto* palette = dynamic_cast<MousePaletteDlg*>(&window)) {
            const int parts[] = {red, green, blue};
            for (int i = 0; i < 3; ++i) {
                if (auto* field = palette->GetControlAs<DUI::MEdit>(palette_id::kFirstField + i))
                    field->SetTitle(FromUtf8(std::to_string(parts[i])));
            }
            palette->OnMessage(palette_id::kFirstField, DUI::kEventTextChanged, 0, 0);
        }
        return DUI::ModalAnswer::FirstButton();
    });
    Deliver(c, id::kStages, DUI::kEventSecondary, stage);
    backend.SetModalPolicy({});
    backend.SetModalAnswer(DUI::ModalAnswer::FirstButton());
    Perf(c).rgb[static_cast<size_t>(stage)] = colour;
}

void SetReportRateStep(ActionContext& c) {
    const int code = kRateCodes[c.Pick(0, 6)];
    c.description = "rate code " + std::to_string(code);
    DUI::ReporteCtrl* rates = Controls(c).ReportRates();
    if (rates == nullptr || !rates->SelectKeyValue(code))
        return;
    Deliver(c, id::kReportRates);
    Perf(c).rate = code;
}

void SetLiftOffStep(ActionContext& c) {
    const bool two = c.Coin();
    c.description = two ? "liftoff 2" : "liftoff 1";
    const PerformanceControls controls = Controls(c);
    DUI::CRadioButton* one_mm = controls.LiftOff(id::kLiftOff1mm);
    DUI::CRadioButton* two_mm = controls.LiftOff(id::kLiftOff2mm);
    if (one_mm == nullptr || two_mm == nullptr)
        return;
    one_mm->SetCheck(!two);
    two_mm->SetCheck(two);
    Deliver(c, two ? id::kLiftOff2mm : id::kLiftOff1mm);
    Perf(c).liftoff = two ? 2 : 1;
}

void SetSensorOptionsStep(ActionContext& c) {
    const bool on[] = {c.Coin(), c.Coin(), c.Coin()};
    c.description = std::string("sensor ") + (on[0] ? "on " : "off ") + (on[1] ? "on " : "off ") +
                    (on[2] ? "on" : "off");
    const PerformanceControls controls = Controls(c);
    for (int n = 0; n < 3; ++n) {
        if (DUI::CCheckButton* box = controls.SensorOption(n))
            box->SetCheck(on[n]);
    }
    Deliver(c, id::kSensorOptions);
    Perf(c).sensor_flag = 4 * on[0] + 8 * on[1] + 16 * on[2];
}

// Typed, then confirmed.
void SetResponseTimeStep(ActionContext& c) {
    const int typed = c.Pick(-5, 30);
    c.description = "response " + std::to_string(typed);
    DUI::NumberEdit* edit = Controls(c).ResponseTime();
    if (edit == nullptr)
        return;
    edit->SetTitle(FromUtf8(std::to_string(typed)));
    Deliver(c, id::kResponseTime, DUI::kEventKillFocus);
    Deliver(c, id::kResponseTime, DUI::kEventActivated);
    Perf(c).response = std::clamp(typed, 0, 20);
}

void SetSleepStep(ActionContext& c) {
    const int tens = kSleepTimes[c.Pick(0, 5)];
    c.description = "sleep " + std::to_string(tens);
    DUI::MComboBox* sleep = Controls(c).SleepTime();
    if (sleep == nullptr || !sleep->SelectData(tens))
        return;
    Deliver(c, id::kSleepTime, DUI::kEventActivated, sleep->GetCurSel());
    Perf(c).sleep = tens;
}

static void Tick(ActionContext& c, int control, bool on) {
    if (DUI::CCheckButton* box = Controls(c).Check(control)) {
        box->SetCheck(on);
        Deliver(c, control);
    }
}

void SetWakeStep(ActionContext& c) {
    const bool on = c.Coin();
    c.description = on ? "wake on" : "wake off";
    Tick(c, id::kMoveWakeup, on);
    Perf(c).wake = on;
}

void SetCloseLightStep(ActionContext& c) {
    const bool on = c.Coin();
    c.description = on ? "closelight on" : "closelight off";
    Tick(c, id::kMoveCloseLight, on);
    Perf(c).close_light = on;
}

void PressMouseDpiButtonStep(ActionContext& c) {
    c.description = "the mouse's DPI button";
    c.program.Mouse().PressDpiButton();
    // The mouse cycles through its stages and reports the new one; the
    // worker hears it while it listens.
    const int next = (Perf(c).index + 1) % std::max(Perf(c).count, 1);
    Perf(c).index = next;
    c.program.WaitUntil([&] { return c.program.Program().Device().device_stage.load() == next; });
    c.program.Linger();
}

}  // namespace tessaly::stateful
