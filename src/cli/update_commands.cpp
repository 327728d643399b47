// The version checks, the software download and the firmware upgrade
// through the update operations the window's buttons call: the software
// check (task 23), the firmware check (task 24) and, for a newer version,
// the download that hands the package to the desktop's installer (task 26)
// or the upgrade (task 27), their progress streamed to stderr. The tool
// keeps the checks off for every other command, so these turn them on for
// their own task only.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "base/firmware_version.h"
#include "base/text_format.h"
#include "base/unicode.h"
#include "catalogue/device_catalogue.h"
#include "cli/command_registry.h"
#include "cli/run_streams.h"
#include "controller/controller.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/headless_backend.h"
#include "ui/toolkit/toolkit.h"
#include "update/linux_package.h"
#include "update/update_operations.h"
#include "update/update_tasks.h"

namespace tessaly::cli {
namespace {

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

// The window offers what a check found in a message box; the command
// decides for itself, so every box is declined while it runs.
class OffersDeclined {
  public:
    explicit OffersDeclined(const CommandContext& context) : yes_(context.options.yes) {
        backend_ = dynamic_cast<DUI::HeadlessBackend*>(&DUI::Toolkit::Get().backend());
        if (backend_)
            backend_->SetModalAnswer(DUI::ModalAnswer::SecondButton());
    }
    ~OffersDeclined() {
        if (backend_)
            backend_->SetModalAnswer(yes_ ? DUI::ModalAnswer::FirstButton()
                                          : DUI::ModalAnswer::SecondButton());
    }
    OffersDeclined(const OffersDeclined&) = delete;
    OffersDeclined& operator=(const OffersDeclined&) = delete;

