// The command-line tool: checks the command before start-up, then runs it
// on the same window, controller and worker as the GUI.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/command_registry.h"
#include "cli/headless_run.h"

namespace {

using namespace tessaly::cli;

int UsageError(const std::string& reason, const std::string& usage) {
    std::fprintf(stderr, "tessalyctl: %s\n%s\n", reason.c_str(), usage.c_str());
    return kExitUsage;
}

const std::string kShortUsage = "usage: tessalyctl [options] COMMAND [ARGUMENTS] (see --help)";

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        if (!text.empty())
            text += ' ';
        text += word;
    }
    return text;
}

int Help(const std::vector<std::string>& topic) {
    if (topic.empty()) {
        std::fputs(GeneralHelp().c_str(), stdout);
        return kExitOk;
    }
    if (topic.size() == 1) {
        if (const std::string group = GroupHelp(topic.front()); !group.empty()) {
            std::fputs(group.c_str(), stdout);
            return kExitOk;
        }
    }
    const Command* command = FindCommand(topic, nullptr);
    if (!command)
        return UsageError("unknown command: " + Joined(topic), kShortUsage);
    std::fputs(CommandHelp(*command).c_str(), stdout);
    return kExitOk;
}

// No update check at start-up or on reconnecting: the update commands run
// theirs when they ask for it.
void QuietUpdates() {
    setenv("TESSALY_NO_UPDATE_CHECK", "1", 1);
}

}  // namespace

int main(int argc, char** argv) {
    const CliArguments options = ParseCliArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!options.error.empty())
        return UsageError(options.error, kShortUsage);
    if (options.version) {
        std::printf("tessalyctl %s\n", TESSALY_VERSION);
        return kExitOk;
    }
    if (options.words.empty()) {
        if (options.help)
            return Help({});
        return UsageError("no command given", kShortUsage);
    }
    if (options.words.front() == "help")
        return Help({options.words.begin() + 1, options.words.end()});
    if (options.help)
        return Help(options.words);
    size_t name_words = 0;
    const Command* command = FindCommand(options.words, &name_words);
    if (!command) {
        // A group's word alone: what it takes.
        const std::string group =
            options.words.size() == 1 ? GroupHelp(options.words.front()) : std::string();
        if (!group.empty()) {
            std::fprintf(stderr, "tessalyctl: %s needs one of its commands\n%s",
                         options.words.front().c_str(), group.c_str());
            return kExitUsage;
        }
        return UsageError("unknown command: " + Joined(options.words), kShortUsage);
    }
    std::vector<std::string> args(options.words.begin() + static_cast<long>(name_words),
                                  options.words.end());
    if (options.profile && !TakesProfile(*command))
        return UsageError(std::string(command->name) + " does not take --profile",
                          UsageLine(*command));
    if (std::string reason = CheckCommand(*command, args, options.yes); !reason.empty())
        return UsageError(reason, UsageLine(*command));
    QuietUpdates();
    return RunHeadless(options, *command, std::move(args));
}
