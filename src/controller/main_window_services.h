#pragma once
// The services the main window calls, filled from the layers above the
// window (dialogs, desktop, catalogue, devices). Both programs build their
// main window with these.

#include "ui/main/device_main_dlg.h"

namespace tessaly {

// The common dialogs and the desktop services; the catalogue and device
// layers add theirs when they are present.
ui::MainWindowServices MakeMainWindowServices();

}  // namespace tessaly
