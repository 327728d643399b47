#include "app/run_locks.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "base/application_name.h"
#include "base/unicode.h"
#include "platform/folders.h"

namespace tessaly {
namespace {

struct Shared {
    std::string key;   // a canonical path, or the word for the real devices
    std::string what;  // as messages name it
};

// The same text whether the folder exists yet or not, with or without its
// final slash.
std::string CanonicalPath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    std::string text = error ? path : canonical.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

// In the order they are taken, the same for every run, so that two runs
// never hold one each while waiting for the other's.
std::vector<Shared> SharedThings(const CommandLine& line) {
    std::vector<Shared> things;
    const std::string data = ToUtf8(UserDataFolder());
    things.push_back({"data:" + CanonicalPath(data), "the data folder " + data});
    if (!line.emulate) {
        // Keyed by the application's name: a program under another name
        // takes a lock of its own and runs beside this one.
        things.push_back({"devices:" + ApplicationFileName(), "the mouse"});
    } else if (!line.emulator_state_file.empty()) {
        // Without a state file every run meets a virtual mouse of its own.
        things.push_back({"mouse:" + CanonicalPath(line.emulator_state_file),
                          "the virtual mouse of " + line.emulator_state_file});
    }
    return things;
}

const char* ProgramName(RunRole role) {
    return role == RunRole::kWindow ? "tessaly" : "tessalyctl";
}

}  // namespace

std::chrono::seconds LockWait() {
    const char* text = std::getenv(kLockWaitVariable);
    if (text == nullptr || *text == '\0')
        return kDefaultLockWait;
    char* end = nullptr;
    const long seconds = std::strtol(text, &end, 10);
    if (*end != '\0' || seconds < 0 || seconds > 3600)
        return kDefaultLockWait;
    return std::chrono::seconds(seconds);
}

RunLocks TakeRunLocks(const CommandLine& line, RunRole role) {
    RunLocks locks;
    const std::chrono::seconds wait = LockWait();
    const char* program = ProgramName(role);
    for (const Shared& thing : SharedThings(line)) {
        // A window stays until it is closed: a run does not wait for one.
        const auto may_wait = [&](const std::string& holder) {
            if (role == RunRole::kCommandLine && HolderProgram(holder) == "tessaly")
                return false;
            std::fprintf(stderr, "%s: waiting for %s, which uses %s\n", program, holder.c_str(),
                         thing.what.c_str());
            return true;
        };
        UseLockResult taken = UseLock::Take(thing.key, program, wait, may_wait);
        if (taken.lock) {
            locks.held.push_back(std::move(taken.lock));
            continue;
        }
        if (taken.timed_out) {
            locks.problem = taken.holder + " still uses " + thing.what + " after " +
                            std::to_string(wait.count()) + " s";
        } else {
            locks.problem = ToUtf8(ApplicationName()) + " is running " +
                            taken.holder.substr(HolderProgram(taken.holder).size() + 1) +
                            " and uses " + thing.what + "; close it first";
        }
        locks.held.clear();
        break;
    }
    return locks;
}

}  // namespace tessaly