  private:
    bool yes_;
    DUI::HeadlessBackend* backend_ = nullptr;
};

// Until the queued tasks and what they posted have run.
bool WaitForTasks(CommandContext& context) {
    const auto deadline = std::chrono::steady_clock::now() + kUpdateLimit;
    int quiet = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        DUI::Toolkit::Get().ProcessPending();
        const DeviceWorker* worker = context.controller.Worker();
        const bool idle = context.controller.Tasks().Empty() && worker && !worker->Busy();
        quiet = idle ? quiet + 1 : 0;
        if (quiet >= kQuietPasses)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

// Firmware versions are compared as the mouse and the server give them and
// written in the form every other output uses.
void SetVersions(CommandContext& context, const VersionCheck& check, bool firmware = false) {
    const auto shown = [firmware](const std::u16string& version) {
        return ToUtf8(firmware ? FirmwareVersionText(version) : version);
    };
    context.out.Set("installed", shown(check.installed));
    context.out.Set("offered", shown(check.offered));
    context.out.Set("update_available", check.update_available);
}

UpdateRequestHost* Updates(CommandContext& context) {
    UpdateRequestHost* host = context.controller.Updates();
    if (!host)
        context.error = "the update service is not running";
    return host;
}

// The software check as the settings page's button runs it; nothing with
// the reason when no version came back.
std::optional<VersionCheck> CheckSoftware(CommandContext& context, UpdateRequestHost& host) {
    CheckForSoftwareUpdate(host);
    if (!WaitForTasks(context)) {
        context.error = "the update check did not finish";
        return std::nullopt;
    }
    VersionCheck check = SoftwareVersions(host);
    if (check.offered.empty()) {
        context.error = "no version from the update server (" +
                        ToUtf8(host.SoftwareUpdateAddress()) + "version)";
        return std::nullopt;
    }
    return check;
}

// The firmware check as the information page's button runs it; nothing
// with the reason when no version came back.
std::optional<VersionCheck> CheckFirmware(CommandContext& context, UpdateRequestHost& host) {
    if (!CheckForFirmwareUpdate(host).ok()) {
        context.error = "this model names no firmware address";
        return std::nullopt;
    }
    if (!WaitForTasks(context)) {
        context.error = "the firmware check did not finish";
        return std::nullopt;
    }
    VersionCheck check = FirmwareVersions(host);
    if (check.offered.empty()) {
        context.error = "no firmware version from the update server (" +
                        ToUtf8(host.FirmwareAddress()) + "/mouse/version)";
        return std::nullopt;
    }
    return check;
}

using VersionCheckRun = std::optional<VersionCheck> (*)(CommandContext&, UpdateRequestHost&);

// One check with the window's offers declined, its versions as the output.
int RunVersionCheck(CommandContext& context, VersionCheckRun run, bool firmware) {
    UpdateChecksOn checks;
    OffersDeclined declined(context);
    UpdateRequestHost* host = Updates(context);
    if (!host)
        return kExitFailure;
    const std::optional<VersionCheck> check = run(context, *host);
    if (!check)
        return kExitFailure;
    SetVersions(context, *check, firmware);
    return kExitOk;
}

int RunUpdateCheck(CommandContext& context) {
    return RunVersionCheck(context, CheckSoftware, false);
}

int RunFirmwareCheck(CommandContext& context) {
    return RunVersionCheck(context, CheckFirmware, true);
}

// How a task the worker runs ended, and its statuses on stderr, told from
// the worker's thread. The command's streams are the ones it began with: the
// worker's thread must not read the UI thread's current ones.
template <typename End>
class TaskWatch {
  public:
    bool Ended() const {
        const std::lock_guard lock(mutex_);
        return end_.has_value();
    }
    End Result() const {
        const std::lock_guard lock(mutex_);
        return end_.value_or(End{});
    }
    std::u16string LastStatus() const {
        const std::lock_guard lock(mutex_);
        return last_status_;
    }

  protected:
    void Finish(End end) {
        const std::lock_guard lock(mutex_);
        end_ = std::move(end);
    }
    // Each new status once, as the progress dialog shows it.
    void Say(const std::u16string& status) {
        const std::lock_guard lock(mutex_);
        if (status == last_status_)
            return;
        last_status_ = status;
        err_("tessalyctl: " + ToUtf8(status) + "\n");
    }

  private:
    std::function<void(std::string_view)> err_ = CurrentRunStreams().err;
    mutable std::mutex mutex_;
    std::optional<End> end_;
    std::u16string last_status_;
};

struct UpgradeEnd {
    UpgradeOutcome outcome = UpgradeOutcome::kNoImage;
    bool downloaded = false;
};

class UpgradeWatch : public TaskWatch<UpgradeEnd> {
  public:
    UpgradeListener Listener() {
        return {[this](int percent, int text) {
                    Say(Format(u"%s: %d%%", LoadLanguageString(text), percent));
                },
                [this](UpgradeOutcome outcome, bool downloaded) {
                    Finish({outcome, downloaded});
                }};
    }
    UpgradeOutcome Outcome() const { return Result().outcome; }
    bool Downloaded() const { return Result().downloaded; }
};

struct DownloadEnd {
    SoftwareDownloadOutcome outcome = SoftwareDownloadOutcome::kNotDownloaded;
    std::u16string package;
};

class DownloadWatch : public TaskWatch<DownloadEnd> {
  public:
    SoftwareDownloadListener Listener() {
        return {[this](int percent) {
                    Say(Format(u"%s: %d%%", LoadLanguageString(text::kDownloading), percent));
                },
                [this](SoftwareDownloadOutcome outcome, const std::u16string& package) {
                    Finish({outcome, package});
                }};
    }
    SoftwareDownloadOutcome Outcome() const { return Result().outcome; }
    std::u16string Package() const { return Result().package; }
};

std::string DownloadFailure(const DownloadWatch& watch, const UpdateRequestHost& host,
                            const VersionCheck& check) {
    const std::string archive = ToUtf8(host.SoftwareUpdateAddress()) + "//" +
                                ToUtf8(Format(kSoftwareArchivePattern, check.offered));
    if (!watch.Ended())
        return "the download of " + archive + " did not finish";
    switch (watch.Outcome()) {
        case SoftwareDownloadOutcome::kNotDownloaded:
            return "the update could not be downloaded from " + archive;
        case SoftwareDownloadOutcome::kNoPackage:
            return archive + " holds no package for this machine (" +
                   PackageFileName(ToUtf8(check.offered)) + ")";
        case SoftwareDownloadOutcome::kInstallerNotStarted:
            return "the desktop could not open the package " + ToUtf8(watch.Package()) +
                   " (xdg-open)";
        case SoftwareDownloadOutcome::kHandedToInstaller:
            break;
    }
    return {};
}

int RunUpdateDownload(CommandContext& context) {
    UpdateChecksOn checks;
    OffersDeclined declined(context);
    UpdateRequestHost* host = Updates(context);
    if (!host)
        return kExitFailure;
    const std::optional<VersionCheck> check = CheckSoftware(context, *host);
    if (!check)
        return kExitFailure;
    SetVersions(context, *check);
    if (!check->update_available) {
        SayError("the program " + ToUtf8(check->installed) + " is current");
        context.out.Set("package", "");
        context.out.Set("handed_to_installer", false);
        return kExitOk;
    }
    DownloadWatch watch;
    UpdateChecksOn::Off();
    if (const UpdateRequest request = StartSoftwareDownload(*host, watch.Listener());
        !request.ok()) {
        context.error = ToUtf8(LoadLanguageString(request.refusal_text));
        return kExitFailure;
    }
    const bool finished = WaitForTasks(context);
    // The watch goes with this function; the worker must not call it later.
    host->FollowSoftwareDownload({});
    context.out.Set("package", ToUtf8(watch.Package()));
    const bool handed =
        finished && watch.Ended() && watch.Outcome() == SoftwareDownloadOutcome::kHandedToInstaller;
    context.out.Set("handed_to_installer", handed);
    if (!handed) {
        context.error = DownloadFailure(watch, *host, *check);
        return kExitFailure;
    }
    return kExitOk;
}

std::string UpgradeFailure(const UpgradeWatch& watch, const UpdateRequestHost& host,
                           const VersionCheck& check) {
    const std::string archive =
        ToUtf8(host.FirmwareAddress()) + "//mouse//firmware-" + ToUtf8(check.offered) + ".zip";
    if (!watch.Ended())
        return "the firmware upgrade did not finish";
    if (watch.Outcome() == UpgradeOutcome::kImageTooLarge)
        return "the firmware image is larger than the mouse's flash (" +
               std::to_string(DeviceCatalogue::Instance().Options().flash_bytes) +
               " bytes); nothing was written";
    if (!watch.Downloaded())
        return "the firmware archive could not be downloaded from " + archive;
    if (watch.Outcome() == UpgradeOutcome::kNoImage)
        return archive +
               " gave no firmware image (not on the server, or not a zip archive "
               "holding one)";
    return "the mouse did not take the whole firmware (" + ToUtf8(watch.LastStatus()) + ")";
}

int RunFirmwareUpgrade(CommandContext& context) {
    UpdateChecksOn checks;
    OffersDeclined declined(context);
    UpdateRequestHost* host = Updates(context);
    if (!host)
        return kExitFailure;
    const std::optional<VersionCheck> check = CheckFirmware(context, *host);
    if (!check)
        return kExitFailure;
    SetVersions(context, *check, true);
    if (!check->update_available) {
        SayError("the mouse's firmware " + ToUtf8(FirmwareVersionText(check->installed)) +
                 " is current");
        context.out.Set("upgraded", false);
        return kExitOk;
    }
    UpgradeWatch watch;
    UpdateChecksOn::Off();
    const bool started = StartFirmwareUpgrade(*host, watch.Listener()).ok();
    const bool finished = started && WaitForTasks(context);
    // The watch goes with this function; the worker must not call it later.
    host->FollowUpgrade({});
    if (!finished || watch.Outcome() != UpgradeOutcome::kComplete || !watch.Ended()) {
        context.error = UpgradeFailure(watch, *host, *check);
        return kExitFailure;
    }
    context.out.Set("upgraded", true);
    return kExitOk;
}

const Command kCommands[] = {
    {"update check", "update check", "ask the update server for a newer program version", 0, 0,
     Needs::kStore, false, nullptr, RunUpdateCheck, nullptr},
    {"update download", "update download",
     "download a newer program version and hand its package to the installer (asks: --yes)", 0, 0,
     Needs::kStore, true, nullptr, RunUpdateDownload, nullptr},
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
