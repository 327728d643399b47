#pragma once
// The factory reset's host over the main window: its online flag, its task
// list and the services the controller filled in.

#include <memory>

#include "ui/main/device_main_dlg.h"
#include "ui/settings/settings_operations.h"

namespace tessaly::ui {

std::unique_ptr<FactoryResetHost> MakeFactoryResetHost(DeviceMainDlg& dlg);

}  // namespace tessaly::ui
