#include "cli/command_execution.h"

#include <algorithm>
#include <span>

#include "base/task.h"
#include "cli/run_streams.h"
#include "controller/controller.h"
#include "device/device_manager.h"
#include "storage/profile_table.h"
#include "storage/settings_database.h"
#include "storage/store_health.h"
#include "ui/main/device_main_dlg.h"

namespace tessaly::cli {
namespace {

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

// Told once the model's file was opened: a damaged file kept aside, or a
// store that cannot be used at all (then nothing is run).
std::string StoreProblem() {
    for (const StoreNotice& notice : StoreHealth::Instance().Notices()) {
        if (notice.kind == StoreNoticeKind::kReplaced)
            SayError("the settings file was damaged; it was kept as " + notice.detail +
                     " and a new one was started");
    }
    SettingsDatabase& database = SettingsDatabase::Instance();
    if (database.Path().empty() || database.IsOpened())
        return {};
    return "the settings cannot be kept: " + database.Problem();
}

std::string MouseProblem(Controller& controller) {
    if (controller.Devices().ConnectionKind() < 0)
        return "no mouse is connected";
    if (controller.Devices().ConnectionKind() == kConnectionReceiver &&
        controller.Device().mouse_reachable.load() == 0)
        return "the mouse is not reachable behind the receiver";
    if (!controller.Device().device_online.load())
        return "the mouse does not answer";
    return {};
}

}  // namespace

bool WindowQuiet(Controller& controller) {
    return controller.Tasks().Empty() && controller.Worker() && !controller.Worker()->Busy();
}

CommandExecution::CommandExecution(Controller& controller, ui::DeviceMainDlg& window,
                                   const CliArguments& options)
    : controller_(controller), window_(window), options_(options) {}

CommandExecution::~CommandExecution() = default;

std::optional<int> CommandExecution::Begin(const Command& command, std::vector<std::string> args) {
    command_ = &command;
    if (std::string problem = StoreProblem(); !problem.empty())
        return Fail(problem, kExitFailure);
    if (command.needs == Needs::kLink && controller_.Devices().ConnectionKind() < 0)
        return Fail("no mouse is connected", kExitFailure);
    if (command.needs == Needs::kMouse) {
        if (std::string reason = MouseProblem(controller_); !reason.empty())
            return Fail(reason, kExitFailure);
    }
    if (options_.profile && !ProfileStored(*options_.profile))
        return Fail(
            "profile " + std::to_string(*options_.profile) + " is not stored (see profile list)",
            kExitUsage, &command);
    context_ = std::unique_ptr<CommandContext>(new CommandContext{
        controller_, window_, options_, std::move(args), OutputValue::MakeObject(), {}, {}});
    failed_writes_before_ = StoreHealth::Instance().FailedWrites();
    failed_tasks_before_ = controller_.Worker()->FailedTasks().size();
    code_ = command.run(*context_);
    return std::nullopt;
}

int CommandExecution::Finish() {
    if (StoreHealth::Instance().FailedWrites() != failed_writes_before_)
        return Fail("the change could not be saved (" + StoreHealth::Instance().LastFailure() +
                        "), so it was not sent to the mouse",
                    kExitFailure);
    if (const std::vector<int> failed = controller_.Worker()->FailedTasks();
        failed.size() != failed_tasks_before_) {
        const std::span<const int> now(failed.begin() + static_cast<long>(failed_tasks_before_),
                                       failed.end());
        return Fail("the mouse did not take the " + SettingsOf(now) +
                        " (no answer, an error status, or the mouse is off); the setting is "
                        "kept and sent again when the mouse next connects",
                    kExitFailure);
    }
    if (code_ != kExitOk)
        return Fail(context_->error, code_, command_);
    if (command_->needs == Needs::kMouse && !controller_.Device().device_online.load())
        return Fail("the mouse stopped answering", kExitFailure);
    if (command_->report)
        command_->report(*context_);
    CurrentRunStreams().out(options_.json ? context_->out.ToJson() : ToText(context_->out));
    return kExitOk;
}

int CommandExecution::Fail(const std::string& reason, int code, const Command* command) {
    SayError(reason);
    if (command && code == kExitUsage)
        WriteError(UsageLine(*command) + "\n");
    return code;
}

}  // namespace tessaly::cli
