#pragma once
// The lighting page, its tasks (8 and 17) and refresh, plugged into the
// controller and its worker.

#include <memory>

#include "controller/controller_host.h"
#include "controller/device_worker.h"
#include "lighting/lighting_host.h"
#include "lighting/lighting_page_behaviour.h"
#include "ui/main/device_main_dlg.h"

namespace tessaly {

class ControllerLightingHost : public ControllerHost<LightingHost> {
  public:
    using ControllerHost::ControllerHost;

    void ShowSaveWait() override { controller_.ShowSaveWait(); }
    DeviceState& Device() override { return controller_.Device(); }
};

// The page's host and the page; the controller keeps it as long as the
// window, whose handlers refer to both.
class LightingWiring {
  public:
    explicit LightingWiring(Controller& controller) : host_(controller) {}

    LightingHost& Host() { return host_; }

  private:
    friend std::unique_ptr<LightingWiring> InstallLighting(Controller&, ui::DeviceMainDlg&,
                                                           DeviceWorker&);
    ControllerLightingHost host_;
    std::shared_ptr<LightingPage> page_;
};

// The host the lighting page works through, for callers without the page.
std::unique_ptr<LightingHost> MakeLightingHost(Controller& controller);

// On the UI thread, as the window initialises, before the worker starts.
std::unique_ptr<LightingWiring> InstallLighting(Controller& controller, ui::DeviceMainDlg& dlg,
                                                DeviceWorker& worker);

}  // namespace tessaly
