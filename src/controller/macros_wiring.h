#pragma once
// The macro page wired to the controller, the macro upload that the
// button-table task sends before the table, and the host the macro
// operations work through for callers without the page.

#include <memory>

#include "controller/controller.h"
#include "macros/macro_host.h"

namespace tessaly {

std::unique_ptr<MacroHost> MakeMacroHost(Controller& controller);

void InstallMacros(Controller& controller, ui::DeviceMainDlg& dlg, DeviceWorker& worker);

}  // namespace tessaly
