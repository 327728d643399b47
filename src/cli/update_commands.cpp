// The version checks and the firmware upgrade as the GUI runs them: the
// settings page's button queues the software check (task 23), the
// information page's button the firmware check (task 24); a newer firmware
// is offered in a message box, and accepting it queues task 27 under the
// upgrade progress dialog. The tool keeps the checks off for every other
// command, so these turn them on for their own task only.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "base/firmware_version.h"
#include "base/text_format.h"
#include "base/unicode.h"
#include "catalogue/device_catalogue.h"
#include "cli/command_table.h"
#include "cli/run_streams.h"
#include "controller/controller.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/controls/static_controls.h"
#include "ui/toolkit/headless_backend.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window_constants.h"
#include "update/version_compare.h"

namespace tessaly::cli {
namespace {

constexpr int kSoftwareCheckButton = 276;
constexpr int kFirmwareCheckButton = 248;
constexpr int kTipStatusText = 31;  // the second control of that id
constexpr int kTipProgressBar = 32;
// The upgrade reaches this once it has the image.
constexpr int kImageFoundPercent = 10;
// Connect and stall time-outs of each transfer, and the upgrade itself.
constexpr auto kUpdateLimit = std::chrono::seconds(120);
constexpr int kQuietPasses = 5;

class UpdateChecksOn {
  public:
    UpdateChecksOn() { setenv("TESSALY_NO_UPDATE_CHECK", "0", 1); }
    ~UpdateChecksOn() { Off(); }
    UpdateChecksOn(const UpdateChecksOn&) = delete;
    UpdateChecksOn& operator=(const UpdateChecksOn&) = delete;
    // A reconnection after the upgrade must not check (and offer) again.
    static void Off() { setenv("TESSALY_NO_UPDATE_CHECK", "1", 1); }
};

// What the message boxes and the progress dialog showed while the tasks ran.
struct Observed {
    bool offered = false;
    bool accepted = false;
    bool upgrade_failed = false;
    bool downloaded = false;  // the archive arrived: the next stage began
    int percent = 0;          // the highest the progress bar reached
    std::u16string last_status;
};

bool HasText(DUI::MWindow& window, std::u16string_view wanted) {
    auto* dialog = dynamic_cast<DUI::MDialog*>(&window);
    if (!dialog)
        return false;
    for (DUI::MControl* control : dialog->Controls()) {
        auto* font = dynamic_cast<DUI::MControlFont*>(control);
        if (font && font->GetTitle().find(wanted) != std::u16string::npos)
            return true;
    }
    return false;
}

// Runs the progress dialog's modal time: every new status goes to stderr
// until the worker closes the dialog.
void FollowProgress(DUI::MWindow& window, Observed& seen, const std::u16string& downloading) {
    auto* dialog = dynamic_cast<DUI::MDialog*>(&window);
    const auto deadline = std::chrono::steady_clock::now() + kUpdateLimit;
    auto show = [&] {
        if (!dialog)
            return;
        using DUI::HeadlessBackend;
        auto* status = HeadlessBackend::FindAs<DUI::MControlFont>(*dialog, kTipStatusText, 1);
        if (auto* bar = HeadlessBackend::FindAs<DUI::MProgress>(*dialog, kTipProgressBar))
            seen.percent = std::max(seen.percent, bar->GetProgress());
        if (!status)
            return;
        const std::u16string text = status->GetTitle();
        if (text.empty() || text == seen.last_status)
            return;
        seen.last_status = text;
        seen.downloaded = seen.downloaded || !text.starts_with(downloading);
        SayError(ToUtf8(text));
    };
    // The dialog's own first text is no progress.
    if (auto* status =
            dialog ? DUI::HeadlessBackend::FindAs<DUI::MControlFont>(*dialog, kTipStatusText, 1)
                   : nullptr)
        seen.last_status = status->GetTitle();
    while (!window.IsModalEnded() && std::chrono::steady_clock::now() < deadline) {
        DUI::Toolkit::Get().ProcessPending();
        show();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    show();
}

// Answers the window's questions for the length of the command: an offer
// is accepted only when `accept`, the progress dialog is followed.
class UpdateDialogs {
  public:
    explicit UpdateDialogs(bool accept) : accept_(accept) {
        backend_ = dynamic_cast<DUI::HeadlessBackend*>(&DUI::Toolkit::Get().backend());
        if (!backend_)
            return;
        const std::u16string question = LoadLanguageString(text::kUpdateNowQuestion);
        const std::u16string failed = LoadLanguageString(text::kFirmwareUpgradeIncomplete);
        const std::u16string downloading = LoadLanguageString(text::kDownloading);
        backend_->SetModalPolicy([this, question, failed, downloading](DUI::MWindow& window) {
            if (window.GetTitle() == u"UpdateTipDlg") {
                FollowProgress(window, seen_, downloading);
                return DUI::ModalAnswer::None();
            }
            if (!seen_.offered && HasText(window, question)) {
                seen_.offered = true;
                if (accept_) {
                    seen_.accepted = true;
                    UpdateChecksOn::Off();
                    return DUI::ModalAnswer::FirstButton();
                }
                return DUI::ModalAnswer::SecondButton();
            }
            if (HasText(window, failed))
                seen_.upgrade_failed = true;
            // Any other box (a later offer, a notice) is declined or closed.
            return DUI::ModalAnswer::SecondButton();
        });
    }
    ~UpdateDialogs() {
        if (backend_)
            backend_->SetModalPolicy({});
    }
    UpdateDialogs(const UpdateDialogs&) = delete;
    UpdateDialogs& operator=(const UpdateDialogs&) = delete;

    const Observed& Seen() const { return seen_; }

  private:
    bool accept_;
    DUI::HeadlessBackend* backend_ = nullptr;
    Observed seen_;
};

// Until the queued tasks and what they posted have run.
bool WaitForTasks(CommandContext& context) {
    const auto deadline = std::chrono::steady_clock::now() + kUpdateLimit;
    int quiet = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        DUI::Toolkit::Get().ProcessPending();
        const DeviceWorker* worker = context.controller.Worker();
        const bool idle = context.window.tasks.Empty() && worker && !worker->Busy();
        quiet = idle ? quiet + 1 : 0;
        if (quiet >= kQuietPasses)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

// Firmware versions are compared as the mouse and the server give them and
// written in the form every other output uses.
void SetVersions(CommandContext& context, const std::u16string& installed,
                 const std::u16string& offered, bool firmware = false) {
    const auto shown = [firmware](const std::u16string& version) {
        return ToUtf8(firmware ? FirmwareVersionText(version) : version);
    };
    context.out.Set("installed", shown(installed));
    context.out.Set("offered", shown(offered));
    // The rule the check itself offers by.
    context.out.Set("update_available", CompareVersions(installed, offered) >= 1);
}

int RunUpdateCheck(CommandContext& context) {
    UpdateChecksOn checks;
    UpdateDialogs dialogs(false);
    context.window.OnMessage(kSoftwareCheckButton, DUI::kEventActivated, 0, 0);
    if (!WaitForTasks(context)) {
        context.error = "the update check did not finish";
        return kExitFailure;
    }
    const std::u16string offered = context.window.new_software_version.Get();
    if (offered.empty()) {
        context.error = "no version from the update server (" +
                        ToUtf8(context.window.upgrade_address) + "version)";
        return kExitFailure;
    }
    SetVersions(context, context.window.software_version, offered);
    return kExitOk;
}

// The firmware check as the information page's button runs it; false with
// the reason when no version came back.
bool CheckFirmware(CommandContext& context) {
    if (context.window.firmware_address.empty()) {
        context.error = "this model names no firmware address";
        return false;
    }
    context.window.OnMessage(kFirmwareCheckButton, DUI::kEventActivated, 0, 0);
    if (!WaitForTasks(context)) {
        context.error = "the firmware check did not finish";
        return false;
    }
    if (context.window.new_firmware_version.Empty()) {
        context.error = "no firmware version from the update server (" +
                        ToUtf8(context.window.firmware_address) + "/mouse/version)";
        return false;
    }
    return true;
}

int RunFirmwareCheck(CommandContext& context) {
    UpdateChecksOn checks;
    UpdateDialogs dialogs(false);
    if (!CheckFirmware(context))
        return kExitFailure;
    SetVersions(context, context.controller.Device().DeviceVersion(),
                context.window.new_firmware_version.Get(), true);
    return kExitOk;
}

int RunFirmwareUpgrade(CommandContext& context) {
    UpdateChecksOn checks;
    UpdateDialogs dialogs(true);
    if (!CheckFirmware(context))
        return kExitFailure;
    const std::u16string installed = context.controller.Device().DeviceVersion();
    const std::u16string offered = context.window.new_firmware_version.Get();
    SetVersions(context, installed, offered, true);
    const Observed& seen = dialogs.Seen();
    if (!seen.accepted) {
        SayError("the mouse's firmware " + ToUtf8(FirmwareVersionText(installed)) + " is current");
        context.out.Set("upgraded", false);
        return kExitOk;
    }
    const std::u16string complete =
        Format(u"%s: 100%%", LoadLanguageString(text::kUpgradeComplete));
    if (seen.upgrade_failed || seen.last_status != complete) {
        const std::string archive = ToUtf8(context.window.firmware_address) + "//mouse//firmware-" +
                                    ToUtf8(offered) + ".zip";
        if (seen.last_status.starts_with(LoadLanguageString(text::kFirmwareImageTooLarge)))
            context.error = "the firmware image is larger than the mouse's flash (" +
                            std::to_string(DeviceCatalogue::Instance().Options().flash_bytes) +
                            " bytes); nothing was written";
        else if (!seen.downloaded)
            context.error = "the firmware archive could not be downloaded from " + archive;
        else if (seen.percent < kImageFoundPercent)
            context.error = archive +
                            " gave no firmware image (not on the server, or not a zip "
                            "archive holding one)";
        else
            context.error =
                "the mouse did not take the whole firmware (" + ToUtf8(seen.last_status) + ")";
        return kExitFailure;
    }
    context.out.Set("upgraded", true);
    return kExitOk;
}

const Command kCommands[] = {
    {"update check", "update check", "ask the update server for a newer program version", 0, 0,
     Needs::kStore, false, nullptr, RunUpdateCheck, nullptr},
    {"firmware check", "firmware check", "ask the update server for a newer mouse firmware", 0, 0,
     Needs::kMouse, false, nullptr, RunFirmwareCheck, nullptr},
    {"firmware upgrade", "firmware upgrade",
     "download a newer firmware and write it to the mouse (asks: --yes)", 0, 0, Needs::kMouse, true,
     nullptr, RunFirmwareUpgrade, nullptr},
};

}  // namespace

std::span<const Command> UpdateCommands() {
    return kCommands;
}

}  // namespace tessaly::cli
