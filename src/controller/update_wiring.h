#pragma once
// The update tasks (23, 24, 26, 27), the download progress message and the
// settings page events, wired to the main window.

#include <memory>

#include "controller/controller.h"
#include "update/update_operations.h"

namespace tessaly {

// The host the update operations go through; the task bodies hold it too.
std::shared_ptr<UpdateRequestHost> InstallUpdates(Controller& controller, ui::DeviceMainDlg& dlg,
                                                  DeviceWorker& worker);

}  // namespace tessaly
