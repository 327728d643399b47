#include "performance/performance_writes.h"

#include "device/commands/command_builders.h"
#include "device/commands/command_sender.h"
#include "performance/dpi_conversions.h"
#include "performance/factory_values.h"
#include "performance/page_refresh.h"
#include "performance/performance_store.h"
#include "performance/performance_tasks.h"

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

}  // namespace

bool WriteDpiStages(HidInterface* mouse, int profile, DeviceState& state) {
    DpiStagesValues values;
    values.index = ReadConfigNumber(profile, u"dpi_index");
    values.count = ReadConfigNumber(profile, u"dpi_count");
    const SensorLimits limits = state.Limits();
    const uint16_t sensor = state.sensor_code.load();
    for (int i = 0; i < kDpiStages; ++i) {
        const int dpi = ReadStageValue(profile, i);
        values.codes[i] =
            static_cast<uint16_t>(StageDeviceCode(sensor, dpi, limits.min_dpi, limits.max_dpi));
    }
    if (!SendCommand(mouse, BuildDpiStages(values)).ok()) {
        return false;
    }
    state.device_stage = Byte(values.index);
    state.device_stage_count = Byte(values.count);
    return true;
}

bool WriteDpiColours(HidInterface* mouse, int profile) {
    DpiColours colours{};
    for (int i = 0; i < kDpiStages; ++i) {
        colours[i] = ReadStageColour(profile, i);
    }
    return SendCommand(mouse, BuildDpiColours(colours)).ok();
}

bool WriteReportRate(HidInterface* mouse, int profile) {
    return SendCommand(mouse, BuildReportRate(Byte(ReadConfigNumber(profile, u"report_rate"))))
        .ok();
}

bool WriteLiftOffSensor(HidInterface* mouse, int profile) {
    return SendCommand(mouse, BuildLiftOffSensor(Byte(ReadConfigNumber(profile, u"liftoff_height")),
                                                 ReadConfigNumber(profile, u"sensor_flag")))
        .ok();
}

bool WriteSleepResponse(HidInterface* mouse, int profile) {
    SleepResponseValues values;
    values.sleep_light = Byte(ReadConfigNumber(profile, u"sleep_light"));
    values.move_wakeup = Byte(ReadConfigNumber(profile, u"move_wakeup"));
    values.move_closelight = Byte(ReadConfigNumber(profile, u"move_closelight"));
    values.button_respondtime = Byte(ReadConfigNumber(profile, u"button_respondtime"));
    return SendCommand(mouse, BuildSleepResponse(values)).ok();
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
