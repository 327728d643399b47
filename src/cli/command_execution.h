#pragma once
// One checked command on a main window whose start-up read is done, the
// same for a headless run and for the running window: Begin runs it, the
// caller then waits until the worker has run what it queued (each in its own
// way: a headless run turns the loop itself, the window keeps its loop
// running), and Finish checks what the tasks did and prints the outcome.
// Output and reasons go to the current run streams (run_streams.h).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_arguments.h"
#include "cli/command_registry.h"

namespace tessaly {
class Controller;
namespace ui {
class DeviceMainDlg;
}
}  // namespace tessaly

namespace tessaly::cli {

// The task list is empty and the worker idle.
bool WindowQuiet(Controller& controller);

class CommandExecution {
  public:
    CommandExecution(Controller& controller, ui::DeviceMainDlg& window,
                     const CliArguments& options);
    ~CommandExecution();
    CommandExecution(const CommandExecution&) = delete;
    CommandExecution& operator=(const CommandExecution&) = delete;

    // The exit code when the command cannot run (no mouse, a store that
    // cannot be used); nothing when its tasks are to be waited for.
    std::optional<int> Begin(const Command& command, std::vector<std::string> args);
    // Once the worker is quiet again: the process's exit code.
    int Finish();

    // Says why on stderr (the usage line too for a usage error).
    static int Fail(const std::string& reason, int code, const Command* command = nullptr);

  private:
    Controller& controller_;
    ui::DeviceMainDlg& window_;
    const CliArguments& options_;
    const Command* command_ = nullptr;
    std::unique_ptr<CommandContext> context_;
    int code_ = kExitOk;
    uint64_t failed_writes_before_ = 0;
    size_t failed_tasks_before_ = 0;
};

}  // namespace tessaly::cli
