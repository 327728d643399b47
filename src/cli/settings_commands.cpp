// The settings page's changes: factory reset, the language, starting with
// the desktop session and what the close button does.

#include <filesystem>

#include "app/language_state.h"
#include "base/unicode.h"
#include "cli/argument_checks.h"
#include "cli/command_registry.h"
#include "cli/stored_performance.h"
#include "controller/controller.h"
#include "platform/autostart.h"
#include "platform/folders.h"
#include "ui/localisation/known_languages.h"
#include "ui/main/window_factory_reset_host.h"
#include "ui/settings/settings_operations.h"

namespace tessaly::cli {
namespace {

// --yes has confirmed it before the mouse was opened.
int RunFactoryReset(CommandContext& context) {
    const SettingsChange change =
        FactoryReset(*ui::MakeFactoryResetHost(context.window), [] { return true; });
    if (change.refusal == SettingsRefusal::kNotConnected) {
        context.error = "the mouse is not connected";
        return kExitFailure;
    }
    return change.ok() ? kExitOk : kExitFailure;
}

void ReportFactoryValues(CommandContext& context) {
    context.out = StoredPerformance(context.controller.CurrentProfile());
}

OutputValue Languages() {
    OutputValue rows = OutputValue::MakeArray();
    for (const KnownLanguage& language : OfferedLanguages()) {
        OutputValue row = OutputValue::MakeObject();
        row.Set("lcid", language.lcid);
        row.Set("name", ToUtf8(language.display_name));
        row.Set("current", language.lcid == CurrentLcid());
        rows.Append(std::move(row));
    }
    return rows;
}

int RunLanguageList(CommandContext& context) {
    context.out.Set("languages", Languages());
    return kExitOk;
}

int RunLanguageSet(CommandContext& context) {
    if (!SetLanguage(*ParseInteger(context.args[0])).ok()) {
        context.error = "language " + context.args[0] + " is not offered (see language list)";
        return kExitUsage;
    }
    context.out.Set("languages", Languages());
    return kExitOk;
}

std::string CheckLcid(const std::vector<std::string>& args) {
    return ParseInteger(args[0]) ? "" : "a language is a number (LCID), not \"" + args[0] + "\"";
}

// The session starts the window, which stands beside this tool (and is the
// running program when the window runs the command).
std::u16string WindowProgram() {
    const std::filesystem::path beside =
        std::filesystem::path(ToUtf8(ExecutablePath())).parent_path() / "tessaly";
    return FromUtf8(beside.string());
}

void SetAutostartOutput(CommandContext& context) {
    const Autostart autostart = StoredAutostart();
    context.out.Set("start_with_session", autostart.with_session);
    context.out.Set("start_minimised", autostart.minimised);
    context.out.Set("entry", AutostartEntryPath());
}

int RunAutostartShow(CommandContext& context) {
    SetAutostartOutput(context);
    return kExitOk;
}

int RunAutostartSet(CommandContext& context) {
    if (!SetStartWithSession(*ParseOnOff(context.args[0]), WindowProgram()).ok()) {
        context.error = "the autostart entry " + AutostartEntryPath() + " could not be changed";
        return kExitFailure;
    }
    SetAutostartOutput(context);
    return kExitOk;
}

int RunAutostartMinimised(CommandContext& context) {
    if (SetStartMinimised(*ParseOnOff(context.args[0])).refusal ==
        SettingsRefusal::kNotStartingWithSession) {
        context.error = "the program does not start with the session: autostart set on first";
        return kExitUsage;
    }
    SetAutostartOutput(context);
    return kExitOk;
}

constexpr std::string_view kCloseHides = "tray";
constexpr std::string_view kCloseExits = "exit";

void SetCloseOutput(CommandContext& context) {
    context.out.Set(
        "close_button",
        std::string(StoredCloseMode() == CloseMode::kHideToTray ? kCloseHides : kCloseExits));
}

int RunCloseShow(CommandContext& context) {
    SetCloseOutput(context);
    return kExitOk;
}

int RunCloseSet(CommandContext& context) {
    SetCloseMode(context.args[0] == kCloseHides ? CloseMode::kHideToTray : CloseMode::kExit);
    SetCloseOutput(context);
    return kExitOk;
}

std::string CheckSwitch(const std::vector<std::string>& args) {
    return CheckOnOff("it", args[0]);
}

std::string CheckCloseMode(const std::vector<std::string>& args) {
    if (args[0] == kCloseHides || args[0] == kCloseExits)
        return {};
    return "the close button hides to the tray or exits: tray or exit, not \"" + args[0] + "\"";
}

const Command kCommands[] = {
    {"factory-reset", "factory-reset", "every setting back to the factory's (asks: --yes)", 0, 0,
     Needs::kMouse, true, nullptr, RunFactoryReset, ReportFactoryValues},
    {"language list", "language list", "the languages offered", 0, 0, Needs::kStore, false, nullptr,
     RunLanguageList},
    {"language set", "language set LCID", "the program's language (stored)", 1, 1, Needs::kStore,
     false, CheckLcid, RunLanguageSet},
    {"autostart show", "autostart show", "whether the desktop session starts the program", 0, 0,
     Needs::kStore, false, nullptr, RunAutostartShow},
    {"autostart set", "autostart set on|off", "start the program with the desktop session", 1, 1,
     Needs::kStore, false, CheckSwitch, RunAutostartSet},
    {"autostart minimised", "autostart minimised on|off",
     "started with the session, the program starts hidden", 1, 1, Needs::kStore, false, CheckSwitch,
     RunAutostartMinimised},
    {"close-button show", "close-button show", "what the window's close button does", 0, 0,
     Needs::kStore, false, nullptr, RunCloseShow},
    {"close-button set", "close-button set tray|exit",
     "the close button hides the window to the tray or exits", 1, 1, Needs::kStore, false,
     CheckCloseMode, RunCloseSet},
};

}  // namespace

std::span<const Command> SettingsCommands() {
    return kCommands;
}

}  // namespace tessaly::cli
