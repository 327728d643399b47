#include "controller/update_wiring.h"

#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

#include "base/task.h"
#include "controller/window_controls.h"
#include "platform/shell_open.h"
#include "ui/dialogs/colour_values.h"
#include "ui/dialogs/update_process_dlg.h"
#include "ui/dialogs/update_tip_dlg.h"
#include "ui/ids/information_page_ids.h"
#include "ui/ids/settings_page_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/pages/control_table.h"
#include "ui/pages/settings_page.h"
#include "ui/toolkit/toolkit.h"
#include "update/update_operations.h"
#include "update/update_tasks.h"

namespace tessaly {
namespace {

// How long a progress dialog may take to enter its modal run before the
// worker closes it regardless.
constexpr auto kModalStartLimit = std::chrono::seconds(3);
constexpr auto kModalPoll = std::chrono::milliseconds(10);

void SleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Runs `work` on the live dialog with the title, under the toolkit lock.
template <typename Dialog, typename Work>
bool WithDialog(std::u16string_view title, Work work) {
    auto lock = DUI::LockToolkit();
    DUI::Toolkit& toolkit = DUI::Toolkit::Get();
    auto* dialog = dynamic_cast<Dialog*>(
        toolkit.WindowFromHandle(toolkit.FindWindow(DUI::MWindow::kClassName, title)));
    if (dialog == nullptr) {
        return false;
    }
    work(*dialog);
    return true;
}

// The window shows the dialog modally right after queueing the task; a close
// before its run began would leave the run without an end.
void CloseModalDialog(std::u16string_view title) {
    const auto deadline = std::chrono::steady_clock::now() + kModalStartLimit;
    bool modal = false;
    while (WithDialog<DUI::MDialog>(title, [&](DUI::MDialog& d) { modal = d.IsModal(); }) &&
           !modal && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(kModalPoll);
    }
    WithDialog<DUI::MDialog>(title, [](DUI::MDialog& d) { d.DoOK(); });
}

class WindowUpdateHost : public UpdateHost, public UpdateRequestHost {
  public:
    WindowUpdateHost(Controller& controller, ui::DeviceMainDlg& dlg)
        : controller_(controller), dlg_(dlg) {}

    void QueueTask(int32_t code) override { dlg_.QueueTask(code); }
    void FollowUpgrade(UpgradeListener listener) override {
        const std::lock_guard lock(listener_mutex_);
        listener_ = std::move(listener);
    }
    void FollowSoftwareDownload(SoftwareDownloadListener listener) override {
        const std::lock_guard lock(listener_mutex_);
        download_listener_ = std::move(listener);
    }

    std::u16string SoftwareUpdateAddress() const override {
        return controller_.Update().upgrade_address;
    }
    std::u16string LocalSoftwareVersion() const override {
        return controller_.Update().software_version;
    }
    std::u16string FirmwareAddress() const override {
        return controller_.Update().firmware_address;
    }
    std::u16string DownloadPageAddress() const override {
        return controller_.Update().website_address;
    }
    std::u16string DeviceVersion() const override { return controller_.Device().DeviceVersion(); }
    std::u16string NewSoftwareVersion() const override {
        return controller_.Update().new_software_version.Get();
    }
    void SetNewSoftwareVersion(std::u16string version) override {
        controller_.Update().new_software_version.Set(std::move(version));
    }
    std::u16string NewFirmwareVersion() const override {
        return controller_.Update().new_firmware_version.Get();
    }
    void SetNewFirmwareVersion(std::u16string version) override {
        controller_.Update().new_firmware_version.Set(std::move(version));
    }

    void ShowSoftwareStatus(TextBuilder build, std::u16string version, bool enabled) override {
        if (auto* status = dynamic_cast<DUI::MControlFont*>(
                ui::FindInPage(dlg_, dlg_.settings_page, settings_id::kVersionStatus))) {
            dlg_.localised_texts.SetTitle(status, [build, version] { return build(version); });
            // Only the newest version leaves the check button disabled.
            status->SetTextColor(enabled ? kWhite : kSuccessGreen);
        }
        if (DUI::MControl* button =
                ui::FindInPage(dlg_, dlg_.settings_page, settings_id::kUpdateCheck)) {
            button->SetEnabled(enabled);
        }
    }
    void ShowFirmwareStatus(TextBuilder build, std::u16string version, bool enabled) override {
        SetLocalisedTitle(dlg_, information_id::kMouseStatus,
                          [build, version] { return build(version); });
        SetControlEnabled(dlg_, information_id::kMouseFirmwareCheck, enabled);
    }

