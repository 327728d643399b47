#pragma once
// The lighting page, its tasks (8 and 17) and refresh, and the profile
// messages, plugged into the controller and its worker.

#include <memory>

#include "controller/device_worker.h"
#include "lighting/lighting_host.h"
#include "lighting/lighting_page_behaviour.h"
#include "profiles/profiles_host.h"
#include "ui/main/device_main_dlg.h"

namespace tessaly {

class Controller;

// The hosts both layers call; the controller keeps it as long as the window.
class LightingWiring : public LightingHost, public ProfilesHost {
  public:
    LightingWiring(Controller& controller, ui::DeviceMainDlg& dlg, DeviceWorker& worker)
        : controller_(controller), dlg_(dlg), worker_(worker) {}

    int CurrentProfile() const override;
    void QueueTask(int32_t code) override;
    void ShowSaveWait() override;
    int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                       uint32_t buttons) override;
    DeviceState& Device() override;
    void SetCurrentProfile(int profile) override;
    void ShowProfileName() override;
    bool DevicePresent() const override;

    LightingPage& Page() { return *page_; }

  private:
    friend std::unique_ptr<LightingWiring> InstallLighting(Controller&, ui::DeviceMainDlg&,
                                                           DeviceWorker&);
    Controller& controller_;
    ui::DeviceMainDlg& dlg_;
    DeviceWorker& worker_;
    std::shared_ptr<LightingPage> page_;
};

// The host the lighting page works through, for callers without the page.
std::unique_ptr<LightingHost> MakeLightingHost(Controller& controller);

// On the UI thread, as the window initialises, before the worker starts.
std::unique_ptr<LightingWiring> InstallLighting(Controller& controller, ui::DeviceMainDlg& dlg,
                                                DeviceWorker& worker);

}  // namespace tessaly
