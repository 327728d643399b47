#include "controller/macros_wiring.h"

#include <memory>

#include "buttons/key_function_table.h"
#include "macros/macro_host.h"
#include "macros/macro_page_behaviour.h"
#include "macros/macro_upload.h"
#include "ui/main/window_page_contexts.h"

namespace tessaly {
namespace {

class ControllerMacroHost : public MacroHost {
  public:
    explicit ControllerMacroHost(Controller& controller) : controller_(controller) {}
    int CurrentProfile() const override { return controller_.CurrentProfile(); }
    int CurrentDeviceId() const override {
        return controller_.Device().selected_device_type.load();
    }
    void ShowMessage(std::u16string_view message, std::u16string_view title) override {
        controller_.ShowMessageBox(message, title, 0);
    }
    uint32_t Now() const override { return TickCount32(); }

  private:
    Controller& controller_;
};

}  // namespace

std::unique_ptr<MacroHost> MakeMacroHost(Controller& controller) {
    return std::make_unique<ControllerMacroHost>(controller);
}

void InstallMacros(Controller& controller, ui::DeviceMainDlg& dlg, DeviceWorker& worker) {
    // Before the worker runs task 6 for the first time.
    SetPendingMacroUpload(UploadPendingMacro);
    std::shared_ptr<MacroPage> page = InstallMacroPage(
        ui::MacroPageContextOf(dlg), std::make_shared<ControllerMacroHost>(controller));
    // The window's handlers own the page; the worker stops before they go.
    worker.SetPageRefresh(WorkerPage::kMacros, [weak = std::weak_ptr<MacroPage>(page)] {
        if (auto alive = weak.lock()) {
            alive->Refill();
        }
    });
    // A lost mouse or closed popups end a recording in progress.
    dlg.Services().stop_recording = [weak = std::weak_ptr<MacroPage>(page)] {
        if (auto alive = weak.lock()) {
            alive->StopRecordingIfRunning();
        }
    };
    dlg.Services().refill_macro_page = [weak = std::weak_ptr<MacroPage>(page)] {
        if (auto alive = weak.lock()) {
            alive->Refill();
        }
    };
}

}  // namespace tessaly
