#include "cli/command_registry.h"

#include <algorithm>

namespace tessaly::cli {
namespace {

std::vector<Command> AllCommands() {
    std::vector<Command> all;
    for (const auto group :
         {InformationCommands(), PerformanceCommands(), ButtonCommands(), ProfileCommands(),
          LightCommands(), SettingsCommands(), MacroCommands(), UpdateCommands()})
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

size_t WordCount(std::string_view name) {
    return static_cast<size_t>(std::count(name.begin(), name.end(), ' ')) + 1;
}

bool NameMatches(std::string_view name, const std::vector<std::string>& words) {
    std::string joined;
    const size_t count = WordCount(name);
    if (words.size() < count)
        return false;
    for (size_t i = 0; i < count; ++i) {
        if (i)
            joined += ' ';
        joined += words[i];
    }
    return joined == name;
}

constexpr std::string_view kGlobalOptions =
    "Options (anywhere on the line):\n"
    "  --program-dir DIR       the program folder (config.xml, device/, language/)\n"
    "  --data-dir DIR          the per-user data folder (db/ and its files)\n"
    "  --config-dir DIR        the settings folder (registry.ini, the autostart entry)\n"
    "  --emulate [cable|receiver|both]\n"
    "                          the virtual mouse instead of real devices\n"
    "  --emulate-model TYPE    the virtual mouse of that catalogue model (see devices);\n"
    "                          given again, a second model's mouse is plugged beside it\n"
    "  --emulator-state FILE   the virtual mouse keeps its settings in FILE\n"
    "  --hid-trace FILE        one line per HID report\n"
    "  --trace FILE            the debug trace\n"
    "  --lang LCID             texts in this language for this run\n"
    "  --profile N             a performance, button or lighting command changes\n"
    "                          stored profile N (show and the lists show it); the\n"
    "                          mouse gets it when N becomes the active profile\n"
    "  --json                  one JSON document on stdout\n"
    "  --yes                   answer the confirmations (dpi reset, factory-reset)\n"
    "  --help                  this text; `help COMMAND` for one command or group\n"
    "  --version               the version\n";

}  // namespace

std::span<const Command> Commands() {
    static const std::vector<Command> all = AllCommands();
    return all;
}

const Command* FindCommand(const std::vector<std::string>& words, size_t* name_words) {
    const Command* best = nullptr;
    for (const Command& command : Commands()) {
        if (NameMatches(command.name, words) &&
            (!best || WordCount(command.name) > WordCount(best->name)))
            best = &command;
    }
    if (best && name_words)
        *name_words = WordCount(best->name);
    return best;
}

std::string CheckCommand(const Command& command, const std::vector<std::string>& args, bool yes) {
    if (args.size() < command.min_args)
        return "missing argument";
    if (args.size() > command.max_args)
        return "too many arguments";
    if (command.check) {
        if (std::string reason = command.check(args); !reason.empty())
            return reason;
    }
    if (command.asks_confirmation && !yes)
        return std::string(command.name) + " asks for confirmation: add --yes";
    return {};
}

std::string UsageLine(const Command& command) {
    return "usage: tessalyctl [options] " + std::string(command.usage);
}

std::string GeneralHelp() {
    std::string text =
        "tessalyctl - configure the mouse from the command line\n\n"
        "usage: tessalyctl [options] COMMAND [ARGUMENTS]\n\n"
        "Commands:\n";
    size_t width = 0;
    for (const Command& command : Commands())
        width = std::max(width, command.usage.size());
    for (const Command& command : Commands()) {
        text += "  " + std::string(command.usage);
        text.append(width + 2 - command.usage.size(), ' ');
        text += std::string(command.summary) + "\n";
    }
    text += "\n";
    text += kGlobalOptions;
    text +=
        "\nExit status: 0 done, 1 the mouse or the store failed (or the window, or another\n"
        "run that kept them more than 30 s, has the data folder or the mouse),\n"
        "2 a usage error (nothing was changed).\n";
    return text;
}

std::string FirstWord(std::string_view name) {
    return std::string(name.substr(0, name.find(' ')));
}

std::string GroupHelp(std::string_view group) {
    std::string rows;
    size_t width = 0;
    bool has_group = false;
    for (const Command& command : Commands()) {
        if (FirstWord(command.name) == group) {
            width = std::max(width, command.usage.size());
            has_group = has_group || WordCount(command.name) > 1;
        }
    }
    if (!has_group)
        return {};
    for (const Command& command : Commands()) {
        if (FirstWord(command.name) != group)
            continue;
        rows += "  " + std::string(command.usage);
        rows.append(width + 2 - command.usage.size(), ' ');
        rows += std::string(command.summary) + "\n";
    }
    return "usage: tessalyctl [options] " + std::string(group) + " COMMAND [ARGUMENTS]\n\n" +
           "Commands:\n" + rows + "\n" + std::string(kGlobalOptions);
}

std::string CommandHelp(const Command& command) {
    return UsageLine(command) + "\n\n  " + std::string(command.summary) + "\n\n" +
           std::string(kGlobalOptions);
}

}  // namespace tessaly::cli
