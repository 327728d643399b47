#include "cli/headless_run.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "app/app_config.h"
#include "app/language_state.h"
#include "app/startup.h"
#include "base/application_name.h"
#include "base/unicode.h"
#include "cli/command_execution.h"
#include "cli/window_forwarding.h"
#include "controller/controller.h"
#include "controller/device_session.h"
#include "platform/folders.h"
#include "storage/settings_database.h"
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

constexpr std::string_view kCloseItFirst = "; close it first";

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
        window_ = std::make_unique<ui::DeviceMainDlg>(tray_, controller_->State(),
                                                      controller_->Services());
        if (!window_->Create(nullptr, ApplicationName(), DUI::kDialogStyle, 0, {0, 0, 1300, 788})) {
            std::fprintf(stderr, "tessalyctl: the main window could not be created\n");
            return kExitFailure;
        }
        if (!Settle())
            return Fail("the mouse did not finish its start-up read", kExitFailure);
        CommandExecution execution(*controller_, *window_, options_);
        if (const std::optional<int> code = execution.Begin(command, std::move(args)))
            return *code;
        if (!Settle())
            return Fail("the mouse did not answer in time", kExitFailure);
        return execution.Finish();
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

    bool Quiet() { return WindowQuiet(*controller_); }

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

    static int Fail(const std::string& reason, int code) {
        return CommandExecution::Fail(reason, code);
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
    if (!line.data_dir.empty())
        SetUserDataFolderOverride(line.data_dir);
    if (!line.config_dir.empty())
        SetConfigFolderOverride(line.config_dir);
    // The running window takes the command when it works on the same things.
    const Forwarding forwarding = ForwardToWindow(options, line);
    if (forwarding.exit_code)
        return *forwarding.exit_code;
    // Another run of the tool, or the window, may have the data folder or the
    // mouse: opening them behind its back would lose one side's changes.
    StartupState state = PrepareStartup(line, RunRole::kCommandLine);
    if (state.outcome == StartupOutcome::kNoHomeFolder) {
        std::fprintf(stderr, "tessalyctl: %s\n", kNoHomeFolderMessage);
        return kExitFailure;
    }
    if (state.outcome != StartupOutcome::kReady) {
        std::string problem = state.locks.problem;
        if (const size_t tail = problem.rfind(kCloseItFirst);
            !forwarding.refusal.empty() && tail != std::string::npos)
            problem.replace(tail, std::string::npos,
                            ", but " + forwarding.refusal + "; run with its options or close it");
        std::fprintf(stderr, "tessalyctl: %s\n", problem.c_str());
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
