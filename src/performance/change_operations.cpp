#include "performance/change_operations.h"

#include <algorithm>
#include <array>

#include "base/decimal.h"
#include "base/task.h"
#include "performance/carried_dpi.h"
#include "performance/dpi_conversions.h"
#include "performance/performance_store.h"
#include "performance/setting_ranges.h"

namespace tessaly {
namespace {

// Stages the page can edit; the seventh slot is only stored.
bool EditableStage(int stage) {
    return stage >= 0 && stage < kMaxStageCount;
}

void QueueAndWait(PerformanceHost& host, Task task) {
    host.QueueTask(task);
    host.ShowSaveWait();
}

void PopupStage(PerformanceHost& host, int stage) {
    if (host.ShowDpiTips()) {
        host.ShowDpiPopup(ReadStageValue(host.CurrentProfile(), stage));
    }
}

// The mouse is told to use another stage: it becomes the device stage.
void SwitchDeviceStage(PerformanceHost& host, int stage) {
    host.Device().device_stage = static_cast<uint8_t>(stage);
    host.QueueTask(kTaskWriteDpiStages);
    PopupStage(host, stage);
    host.ShowSaveWait();
}

// Stored only as a value the sensor's codes carry, so that reading the mouse
// back gives the same value.
int CarriedStageValue(PerformanceHost& host, int dpi) {
    const SensorLimits limits = host.Device().Limits();
    return NearestCarriedDpi(host.Device().sensor_code.load(), dpi, limits.min_dpi, limits.max_dpi);
}

bool IsDeviceStage(PerformanceHost& host, int stage) {
    return host.Device().device_stage.load() == stage;
}

}  // namespace

void SetStageCount(PerformanceHost& host, int n) {
    n = std::clamp(n, 1, kMaxStageCount);
    const int profile = host.CurrentProfile();
    if (!WriteConfigNumber(profile, u"dpi_count", n)) {
        return;
    }
    if (ReadConfigNumber(profile, u"dpi_index") > n - 1 &&
        !WriteConfigNumber(profile, u"dpi_index", n - 1)) {
        return;
    }
    QueueAndWait(host, kTaskWriteDpiStages);
}

void SelectStage(PerformanceHost& host, int stage) {
    if (!EditableStage(stage)) {
        return;
    }
    if (!WriteConfigNumber(host.CurrentProfile(), u"dpi_index", stage)) {
        return;
    }
    if (!IsDeviceStage(host, stage)) {
        SwitchDeviceStage(host, stage);
    }
}

int SetStageValueTyped(PerformanceHost& host, int stage, std::u16string_view text) {
    const int dpi = CarriedStageValue(
        host, NormaliseTypedDpi(host.Device().sensor_code.load(), DecimalToInt(text)));
    if (!EditableStage(stage)) {
        return dpi;
    }
    if (!WriteConfigNumber(host.CurrentProfile(), StageValueKey(stage), dpi)) {
        return dpi;
    }
    host.QueueTask(kTaskWriteDpiStages);
    // The second write must carry the stage it switches to.
    if (!IsDeviceStage(host, stage) &&
        WriteConfigNumber(host.CurrentProfile(), u"dpi_index", stage)) {
        SwitchDeviceStage(host, stage);
    }
    return dpi;
}

int SetStageValueSlider(PerformanceHost& host, int stage, int position, bool final_position) {
    const int dpi =
        CarriedStageValue(host, SliderToDpi(host.Device().sensor_code.load(), position));
    if (!EditableStage(stage)) {
        return dpi;
    }
    if (WriteConfigNumber(host.CurrentProfile(), StageValueKey(stage), dpi) && final_position) {
        QueueAndWait(host, kTaskWriteDpiStages);
    }
    return dpi;
}

void SetStageColour(PerformanceHost& host, int stage, uint32_t colour) {
    if (colour == 0 || !EditableStage(stage)) {
        return;
    }
    if (!WriteConfigNumber(host.CurrentProfile(), StageColourKey(stage), colour & 0xFFFFFFu)) {
        return;
    }
    host.QueueTask(kTaskWriteDpiColours);
    PopupStage(host, stage);
    host.ShowSaveWait();
}

void SendDpiStages(PerformanceHost& host) {
    QueueAndWait(host, kTaskWriteDpiStages);
}

void SetReportRate(PerformanceHost& host, int code) {
    const int profile = host.CurrentProfile();
    if (WriteConfigNumber(profile, u"report_rate", code) &&
        WriteConfigNumber(profile, u"report_rate_wireless", code)) {
        QueueAndWait(host, kTaskWriteReportRate);
    }
}

void SetLiftOff(PerformanceHost& host, LiftOff height) {
    if (WriteConfigNumber(host.CurrentProfile(), u"liftoff_height", static_cast<int>(height))) {
        QueueAndWait(host, kTaskWriteLiftOffSensor);
    }
}

void SetSensorOptions(PerformanceHost& host, bool first, bool second, bool third) {
    const int flag = 4 * first + 8 * second + 16 * third;
    if (WriteConfigNumber(host.CurrentProfile(), u"sensor_flag", flag)) {
        QueueAndWait(host, kTaskWriteLiftOffSensor);
    }
}

ResponseTime SetResponseTime(PerformanceHost& host, std::u16string_view text, bool confirmed) {
    const int typed = DecimalToInt(text);
    ResponseTime result;
    result.value = std::clamp(typed, 0, kMaxResponseTime);
    result.limited = result.value != typed;
    if (WriteConfigNumber(host.CurrentProfile(), u"button_respondtime", result.value) &&
        confirmed) {
        QueueAndWait(host, kTaskWriteResponseTime);
    }
    return result;
}

void SetSleepTime(PerformanceHost& host, int tens_of_seconds) {
    if (!IsSleepTime(tens_of_seconds)) {
        return;
    }
    if (WriteConfigNumber(host.CurrentProfile(), u"sleep_light", tens_of_seconds)) {
        QueueAndWait(host, kTaskWriteSleepResponse);
    }
}

void SetMoveWakeup(PerformanceHost& host, bool on) {
    if (WriteConfigNumber(host.CurrentProfile(), u"move_wakeup", on ? 1 : 0)) {
        QueueAndWait(host, kTaskWriteSleepResponse);
    }
}

void SetMoveCloseLight(PerformanceHost& host, bool on) {
    if (WriteConfigNumber(host.CurrentProfile(), u"move_closelight", on ? 1 : 0)) {
        QueueAndWait(host, kTaskWriteSleepResponse);
    }
}

}  // namespace tessaly
