#pragma once
// The changes the performance page makes: each stores the new value in the
// current profile first, then queues the task that sends its group, then
// shows the wait dialog, unless noted otherwise. The tasks read the store
// when they run, so queued changes of one group send the latest values. A
// value the store did not keep is not sent: nothing is queued or shown (the
// store's health tells the user). UI thread.

#include <string_view>

#include "performance/performance_host.h"

namespace tessaly {

// n is limited to 1 … 6; a current stage beyond the new count becomes the
// last stage.
void SetStageCount(PerformanceHost& host, int n);
// Queues and shows nothing when the mouse already uses the stage.
void SelectStage(PerformanceHost& host, int stage);
// The typed value, normalised for the sensor, is stored and returned (the
// caller writes it back into the edit field). Queues the stages without the
// wait dialog; a stage other than the mouse's then becomes the current
// stage (dpi_index) and is sent again with the popup and the wait dialog.
int SetStageValueTyped(PerformanceHost& host, int stage, std::u16string_view text);
// The slider position (offset included) as DPI, stored and returned; sent
// only when final (the slider was released).
int SetStageValueSlider(PerformanceHost& host, int stage, int position, bool final_position);
// A colour of 0 is what a cancelled palette gives; it changes nothing.
void SetStageColour(PerformanceHost& host, int stage, uint32_t colour);
// Button "send": queues the stages as stored, with the wait dialog.
void SendDpiStages(PerformanceHost& host);
void SetReportRate(PerformanceHost& host, int code);

enum class LiftOff { k1mm = 1, k2mm = 2 };
void SetLiftOff(PerformanceHost& host, LiftOff height);
// Replaces the whole sensor_flag: bits other than 4, 8 and 16 are cleared.
void SetSensorOptions(PerformanceHost& host, bool first, bool second, bool third);

struct ResponseTime {
    int value = 0;         // what was stored, 0 … 20
    bool limited = false;  // the text was outside and must be rewritten
};
// While typing (confirmed false) it only stores; on confirmation it also
// queues the response time task and shows the wait dialog.
ResponseTime SetResponseTime(PerformanceHost& host, std::u16string_view text, bool confirmed);
// Only the six offered times (6, 12, 36, 60, 120, 180) are stored.
void SetSleepTime(PerformanceHost& host, int tens_of_seconds);
void SetMoveWakeup(PerformanceHost& host, bool on);
void SetMoveCloseLight(PerformanceHost& host, bool on);

}  // namespace tessaly
