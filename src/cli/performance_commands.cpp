// The performance page's settings, each through the page's own change
// operation, so the same values are stored and the same tasks queued.

#include "base/unicode.h"
#include "cli/argument_checks.h"
#include "cli/command_registry.h"
#include "cli/stored_performance.h"
#include "cli/stored_profile_host.h"
#include "controller/controller.h"
#include "performance/change_operations.h"
#include "performance/factory_values.h"
#include "performance/performance_store.h"
#include "performance/report_rates.h"

namespace tessaly::cli {
namespace {

constexpr int kLastStage = kMaxStageCount - 1;
// The sleep times the page offers, in minutes (stored in tens of seconds).
constexpr int kSleepMinutes[] = {1, 2, 6, 10, 20, 30};

// The active profile goes through the controller and reaches the mouse;
// another one is only stored.
PerformanceHost& Host(CommandContext& context) {
    const std::optional<int> wanted = context.options.profile;
    if (!wanted || *wanted == context.controller.CurrentProfile())
        return context.controller.Performance();
    if (!context.profile_host)
        context.profile_host =
            std::make_unique<StoredProfileHost>(context.controller.Performance(), *wanted);
    return *context.profile_host;
}

int Profile(CommandContext& context) {
    return Host(context).CurrentProfile();
}

int Done(CommandContext& context) {
    context.out = StoredPerformance(Profile(context));
    return kExitOk;
}

int Arg(const CommandContext& context, size_t i) {
    return *ParseInteger(context.args[i]);
}

std::string CheckStage(const std::string& text) {
    return CheckInteger("the stage", text, 0, kLastStage);
}

// A stage the page shows: beyond the stage count there is no field.
bool ShownStage(CommandContext& context, int stage) {
    if (stage < ReadConfigNumber(Profile(context), u"dpi_count"))
        return true;
    context.error = "stage " + std::to_string(stage) + " is not in use (stage count " +
                    std::to_string(ReadConfigNumber(Profile(context), u"dpi_count")) + ")";
    return false;
}

int RunDpiCount(CommandContext& context) {
    SetStageCount(Host(context), Arg(context, 0));
    return Done(context);
}

int RunDpiSelect(CommandContext& context) {
    if (!ShownStage(context, Arg(context, 0)))
        return kExitUsage;
    SelectStage(Host(context), Arg(context, 0));
    return Done(context);
}

int RunDpiSet(CommandContext& context) {
    if (!ShownStage(context, Arg(context, 0)))
        return kExitUsage;
    SetStageValueTyped(Host(context), Arg(context, 0), FromUtf8(context.args[1]));
    return Done(context);
}

int RunDpiColour(CommandContext& context) {
    if (!ShownStage(context, Arg(context, 0)))
        return kExitUsage;
    SetStageColour(Host(context), Arg(context, 0), *ParseColour(context.args[1]));
    return Done(context);
}

// A reset is queued as tasks: what was stored is known once they have run.
void ReportStored(CommandContext& context) {
    context.out = StoredPerformance(Profile(context));
}

int RunDpiReset(CommandContext& context) {
    ResetDpiStages(Host(context));
    return Done(context);
}

int RunRate(CommandContext& context) {
    const int hertz = Arg(context, 0);
    for (const ReportRate& rate : OfferedReportRates(Host(context).Device().report_capability)) {
        if (rate.hertz == hertz) {
            SetReportRate(Host(context), rate.code);
            return Done(context);
        }
    }
    context.error = "this mouse offers no rate of " + std::to_string(hertz) + " Hz";
    return kExitUsage;
}

int RunRateReset(CommandContext& context) {
    ResetReportRate(Host(context), &context.window);
    return Done(context);
}

int RunLiftOff(CommandContext& context) {
    SetLiftOff(Host(context), Arg(context, 0) == 1 ? LiftOff::k1mm : LiftOff::k2mm);
    return Done(context);
}

int RunSensor(CommandContext& context) {
    SetSensorOptions(Host(context), *ParseOnOff(context.args[0]), *ParseOnOff(context.args[1]),
                     *ParseOnOff(context.args[2]));
    return Done(context);
}

int RunResponse(CommandContext& context) {
    const ResponseTime result = SetResponseTime(Host(context), FromUtf8(context.args[0]), true);
    const int code = Done(context);
    context.out.Set("limited", result.limited);
    return code;
}

int RunSleep(CommandContext& context) {
    SetSleepTime(Host(context), Arg(context, 0) * 6);
    return Done(context);
}

int RunWake(CommandContext& context) {
    SetMoveWakeup(Host(context), *ParseOnOff(context.args[0]));
    return Done(context);
}

int RunCloseLight(CommandContext& context) {
    SetMoveCloseLight(Host(context), *ParseOnOff(context.args[0]));
    return Done(context);
}

std::string CheckOneStage(const std::vector<std::string>& args) {
    return CheckStage(args[0]);
}

std::string CheckCount(const std::vector<std::string>& args) {
    return CheckInteger("the stage count", args[0], 1, kMaxStageCount);
}

std::string CheckStageValue(const std::vector<std::string>& args) {
    if (std::string reason = CheckStage(args[0]); !reason.empty())
        return reason;
    // Any number: the page normalises it for the sensor.
    return ParseInteger(args[1]) ? "" : "the DPI value must be a number, not \"" + args[1] + "\"";
}

std::string CheckStageColour(const std::vector<std::string>& args) {
    if (std::string reason = CheckStage(args[0]); !reason.empty())
        return reason;
    return CheckColour(args[1]);
}

std::string CheckRate(const std::vector<std::string>& args) {
    return ParseInteger(args[0]) ? "" : "the rate must be a number of Hz, not \"" + args[0] + "\"";
}

std::string CheckLiftOff(const std::vector<std::string>& args) {
    return CheckInteger("the lift-off height", args[0], 1, 2);
}

std::string CheckSensor(const std::vector<std::string>& args) {
    for (const std::string& arg : args) {
        if (std::string reason = CheckOnOff("each sensor option", arg); !reason.empty())
            return reason;
    }
    return {};
}

std::string CheckResponse(const std::vector<std::string>& args) {
    // Outside 0 … 20 the page limits the value, as it does here.
    return ParseInteger(args[0]) ? ""
                                 : "the response time must be a number, not \"" + args[0] + "\"";
}

std::string CheckSleep(const std::vector<std::string>& args) {
    const std::optional<int> minutes = ParseInteger(args[0]);
    for (const int offered : kSleepMinutes) {
        if (minutes == offered)
            return {};
    }
    return "the sleep time must be 1, 2, 6, 10, 20 or 30 minutes, not \"" + args[0] + "\"";
}

std::string CheckSwitch(const std::vector<std::string>& args) {
    return CheckOnOff("it", args[0]);
}

const Command kCommands[] = {
    {"dpi count", "dpi count N", "use N stages (1–6)", 1, 1, Needs::kMouse, false, CheckCount,
     RunDpiCount},
    {"dpi select", "dpi select STAGE", "make STAGE (0–5) the current stage", 1, 1, Needs::kMouse,
     false, CheckOneStage, RunDpiSelect},
    {"dpi set", "dpi set STAGE VALUE", "the stage's DPI, normalised for the sensor", 2, 2,
     Needs::kMouse, false, CheckStageValue, RunDpiSet},
    {"dpi colour", "dpi colour STAGE #RRGGBB", "the stage's colour", 2, 2, Needs::kMouse, false,
     CheckStageColour, RunDpiColour},
    {"dpi reset", "dpi reset", "the factory stages (asks: --yes)", 0, 0, Needs::kMouse, true,
     nullptr, RunDpiReset, ReportStored},
    {"rate", "rate HZ", "the report rate in Hz, as the mouse offers it", 1, 1, Needs::kMouse, false,
     CheckRate, RunRate},
    {"rate reset", "rate reset", "the factory report rate", 0, 0, Needs::kMouse, false, nullptr,
     RunRateReset, ReportStored},
    {"liftoff", "liftoff 1|2", "the lift-off height in mm", 1, 1, Needs::kMouse, false,
     CheckLiftOff, RunLiftOff},
    {"sensor", "sensor on|off on|off on|off", "the three sensor options", 3, 3, Needs::kMouse,
     false, CheckSensor, RunSensor},
    {"response", "response N", "the button response time (0–20)", 1, 1, Needs::kMouse, false,
     CheckResponse, RunResponse},
    {"sleep", "sleep MINUTES", "sleep after 1, 2, 6, 10, 20 or 30 minutes", 1, 1, Needs::kMouse,
     false, CheckSleep, RunSleep},
    {"wake", "wake on|off", "wake up on movement", 1, 1, Needs::kMouse, false, CheckSwitch,
     RunWake},
    {"closelight", "closelight on|off", "lights off while moving", 1, 1, Needs::kMouse, false,
     CheckSwitch, RunCloseLight},
};

}  // namespace

std::span<const Command> PerformanceCommands() {
    return kCommands;
}

}  // namespace tessaly::cli
