#include "controller/lighting_wiring.h"

#include <chrono>
#include <thread>

#include "catalogue/device_catalogue.h"
#include "controller/controller.h"
#include "lighting/lighting_tasks.h"
#include "ui/main/window_page_contexts.h"

namespace tessaly {
namespace {

void SleepFor(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool HasLighting() {
    return DeviceCatalogue::Instance().Options().lighting_page;
}

}  // namespace

std::unique_ptr<LightingHost> MakeLightingHost(Controller& controller) {
    return std::make_unique<ControllerLightingHost>(controller);
}

std::unique_ptr<LightingWiring> InstallLighting(Controller& controller, ui::DeviceMainDlg& dlg,
                                                DeviceWorker& worker) {
    auto wiring = std::make_unique<LightingWiring>(controller);
    LightingHost& host = wiring->Host();
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
    return wiring;
}

}  // namespace tessaly
