#pragma once
// The performance page's events: each user action on the page becomes one
// change operation. InstallPerformancePage registers the handlers with the
// main window; the host must outlive the window's use of them.

#include "performance/performance_host.h"
#include "ui/main/device_main_dlg.h"

namespace tessaly {

void InstallPerformancePage(ui::DeviceMainDlg& window, PerformanceHost& host);

}  // namespace tessaly
