#pragma once
// The button page, the button-table task (6), the button list refresh
// after device reads and language changes, and raw keyboard input routed by
// capture mode, wired to the main window.

#include <memory>

#include "buttons/button_host.h"
#include "controller/controller.h"

namespace tessaly {

// The host the button page works through, for callers without the page.
std::unique_ptr<ButtonHost> MakeButtonHost(Controller& controller);

void InstallButtons(Controller& controller, ui::DeviceMainDlg& dlg, DeviceWorker& worker);

}  // namespace tessaly
