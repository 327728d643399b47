#pragma once
// The program's start: configuration, one instance per application name,
// the language, the per-user folders, then the main window until it closes.

#include "app/command_line.h"
#include "app/run_locks.h"
#include "platform/single_instance.h"

namespace tessaly {

// What runs the main window: the Qt GUI, or a headless stand-in.
class MainWindowHost {
  public:
    virtual ~MainWindowHost() = default;
    // Runs until the main window closes; the instance's socket delivers the
    // requests of other processes. Returns the process's exit code.
    virtual int Run(bool start_hidden, SingleInstance& instance) = 0;
};

enum class StartupOutcome {
    kSecondInstance,
    kReady,
    kBadArguments,
    kNoHomeFolder,
    kInUse,  // another run has the data folder or the mouse (`in_use` says which)
};

inline constexpr const char* kNoHomeFolderMessage =
    "cannot find your home folder: HOME is not set and the password database has no "
    "entry for you; set HOME";

struct StartupState {
    StartupOutcome outcome = StartupOutcome::kReady;
    std::unique_ptr<SingleInstance> instance;  // the window's; none for the tool
    RunLocks locks;
    bool activated = false;  // a second instance brought the first to the front
    bool start_hidden = false;
};

// Applies the folder and trace options, reads config.xml, takes the
// instance lock (a window: a second instance asks the first to come to the
// front) and the data folder and the mouse (run_locks.h), chooses the
// language and creates the database folder.
StartupState PrepareStartup(const CommandLine& line, RunRole role = RunRole::kWindow);

// The whole start: --send requests are delivered and answered with 0 (sent)
// or 1 (no instance running); a second instance exits with 0 once the first
// has come to the front, else with 1 and the reason.
int RunApplication(const CommandLine& line, MainWindowHost& host);

}  // namespace tessaly
