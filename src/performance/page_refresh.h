#pragma once
// Filling the performance page from the store and from what is known of the
// mouse. The toolkit serialises control calls, so the worker may call these
// too (after a read, a profile switch or a restore).

#include "app/device_state.h"
#include "performance/performance_host.h"
#include "ui/main/page_context.h"
#include "ui/toolkit/dialog.h"

namespace tessaly {

// Every control of the page from the host's profile; the device stage and
// count become the stored ones. Also applies the sensor limits.
void RefreshPerformancePage(const DUI::MDialog& window, PerformanceHost& host);

// The stage values and colours 0 … 6, the stage count, the listed stages,
// the selected stage and the slider; the device stage count and stage take
// the stored count and current stage.
void ShowDpiStages(const DUI::MDialog& window, int profile, DeviceState& state);

// The slider's end labels and positions from the sensor's limits. The
// position offset is 2 for sensors 149 and 150 and 0 for every other
// model, so a model read after one of those is not shifted.
void ApplySensorLimits(const DUI::MDialog& window, const DeviceState& state);
int SliderOffsetForSensor(uint16_t sensor);

// The lift-off and sensor groups as the model's options say; the next
// relayout moves the groups below them up. UI thread, before a relayout.
void ApplyPerformanceVisibility(const ui::PerformancePageContext& context);

// The slider at the stage's value.
void ShowStageOnSlider(const DUI::MDialog& window, int dpi, uint16_t sensor);

}  // namespace tessaly
