#include "platform/use_lock.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "base/trace.h"
#include "platform/single_instance.h"

namespace tessaly {
namespace {

using namespace std::chrono_literals;

constexpr auto kPollInterval = 50ms;

// FNV-1a: the same name for a key in every build of both programs.
uint64_t KeyHash(std::string_view key) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (const char c : key) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

// "tessalyctl 42" in the file reads "tessalyctl (pid 42)".
std::string ReadHolder(int fd) {
    char buffer[128] = {};
    const ssize_t n = ::pread(fd, buffer, sizeof buffer - 1, 0);
    std::string text(buffer, n > 0 ? static_cast<size_t>(n) : 0);
    text = text.substr(0, text.find('\n'));
    const size_t blank = text.rfind(' ');
    if (text.empty() || blank == std::string::npos || blank == 0)
        return "another program";
    return text.substr(0, blank) + " (pid " + text.substr(blank + 1) + ")";
}

void WriteHolder(int fd, std::string_view user) {
    const std::string line = std::string(user) + " " + std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) != 0 ||
        ::pwrite(fd, line.data(), line.size(), 0) != static_cast<ssize_t>(line.size()))
        Trace(kTraceDevice, "use lock: cannot note the holder: %s", std::strerror(errno));
}

}  // namespace

std::string UseLockPath(std::string_view key) {
    char name[48];
    std::snprintf(name, sizeof name, "tessaly-use-%016llx.lock",
                  static_cast<unsigned long long>(KeyHash(key)));
    return RuntimeFilePath(name);
}

std::string_view HolderProgram(std::string_view holder) {
    return holder.substr(0, holder.find(" (pid "));
}

UseLockResult UseLock::Take(std::string_view key, std::string_view user,
                            std::chrono::milliseconds wait, const MayWait& may_wait) {
    UseLockResult result;
    const std::string path = UseLockPath(key);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        Trace(kTraceDevice, "use lock: cannot open %s: %s", path.c_str(), std::strerror(errno));
        result.lock.reset(new UseLock(-1));
        return result;
    }
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            WriteHolder(fd, user);
            result.lock.reset(new UseLock(fd));
            return result;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            Trace(kTraceDevice, "use lock: %s: %s", path.c_str(), std::strerror(errno));
            result.lock.reset(new UseLock(-1));
            ::close(fd);
            return result;
        }
        if (result.holder.empty()) {
            result.holder = ReadHolder(fd);
            if (may_wait && !may_wait(result.holder))
                break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            result.timed_out = true;
            break;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    ::close(fd);
    return result;
}

UseLock::~UseLock() {
    if (fd_ < 0)
        return;
    // Emptied before it is let go, so the next holder's waiters never read
    // this process as the holder.
    [[maybe_unused]] const int ignored = ::ftruncate(fd_, 0);
    ::close(fd_);
}

}  // namespace tessaly
