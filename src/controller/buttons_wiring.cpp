#include "controller/buttons_wiring.h"

#include <memory>

#include "buttons/button_host.h"
#include "buttons/button_page_behaviour.h"
#include "buttons/key_capture.h"
#include "buttons/key_function_table.h"
#include "controller/controller_host.h"
#include "macros/macro_upload.h"
#include "ui/main/window_page_contexts.h"

namespace tessaly {
namespace {

class ControllerButtonHost : public ControllerHost<ButtonHost> {
  public:
    using ControllerHost::ControllerHost;

    void ShowSaveWait() override { controller_.ShowSaveWait(); }
    bool MacroFitsDevice(int macro_id) const override { return tessaly::MacroFitsDevice(macro_id); }
};

}  // namespace

std::unique_ptr<ButtonHost> MakeButtonHost(Controller& controller) {
    return std::make_unique<ControllerButtonHost>(controller);
}

void InstallButtons(Controller& controller, ui::DeviceMainDlg& dlg, DeviceWorker& worker) {
    std::shared_ptr<ButtonPage> page = InstallButtonPage(
        ui::ButtonPageContextOf(dlg), std::make_shared<ControllerButtonHost>(controller));
    worker.SetTaskBody(kTaskWriteButtonTable, [&controller, &worker] {
        if (!WriteButtonTable(controller.Devices().CurrentInterface(),
                              controller.CurrentProfile())) {
            worker.CommandFailureHandling();
        }
    });
    // The window's handlers own the page; the worker stops before they go.
    worker.SetPageRefresh(WorkerPage::kButtons, [weak = std::weak_ptr<ButtonPage>(page)] {
        if (auto alive = weak.lock()) {
            alive->RefreshList();
        }
    });
    dlg.SetMessageHandler(ui::MessageSlot::kApplyLanguage, [page](uintptr_t, intptr_t) {
        page->RefreshList();
        return intptr_t{0};
    });
    dlg.SetMessageHandler(ui::MessageSlot::kRawInput, [&dlg](uintptr_t, intptr_t lparam) {
        return RouteRawInput(dlg.key_capture.mode.load(), lparam);
    });
}

}  // namespace tessaly
