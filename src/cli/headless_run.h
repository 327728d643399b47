#pragma once
// One command on the whole program: start-up, the main window on the
// headless toolkit (discovery and the first read as in the GUI), the
// command's change operation, and every task it queued.

#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/command_registry.h"

namespace tessaly::cli {

// The process's exit code; output on stdout, reasons on stderr.
int RunHeadless(const CliArguments& options, const Command& command, std::vector<std::string> args);

}  // namespace tessaly::cli
