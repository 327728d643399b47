#pragma once
// The button page, the button-table task (6), the button list refresh
// after device reads and language changes, and raw keyboard input routed by
// capture mode, wired to the main window.

#include "controller/controller.h"

namespace tessaly {

void InstallButtons(Controller& controller, ui::DeviceMainDlg& dlg, DeviceWorker& worker);

}  // namespace tessaly
