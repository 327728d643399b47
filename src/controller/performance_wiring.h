#pragma once
// The performance page, its write tasks, refresh and factory values,
// plugged into the controller and its worker, and the host they go through.

#include <string>

#include "controller/controller_host.h"
#include "controller/device_worker.h"
#include "performance/performance_host.h"
#include "ui/main/device_main_dlg.h"

namespace tessaly {

class PerformanceWiring : public ControllerHost<PerformanceHost> {
  public:
    using ControllerHost::ControllerHost;

    void ShowSaveWait() override { controller_.ShowSaveWait(); }
    bool ShowDpiTips() const override;
    void ShowDpiPopup(int dpi) override;
    std::u16string DescriptionFilePath() const override;
    DeviceState& Device() override { return controller_.Device(); }
    void OpenSystemMouseSettings() override;
};

// On the UI thread, as the window initialises, before the worker starts.
void InstallPerformance(PerformanceWiring& host, Controller& controller, ui::DeviceMainDlg& dlg,
                        DeviceWorker& worker);

}  // namespace tessaly
