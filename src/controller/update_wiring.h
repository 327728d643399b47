#pragma once
// The update tasks (23, 24, 26, 27), the download progress message and the
// settings page events, wired to the main window.

#include "controller/controller.h"

namespace tessaly {

void InstallUpdates(Controller& controller, ui::DeviceMainDlg& dlg, DeviceWorker& worker);

}  // namespace tessaly
