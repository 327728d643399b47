#include "cli/headless_run.h"

#include "base/task.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "app/app_config.h"
#include "app/language_state.h"
#include "app/startup.h"
#include "base/application_name.h"
#include "base/unicode.h"
#include "controller/controller.h"
#include "controller/device_session.h"
#include "device/device_manager.h"
#include "platform/folders.h"
#include "storage/profile_table.h"
#include "storage/settings_database.h"
#include "storage/store_health.h"
#include "ui/localisation/language_strings.h"
#include "ui/main/tray_icon.h"
#include "ui/toolkit/headless_backend.h"

namespace tessaly::cli {
namespace {

// Discovery, the first read and a write behind a receiver take a few
// seconds at most; a mouse that stops answering costs its time-outs.
constexpr auto kSettleLimit = std::chrono::seconds(30);
// The queue must stay empty this many passes in a row: the worker is marked
// busy before it takes a task, but what a task posts to the window is
// handled on the pass after the one that saw the worker idle.
constexpr int kQuietPasses = 2;

// What each writing task sends, as a failure names it.
struct TaskSetting {
    int code;
    const char* setting;
};
constexpr TaskSetting kTaskSettings[] = {
    {kTaskWriteButtonTable, "button assignments"},
    {kTaskWriteLighting, "lighting"},
    {kTaskWriteDpiStages, "DPI stages"},
    {kTaskWriteDpiColours, "DPI stage colours"},
    {kTaskWriteReportRate, "report rate"},
    {kTaskWriteLiftOffSensor, "lift-off height and sensor options"},
    {kTaskWriteSleepResponse, "sleep time, wake-up and response time"},
    {kTaskRestoreLighting, "lighting reset"},
    {kTaskRestoreDpiStages, "DPI stages"},
    {kTaskRestoreFactorySettings, "factory reset"},
};

std::string SettingsOf(std::span<const int> codes) {
    std::vector<std::string> names;
    for (int code : codes) {
        const auto* row = std::find_if(std::begin(kTaskSettings), std::end(kTaskSettings),
                                       [code](const TaskSetting& t) { return t.code == code; });
        std::string name = row != std::end(kTaskSettings)
                               ? row->setting
                               : "setting of task " + std::to_string(code);
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    }
    std::string text;
    for (size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return text;
}

bool ProfileStored(int wanted) {
    std::vector<ProfileInfo> profiles;
    ListProfiles(profiles);
    return std::any_of(profiles.begin(), profiles.end(),
                       [&](const ProfileInfo& profile) { return profile.id == wanted; });
}

class Run {
  public:
    Run(const CliArguments& options, const CommandLine& line)
        : options_(options),
          devices_(std::make_unique<DeviceSession>(line, options.emulated_models)) {}
    ~Run() {
        // The worker stops with the window's close; the controller lets go
        // of the window's task list, so it goes while the window is there.
        if (window_)
            window_->CloseWindow();
        controller_.reset();
        window_.reset();
        devices_.reset();
        SettingsDatabase::Instance().Close();
    }

    int Execute(const Command& command, std::vector<std::string> args) {
        if (!devices_->Error().empty()) {
            std::fprintf(stderr, "tessalyctl: %s\n", devices_->Error().c_str());
            return kExitFailure;
        }
        PlugLinks();
        session_.backend().SetModalAnswer(options_.yes ? DUI::ModalAnswer::FirstButton()
                                                       : DUI::ModalAnswer::SecondButton());
        controller_ = std::make_unique<Controller>();
        window_ = std::make_unique<ui::DeviceMainDlg>(tray_, controller_->Services());
        if (!window_->Create(nullptr, ApplicationName(), DUI::kDialogStyle, 0, {0, 0, 1300, 788})) {
            std::fprintf(stderr, "tessalyctl: the main window could not be created\n");
            return kExitFailure;
        }
        if (!Settle())
            return Fail("the mouse did not finish its start-up read", kExitFailure);
        if (std::string problem = StoreProblem(); !problem.empty())
            return Fail(problem, kExitFailure);
        if (command.needs == Needs::kLink && controller_->Devices().ConnectionKind() < 0)
            return Fail("no mouse is connected", kExitFailure);
        if (command.needs == Needs::kMouse) {
            if (std::string reason = MouseProblem(); !reason.empty())
                return Fail(reason, kExitFailure);
        }
        if (options_.profile && !ProfileStored(*options_.profile))
            return Fail("profile " + std::to_string(*options_.profile) +
                            " is not stored (see profile list)",
                        kExitUsage, &command);
        CommandContext context{
            *controller_, *window_, options_, std::move(args), OutputValue::MakeObject(), {}, {}};
        const uint64_t failed_before = StoreHealth::Instance().FailedWrites();
        const size_t tasks_failed_before = controller_->Worker()->FailedTasks().size();
        const int code = command.run(context);
        if (!Settle())
            return Fail("the mouse did not answer in time", kExitFailure);
        if (StoreHealth::Instance().FailedWrites() != failed_before)
            return Fail("the change could not be saved (" + StoreHealth::Instance().LastFailure() +
                            "), so it was not sent to the mouse",
                        kExitFailure);
        if (const std::vector<int> failed = controller_->Worker()->FailedTasks();
            failed.size() != tasks_failed_before) {
            const std::span<const int> now(failed.begin() + static_cast<long>(tasks_failed_before),
                                           failed.end());
            return Fail("the mouse did not take the " + SettingsOf(now) +
                            " (no answer, an error status, or the mouse is off); the setting is "
                            "kept and sent again when the mouse next connects",
                        kExitFailure);
        }
        if (code != kExitOk)
            return Fail(context.error, code, &command);
        if (command.needs == Needs::kMouse && !window_->device_online.load())
            return Fail("the mouse stopped answering", kExitFailure);
        if (command.report)
            command.report(context);
        const std::string text = options_.json ? context.out.ToJson() : ToText(context.out);
        std::fputs(text.c_str(), stdout);
        return kExitOk;
    }

  private:
    void PlugLinks() {
        emulator::VirtualMouse* mouse = devices_->Mouse();
        if (!mouse || options_.emulate == EmulatedLinks::kDefault)
            return;
        const bool cable = options_.emulate != EmulatedLinks::kReceiver;
        const bool receiver = options_.emulate != EmulatedLinks::kCable;
        using emulator::MouseLink;
        cable ? mouse->Plug(MouseLink::kCable) : mouse->Unplug(MouseLink::kCable);
        receiver ? mouse->Plug(MouseLink::kReceiver) : mouse->Unplug(MouseLink::kReceiver);
    }

    bool Quiet() {
        return window_->tasks.Empty() && controller_->Worker() && !controller_->Worker()->Busy();
    }

    bool Settle() {
        const auto deadline = std::chrono::steady_clock::now() + kSettleLimit;
        int quiet = 0;
        while (std::chrono::steady_clock::now() < deadline) {
            session_.ProcessPending();
            quiet = Quiet() ? quiet + 1 : 0;
            if (quiet >= kQuietPasses)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }

    // Told once the model's file was opened: a damaged file kept aside, or
    // a store that cannot be used at all (then nothing is run).
    static std::string StoreProblem() {
        for (const StoreNotice& notice : StoreHealth::Instance().Notices()) {
            if (notice.kind == StoreNoticeKind::kReplaced)
                std::fprintf(stderr,
                             "tessalyctl: the settings file was damaged; it was kept as %s and "
                             "a new one was started\n",
                             notice.detail.c_str());
        }
        SettingsDatabase& database = SettingsDatabase::Instance();
        if (database.Path().empty() || database.IsOpened())
            return {};
        return "the settings cannot be kept: " + database.Problem();
    }

    std::string MouseProblem() {
        if (controller_->Devices().ConnectionKind() < 0)
            return "no mouse is connected";
        if (controller_->Devices().ConnectionKind() == kConnectionReceiver &&
            controller_->Device().mouse_reachable.load() == 0)
            return "the mouse is not reachable behind the receiver";
        if (!window_->device_online.load())
            return "the mouse does not answer";
        return {};
    }

    static int Fail(const std::string& reason, int code, const Command* command = nullptr) {
        std::fprintf(stderr, "tessalyctl: %s\n", reason.c_str());
        if (command && code == kExitUsage)
            std::fprintf(stderr, "%s\n", UsageLine(*command).c_str());
        return code;
    }

    const CliArguments& options_;
    DUI::HeadlessSession session_;
    std::unique_ptr<DeviceSession> devices_;
    ui::MemoryTrayIcon tray_;
    std::unique_ptr<Controller> controller_;
    std::unique_ptr<ui::DeviceMainDlg> window_;
};

// Before start-up creates the data folder: a model the catalogue lacks, one
// named twice, or a link the first model does not have, is a usage error.
std::string EmulationProblem(const CliArguments& options) {
    const std::vector<int>& types = options.emulated_models;
    for (size_t i = 0; i < types.size(); ++i) {
        if (!EmulatedModelConfig(ProgramFolder() + u"config.xml", types[i]))
            return "the catalogue has no model " + std::to_string(types[i]) + " (see devices)";
        if (std::find(types.begin(), types.begin() + static_cast<long>(i), types[i]) !=
            types.begin() + static_cast<long>(i))
            return "model " + std::to_string(types[i]) + " is emulated twice";
    }
    if (types.empty())
        return {};
    // The link word is the first model's; the others come with their own.
    const int type = types.front();
    const auto config = EmulatedModelConfig(ProgramFolder() + u"config.xml", type);
    const bool cable =
        options.emulate != EmulatedLinks::kReceiver && options.emulate != EmulatedLinks::kDefault;
    const bool receiver =
        options.emulate == EmulatedLinks::kReceiver || options.emulate == EmulatedLinks::kBoth;
    if (cable && config->cable.vendor_id == 0)
        return "model " + std::to_string(type) + " has no cable";
    if (receiver && config->receiver.vendor_id == 0)
        return "model " + std::to_string(type) + " has no receiver";
    return {};
}

}  // namespace

int RunHeadless(const CliArguments& options, const Command& command,
                std::vector<std::string> args) {
    const CommandLine line = ParseCommandLine(options.startup);
    if (!line.error.empty()) {
        std::fprintf(stderr, "tessalyctl: %s\n", line.error.c_str());
        return kExitUsage;
    }
    if (!line.program_dir.empty())
        SetProgramFolderOverride(line.program_dir);
    ReadAppConfig();
    if (std::string reason = EmulationProblem(options); !reason.empty()) {
        std::fprintf(stderr, "tessalyctl: %s\n%s\n", reason.c_str(), UsageLine(command).c_str());
        return kExitUsage;
    }
    // Another run of the tool, or the window, may have the data folder or the
    // mouse: opening them behind its back would lose one side's changes.
    StartupState state = PrepareStartup(line, RunRole::kCommandLine);
    if (state.outcome == StartupOutcome::kNoHomeFolder) {
        std::fprintf(stderr, "tessalyctl: %s\n", kNoHomeFolderMessage);
        return kExitFailure;
    }
    if (state.outcome != StartupOutcome::kReady) {
        std::fprintf(stderr, "tessalyctl: %s\n", state.locks.problem.c_str());
        return kExitFailure;
    }
    if (options.lcid) {
        if (!InLanguageSet(*options.lcid)) {
            std::fprintf(stderr, "tessalyctl: language %d is not offered\n", *options.lcid);
            return kExitUsage;
        }
        SetCurrentLcid(*options.lcid);
        ReloadLanguageFiles();
    }
    Run run(options, line);
    return run.Execute(command, std::move(args));
}

}  // namespace tessaly::cli
