#include "performance/performance_writes.h"

#include "base/decimal.h"
#include "base/task.h"
#include "base/trace.h"
#include "base/unicode.h"
#include "device/commands/command_builders.h"
#include "device/commands/command_sender.h"
#include "performance/dpi_conversions.h"
#include "performance/factory_values.h"
#include "performance/page_refresh.h"
#include "performance/performance_store.h"
#include "storage/config_store.h"

namespace tessaly {
namespace {

uint8_t Byte(int value) {
    return static_cast<uint8_t>(value);
}

using TaskBody = bool (*)(HidInterface*, PerformanceHost&, const DUI::MDialog*);

struct TaskRow {
    int32_t code;
    TaskBody body;
};

bool ProfileWrite(bool (*write)(HidInterface*, int), HidInterface* mouse, PerformanceHost& host) {
    return write(mouse, host.CurrentProfile());
}

// The stored values a write sends. A value the store cannot give (a file
// another program locked, a profile without its rows) is never replaced by
// 0 and sent: the write sends nothing.
class StoredValues {
  public:
    explicit StoredValues(int profile) : profile_(profile) {}
    int Number(std::u16string_view key) {
        std::u16string text;
        if (!GetConfigValue(profile_, key, text)) {
            missing_ = true;
            Trace(kTraceDevice, "not sent: %s is not in the store", ToUtf8(key).c_str());
        }
        return DecimalToInt(text);
    }
    bool Complete() const { return !missing_; }

  private:
    int profile_;
    bool missing_ = false;
};

}  // namespace

bool WriteDpiStages(HidInterface* mouse, int profile, DeviceState& state) {
    StoredValues stored(profile);
    DpiStagesValues values;
    values.index = stored.Number(u"dpi_index");
    values.count = stored.Number(u"dpi_count");
    const SensorLimits limits = state.Limits();
    const uint16_t sensor = state.sensor_code.load();
    for (int i = 0; i < kDpiStages; ++i) {
        const int dpi = stored.Number(StageValueKey(i));
        values.codes[i] =
            static_cast<uint16_t>(StageDeviceCode(sensor, dpi, limits.min_dpi, limits.max_dpi));
    }
    if (!stored.Complete()) {
        return true;
    }
    if (!SendCommand(mouse, BuildDpiStages(values)).ok()) {
        return false;
    }
    state.device_stage = Byte(values.index);
    state.device_stage_count = Byte(values.count);
    return true;
}

bool WriteDpiColours(HidInterface* mouse, int profile) {
    StoredValues stored(profile);
    DpiColours colours{};
    for (int i = 0; i < kDpiStages; ++i) {
        colours[i] = static_cast<uint32_t>(stored.Number(StageColourKey(i))) & 0xFFFFFFu;
    }
    return !stored.Complete() || SendCommand(mouse, BuildDpiColours(colours)).ok();
}

bool WriteReportRate(HidInterface* mouse, int profile) {
    StoredValues stored(profile);
    const uint8_t rate = Byte(stored.Number(u"report_rate"));
    return !stored.Complete() || SendCommand(mouse, BuildReportRate(rate)).ok();
}

bool WriteLiftOffSensor(HidInterface* mouse, int profile) {
    StoredValues stored(profile);
    const uint8_t height = Byte(stored.Number(u"liftoff_height"));
    const int flag = stored.Number(u"sensor_flag");
    return !stored.Complete() || SendCommand(mouse, BuildLiftOffSensor(height, flag)).ok();
}

bool WriteSleepResponse(HidInterface* mouse, int profile) {
    StoredValues stored(profile);
    SleepResponseValues values;
    values.sleep_light = Byte(stored.Number(u"sleep_light"));
    values.move_wakeup = Byte(stored.Number(u"move_wakeup"));
    values.move_closelight = Byte(stored.Number(u"move_closelight"));
    values.button_respondtime = Byte(stored.Number(u"button_respondtime"));
    return !stored.Complete() || SendCommand(mouse, BuildSleepResponse(values)).ok();
}

bool RestoreDpiStages(HidInterface* mouse, PerformanceHost& host, const DUI::MDialog* window) {
    ApplyFactoryValues(host, FactoryScope::kDpiOnly, window);
    const int profile = host.CurrentProfile();
    if (window != nullptr) {
        ShowDpiStages(*window, profile, host.Device());
    }
    const bool stages = WriteDpiStages(mouse, profile, host.Device());
    const bool colours = WriteDpiColours(mouse, profile);
    return stages && colours;
}

std::optional<bool> RunPerformanceTask(int32_t code, HidInterface* mouse, PerformanceHost& host,
                                       const DUI::MDialog* window) {
    static constexpr TaskRow kTasks[] = {
        {kTaskWriteDpiStages,
         [](HidInterface* m, PerformanceHost& h, const DUI::MDialog*) {
             return WriteDpiStages(m, h.CurrentProfile(), h.Device());
         }},
        {kTaskWriteDpiColours,
         [](HidInterface* m, PerformanceHost& h, const DUI::MDialog*) {
             return ProfileWrite(WriteDpiColours, m, h);
         }},
        {kTaskWriteReportRate,
         [](HidInterface* m, PerformanceHost& h, const DUI::MDialog*) {
             return ProfileWrite(WriteReportRate, m, h);
         }},
        {kTaskWriteLiftOffSensor,
         [](HidInterface* m, PerformanceHost& h, const DUI::MDialog*) {
             return ProfileWrite(WriteLiftOffSensor, m, h);
         }},
        {kTaskWriteSleepResponse,
         [](HidInterface* m, PerformanceHost& h, const DUI::MDialog*) {
             return ProfileWrite(WriteSleepResponse, m, h);
         }},
        {kTaskWriteResponseTime,
         [](HidInterface* m, PerformanceHost& h, const DUI::MDialog*) {
             return ProfileWrite(WriteSleepResponse, m, h);
         }},
        {kTaskRestoreDpiStages, RestoreDpiStages},
    };
    for (const TaskRow& row : kTasks) {
        if (row.code == code) {
            return row.body(mouse, host, window);
        }
    }
    return std::nullopt;
}

}  // namespace tessaly
