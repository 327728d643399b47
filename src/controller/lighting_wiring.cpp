#include "controller/lighting_wiring.h"

#include <chrono>
#include <thread>

#include "catalogue/device_catalogue.h"
#include "controller/controller.h"
#include "lighting/lighting_tasks.h"
#include "profiles/profile_dialog.h"
#include "ui/main/window_page_contexts.h"

namespace tessaly {
namespace {

void SleepFor(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool HasLighting() {
    return DeviceCatalogue::Instance().Options().lighting_page;
}

class ControllerLightingHost : public LightingHost {
  public:
    explicit ControllerLightingHost(Controller& controller) : controller_(controller) {}
    int CurrentProfile() const override { return controller_.CurrentProfile(); }
    void QueueTask(int32_t code) override { controller_.QueueTask(code); }
    void ShowSaveWait() override { controller_.ShowSaveWait(); }
    int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                       uint32_t buttons) override {
        return controller_.ShowMessageBox(message, title, buttons);
    }
    DeviceState& Device() override { return controller_.Device(); }

  private:
    Controller& controller_;
};

}  // namespace

std::unique_ptr<LightingHost> MakeLightingHost(Controller& controller) {
    return std::make_unique<ControllerLightingHost>(controller);
}

int LightingWiring::CurrentProfile() const {
    return controller_.CurrentProfile();
}

void LightingWiring::QueueTask(int32_t code) {
    controller_.QueueTask(code);
}

void LightingWiring::ShowSaveWait() {
    controller_.ShowSaveWait();
}

int LightingWiring::ShowMessageBox(std::u16string_view message, std::u16string_view title,
                                   uint32_t buttons) {
    return controller_.ShowMessageBox(message, title, buttons);
}

DeviceState& LightingWiring::Device() {
    return controller_.Device();
}

void LightingWiring::SetCurrentProfile(int profile) {
    dlg_.current_profile.store(profile);
}

void LightingWiring::ShowProfileName() {
    worker_.ShowProfileName();
}

bool LightingWiring::DevicePresent() const {
    return dlg_.device_present.load();
}

std::unique_ptr<LightingWiring> InstallLighting(Controller& controller, ui::DeviceMainDlg& dlg,
                                                DeviceWorker& worker) {
    auto wiring = std::make_unique<LightingWiring>(controller, dlg, worker);
    LightingWiring& host = *wiring;
    std::shared_ptr<LightingPage> page = InstallLightingPage(ui::LightingPageContextOf(dlg), host);
    wiring->page_ = page;
    worker.SetPageRefresh(WorkerPage::kLighting, [page] { page->Refresh(); });
    worker.SetTaskBody(kTaskWriteLighting, [&controller, &worker, &host] {
        if (!WriteLighting(controller.Devices().CurrentInterface(), host.CurrentProfile(),
                           host.Device().current_light_effect.load())) {
            worker.CommandFailureHandling();
        }
    });
    worker.SetTaskBody(kTaskRestoreLighting, [&controller, &worker, &host, page] {
        if (!RestoreLighting(controller.Devices().CurrentInterface(), host.CurrentProfile(),
                             host.Device(), SleepFor)) {
            worker.CommandFailureHandling();
        }
        if (HasLighting()) {
            page->Refresh();
        }
    });
    InstallProfiles(ui::ProfilesContextOf(dlg), host);
    return wiring;
}

}  // namespace tessaly
