#include "performance/change_operations.h"

#include <algorithm>
#include <array>

#include "base/decimal.h"
#include "performance/dpi_conversions.h"
#include "performance/performance_store.h"
#include "performance/performance_tasks.h"
#include "performance/setting_ranges.h"

namespace tessaly {
namespace {

// Stages the page can edit; the seventh slot is only stored.
bool EditableStage(int stage) {
    return stage >= 0 && stage < kMaxStageCount;
}

void QueueAndWait(PerformanceHost& host, PerformanceTask task) {
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

bool IsDeviceStage(PerformanceHost& host, int stage) {
    return host.Device().device_stage.load() == stage;
}

}  // namespace

void SetStageCount(PerformanceHost& host, int n) {
    n = std::clamp(n, 1, kMaxStageCount);
    const int profile = host.CurrentProfile();
    WriteConfigNumber(profile, u"dpi_count", n);
    if (ReadConfigNumber(profile, u"dpi_index") > n - 1) {
        WriteConfigNumber(profile, u"dpi_index", n - 1);
    }
    QueueAndWait(host, kTaskWriteDpiStages);
}

void SelectStage(PerformanceHost& host, int stage) {
    if (!EditableStage(stage)) {
        return;
    }
    WriteConfigNumber(host.CurrentProfile(), u"dpi_index", stage);
    if (!IsDeviceStage(host, stage)) {
        SwitchDeviceStage(host, stage);
    }
}

int SetStageValueTyped(PerformanceHost& host, int stage, std::u16string_view text) {
    const int dpi = NormaliseTypedDpi(host.Device().sensor_code.load(), DecimalToInt(text));
    if (!EditableStage(stage)) {
        return dpi;
    }
    WriteConfigNumber(host.CurrentProfile(), StageValueKey(stage), dpi);
    host.QueueTask(kTaskWriteDpiStages);
    if (!IsDeviceStage(host, stage)) {
        // The second write must carry the stage it switches to.
        WriteConfigNumber(host.CurrentProfile(), u"dpi_index", stage);
        SwitchDeviceStage(host, stage);
    }
    return dpi;
}

int SetStageValueSlider(PerformanceHost& host, int stage, int position, bool final_position) {
    const int dpi = SliderToDpi(host.Device().sensor_code.load(), position);
    if (!EditableStage(stage)) {
        return dpi;
    }
    WriteConfigNumber(host.CurrentProfile(), StageValueKey(stage), dpi);
    if (final_position) {
        QueueAndWait(host, kTaskWriteDpiStages);
    }
    return dpi;
}

void SetStageColour(PerformanceHost& host, int stage, uint32_t colour) {
    if (colour == 0 || !EditableStage(stage)) {
        return;
    }
    WriteConfigNumber(host.CurrentProfile(), StageColourKey(stage), colour & 0xFFFFFFu);
    host.QueueTask(kTaskWriteDpiColours);
    PopupStage(host, stage);
    host.ShowSaveWait();
}

void SendDpiStages(PerformanceHost& host) {
    QueueAndWait(host, kTaskWriteDpiStages);
}

void SetReportRate(PerformanceHost& host, int code) {
    const int profile = host.CurrentProfile();
    WriteConfigNumber(profile, u"report_rate", code);
    WriteConfigNumber(profile, u"report_rate_wireless", code);
    QueueAndWait(host, kTaskWriteReportRate);
}

void SetLiftOff(PerformanceHost& host, LiftOff height) {
    WriteConfigNumber(host.CurrentProfile(), u"liftoff_height", static_cast<int>(height));
    QueueAndWait(host, kTaskWriteLiftOffSensor);
}

void SetSensorOptions(PerformanceHost& host, bool first, bool second, bool third) {
    const int flag = 4 * first + 8 * second + 16 * third;
    WriteConfigNumber(host.CurrentProfile(), u"sensor_flag", flag);
    QueueAndWait(host, kTaskWriteLiftOffSensor);
}

ResponseTime SetResponseTime(PerformanceHost& host, std::u16string_view text, bool confirmed) {
    const int typed = DecimalToInt(text);
    ResponseTime result;
    result.value = std::clamp(typed, 0, kMaxResponseTime);
    result.limited = result.value != typed;
    WriteConfigNumber(host.CurrentProfile(), u"button_respondtime", result.value);
    if (confirmed) {
        QueueAndWait(host, kTaskWriteResponseTime);
    }
    return result;
}

void SetSleepTime(PerformanceHost& host, int tens_of_seconds) {
    if (!IsSleepTime(tens_of_seconds)) {
        return;
    }
    WriteConfigNumber(host.CurrentProfile(), u"sleep_light", tens_of_seconds);
    QueueAndWait(host, kTaskWriteSleepResponse);
}

void SetMoveWakeup(PerformanceHost& host, bool on) {
    WriteConfigNumber(host.CurrentProfile(), u"move_wakeup", on ? 1 : 0);
    QueueAndWait(host, kTaskWriteSleepResponse);
}

void SetMoveCloseLight(PerformanceHost& host, bool on) {
    WriteConfigNumber(host.CurrentProfile(), u"move_closelight", on ? 1 : 0);
    QueueAndWait(host, kTaskWriteSleepResponse);
}

}  // namespace tessaly
