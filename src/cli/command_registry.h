#pragma once
// Every command of the tool: its words, usage, the checks made before
// start-up, and what it does once the window has read the mouse.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/output_value.h"
#include "performance/performance_host.h"

namespace tessaly {
class Controller;
namespace ui {
class DeviceMainDlg;
}
}  // namespace tessaly

namespace tessaly::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// What a command works on, on the UI thread, once start-up and the first
// read are done.
struct CommandContext {
    Controller& controller;
    ui::DeviceMainDlg& window;
    const CliArguments& options;
    std::vector<std::string> args;  // the words after the command's name
    OutputValue out = OutputValue::MakeObject();
    std::string error;  // why the command failed
    // With --profile for a profile that is not the active one: the store
    // alone, for the performance operations.
    std::unique_ptr<PerformanceHost> profile_host;
};

// kLink: a cable or receiver is connected (the mouse behind a receiver may
// sleep); kMouse: the mouse answers.
enum class Needs { kStore, kLink, kMouse };

struct Command {
    std::string_view name;  // one or two words
    std::string_view usage;
    std::string_view summary;
    size_t min_args = 0;
    size_t max_args = 0;
    Needs needs = Needs::kStore;
    bool asks_confirmation = false;
    // The reason the arguments are refused, or empty.
    std::string (*check)(const std::vector<std::string>& args) = nullptr;
    int (*run)(CommandContext& context) = nullptr;
    // Fills the output once every queued task has run, when the result is
    // what the tasks left behind.
    void (*report)(CommandContext& context) = nullptr;
};

std::span<const Command> Commands();

// The command the words name (the longest name that matches) and the
// number of words its name takes; null when none does.
const Command* FindCommand(const std::vector<std::string>& words, size_t* name_words);

// The arguments' checks, the count and the confirmation; empty when fine.
std::string CheckCommand(const Command& command, const std::vector<std::string>& args, bool yes);

std::string UsageLine(const Command& command);
std::string GeneralHelp();
std::string CommandHelp(const Command& command);
// The commands whose first word is `group` (dpi, button, …); empty when the
// word names no group of two-word commands.
std::string GroupHelp(std::string_view group);

// What the store and the pages hold, as `show` and the commands print it.
OutputValue ButtonsOutput(const CommandContext& context);
OutputValue LightsOutput(const CommandContext& context);
OutputValue ProfilesOutput(const CommandContext& context);

// Groups of commands, one file each.
std::span<const Command> InformationCommands();
std::span<const Command> PerformanceCommands();
std::span<const Command> SettingsCommands();
std::span<const Command> ProfileCommands();
std::span<const Command> LightCommands();
std::span<const Command> ButtonCommands();
std::span<const Command> MacroCommands();
std::span<const Command> UpdateCommands();

// The commands that take --profile N.
bool TakesProfile(const Command& command);

}  // namespace tessaly::cli