    void PostUpdateAvailable(int kind) override {
        DUI::Toolkit::Get().PostMessage(dlg_.GetSafeHwnd(), ui::kWmUpdateAvailable,
                                        static_cast<uintptr_t>(kind), 1);
    }
    void PostDownloadProgress(int percent) override {
        DUI::Toolkit::Get().PostMessage(dlg_.GetSafeHwnd(), ui::kWmDownloadProgress, 0, percent);
        const std::lock_guard lock(listener_mutex_);
        if (download_listener_.progress) {
            download_listener_.progress(percent);
        }
    }

    void SetUpgradeProgress(int percent, int text) override {
        const std::u16string label = LoadLanguageString(text);
        WithDialog<UpdateTipDlg>(UpdateTipDlg::kTitle, [&](UpdateTipDlg& tip) {
            tip.SetUpgradeProgress(percent, label);
        });
        const std::lock_guard lock(listener_mutex_);
        if (listener_.progress) {
            listener_.progress(percent, text);
        }
    }
    void UpgradeEnded(UpgradeOutcome outcome, bool downloaded) override {
        const std::lock_guard lock(listener_mutex_);
        if (listener_.ended) {
            listener_.ended(outcome, downloaded);
        }
    }
    void CloseUpgradeDialog() override { CloseModalDialog(UpdateTipDlg::kTitle); }
    void CloseDownloadDialog() override { CloseModalDialog(UpdateProcessDlg::kTitle); }
    void SoftwareDownloadEnded(SoftwareDownloadOutcome outcome,
                               const std::u16string& package) override {
        const std::lock_guard lock(listener_mutex_);
        if (download_listener_.ended) {
            download_listener_.ended(outcome, package);
        }
    }
    void ReportFailure(int title_text, int message_text) override {
        ui::DeviceMainDlg* dlg = &dlg_;
        DUI::Toolkit::Get().PostToWindow(
            dlg_.GetSafeHwnd(), [dlg, title_text, message_text](DUI::MWindow&) {
                if (dlg->Services().message_box) {
                    dlg->Services().message_box(*dlg, LoadLanguageString(title_text),
                                                LoadLanguageString(message_text), 0);
                }
            });
    }

    void Tell(int title_text, std::u16string message) override {
        ui::DeviceMainDlg* dlg = &dlg_;
        DUI::Toolkit::Get().PostToWindow(
            dlg_.GetSafeHwnd(), [dlg, title_text, message = std::move(message)](DUI::MWindow&) {
                if (dlg->Services().message_box) {
                    dlg->Services().message_box(*dlg, LoadLanguageString(title_text), message, 0);
                }
            });
    }
    bool OpenWithDesktop(std::u16string_view target) override { return ShellOpen(target, u""); }

    DeviceManager& Devices() override { return controller_.Devices(); }
    void Sleep(int ms) override { SleepMs(ms); }

  private:
    Controller& controller_;
    ui::DeviceMainDlg& dlg_;
    std::mutex listener_mutex_;
    UpgradeListener listener_;
    SoftwareDownloadListener download_listener_;
};

}  // namespace

std::shared_ptr<UpdateRequestHost> InstallUpdates(Controller& controller, ui::DeviceMainDlg& dlg,
                                                  DeviceWorker& worker) {
    auto host = std::make_shared<WindowUpdateHost>(controller, dlg);
    worker.SetTaskBody(kTaskSoftwareCheck, [host] { RunSoftwareCheck(*host); });
    worker.SetTaskBody(kTaskFirmwareCheck, [host] { RunFirmwareCheck(*host); });
    worker.SetTaskBody(kTaskSoftwareDownload, [host] { RunSoftwareDownload(*host); });
    worker.SetTaskBody(kTaskFirmwareUpgrade, [host] { RunFirmwareUpdate(*host); });
    dlg.SetMessageHandler(ui::MessageSlot::kDownloadProgress, [&dlg](uintptr_t, intptr_t percent) {
        if (auto* progress = dynamic_cast<UpdateProcessDlg*>(dlg.update_progress.get())) {
            progress->SetDownloadProgress(static_cast<int>(percent));
        }
        return intptr_t{1};
    });
    // The window's own handler of the firmware button, through the operation.
    dlg.SetPageHandler(ui::RouteSlot::kFirmwareCheck, [&dlg, host](int, int, intptr_t) {
        if (const UpdateRequest request = CheckForFirmwareUpdate(*host); !request.ok()) {
            if (dlg.Services().message_box) {
                dlg.Services().message_box(dlg, LoadLanguageString(request.refusal_title),
                                           LoadLanguageString(request.refusal_text), 0);
            }
        }
        return 1;
    });
    ui::InstallSettingsPageEvents(dlg, [host] { CheckForSoftwareUpdate(*host); });
    return host;
}

}  // namespace tessaly
