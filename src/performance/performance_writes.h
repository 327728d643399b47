#pragma once
// The bodies of the performance write tasks, run by the device worker. Each
// reads the stored values of the profile when it runs and sends one
// command; true when the mouse acknowledged it. Failure traces are the
// command sender's; what else a failure calls for is the caller's.

#include <cstdint>
#include <optional>

#include "app/device_state.h"
#include "device/hid_transport.h"
#include "performance/performance_host.h"
#include "ui/toolkit/dialog.h"

namespace tessaly {

// Task 9: count, current stage and six stage values, each clamped to the
// sensor's limits and converted. Once acknowledged, the mouse uses the
// stored stage and count.
bool WriteDpiStages(HidInterface* mouse, int profile, DeviceState& state);
// Task 10: the six stage colours.
bool WriteDpiColours(HidInterface* mouse, int profile);
// Task 11: report_rate.
bool WriteReportRate(HidInterface* mouse, int profile);
// Task 12: liftoff_height and sensor_flag.
bool WriteLiftOffSensor(HidInterface* mouse, int profile);
// Tasks 13 and 14: sleep_light, move_wakeup, move_closelight and
// button_respondtime.
bool WriteSleepResponse(HidInterface* mouse, int profile);

// Task 18: the factory stages into the host's profile, shown on the page
// of `window` (when given), then tasks 9 and 10. True when both were sent.
bool RestoreDpiStages(HidInterface* mouse, PerformanceHost& host, const DUI::MDialog* window);

// The body of task 9 … 14 or 18 for the host's profile; nothing for any
// other code, which belongs to another part of the task table.
std::optional<bool> RunPerformanceTask(int32_t code, HidInterface* mouse, PerformanceHost& host,
                                       const DUI::MDialog* window);

}  // namespace tessaly
