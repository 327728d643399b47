// The settings page's changes: factory reset and the language.

#include "app/language_state.h"
#include "base/unicode.h"
#include "cli/argument_checks.h"
#include "cli/command_registry.h"
#include "cli/stored_performance.h"
#include "controller/controller.h"
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

const Command kCommands[] = {
    {"factory-reset", "factory-reset", "every setting back to the factory's (asks: --yes)", 0, 0,
     Needs::kMouse, true, nullptr, RunFactoryReset, ReportFactoryValues},
    {"language list", "language list", "the languages offered", 0, 0, Needs::kStore, false, nullptr,
     RunLanguageList},
    {"language set", "language set LCID", "the program's language (stored)", 1, 1, Needs::kStore,
     false, CheckLcid, RunLanguageSet},
};

}  // namespace

std::span<const Command> SettingsCommands() {
    return kCommands;
}

}  // namespace tessaly::cli
