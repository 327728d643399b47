#pragma once
// A run of the tool while the window runs: the window takes the command when
// it works on the same folders and the same mouse as the run would, and
// streams the output, the reasons and the exit code back.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "cli/cli_arguments.h"

namespace tessaly::cli {

// What a run works on, by name ("data", "config", "program", "mouse",
// "models", "links", "language"), once the folder options are applied.
// A window takes a run whose every entry matches its own.
using RunIdentity = std::map<std::string, std::string>;

// `options` is the tool's; a window passes none (its own mouse, its language).
RunIdentity IdentityOf(const CommandLine& line, const CliArguments* options);

// The entries that differ, as a message names them; empty when they match.
std::string IdentityDifferences(const RunIdentity& run, const RunIdentity& window);

// The request for a command and its answer to a "describe" request.
std::string CommandRequest(const CliArguments& options, const std::string& folder);
std::string DescribeRequest();
std::string IdentityText(const RunIdentity& identity);
RunIdentity IdentityFromText(const std::string& text);

// What the request holds: the working folder and the tool's arguments;
// nothing when it is no command request.
struct ForwardedCommand {
    std::string folder;
    std::vector<std::string> arguments;
};
std::optional<ForwardedCommand> ParseCommandRequest(const std::string& request);
bool IsDescribeRequest(const std::string& request);

struct Forwarding {
    std::optional<int> exit_code;  // the window ran the command
    // A window runs but does not take this run: why (its options differ).
    std::string refusal;
};

// Asks the running window, if any; its output and reasons are written to
// this process's stdout and stderr as they come.
Forwarding ForwardToWindow(const CliArguments& options, const CommandLine& line);

}  // namespace tessaly::cli
