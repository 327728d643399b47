#pragma once
// What a run must have to itself: the data folder, and the mouse (the real
// devices, or a virtual mouse whose state file two runs would share). A run
// of the command-line tool waits its turn behind another run; a window waits
// for a run to end. Both give up after a while and say what they waited for.

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "platform/use_lock.h"

namespace tessaly {

enum class RunRole { kWindow, kCommandLine };

inline constexpr const char* kLockWaitVariable = "TESSALY_LOCK_WAIT";
inline constexpr std::chrono::seconds kDefaultLockWait{30};

// Seconds from TESSALY_LOCK_WAIT (0–3600), else the default.
std::chrono::seconds LockWait();

struct RunLocks {
    std::vector<std::unique_ptr<UseLock>> held;
    std::string problem;  // why the run does not start; empty when all are held
};

// Once the folder options are applied. Says on stderr, once for each, what
// it waits for.
RunLocks TakeRunLocks(const CommandLine& line, RunRole role);

}  // namespace tessaly
