#pragma once
// The performance page (page 52): DPI stages, report rate, lift-off, sensor,
// response time, power and the system's mouse settings, one group under the
// other; a hidden group gives its place to the groups below.

#include "ui/ids/main_window_ids.h"
#include "ui/main/page_builders.h"

namespace tessaly::ui {

// Shows or hides the lift-off and sensor groups as the model asks; the next
// layout moves the groups below up.
void SetPerformanceGroupsVisible(DUI::MDialog& dlg, bool show_liftoff, bool show_sensor);

}  // namespace tessaly::ui
