#pragma once
// The macro layer wired to the controller: the macro upload that the
// button-table task sends before the table.

#include "controller/controller.h"

namespace tessaly {

void InstallMacros(Controller& controller, ui::DeviceMainDlg& dlg, DeviceWorker& worker);

}  // namespace tessaly
