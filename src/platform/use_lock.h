#pragma once
// What two runs must not use at once (a data folder, a mouse): an flock'ed
// file in the runtime folder, named after the thing, that also says which
// process holds it, so the one that waits can name it.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tessaly {

class UseLock;

struct UseLockResult {
    std::unique_ptr<UseLock> lock;  // null when it was not taken
    // Who held it when the lock could not be had at once: "tessalyctl
    // (pid 42)"; empty when nobody did.
    std::string holder;
    bool timed_out = false;  // waited the whole time without getting it
};

class UseLock {
  public:
    // Whether to wait for this holder ("tessalyctl (pid 42)", or "another
    // program" when it does not say); called once, before waiting.
    using MayWait = std::function<bool(const std::string& holder)>;

    // `key` identifies the thing (a canonical path); `user` is what the file
    // says of this process ("tessalyctl"). Waits up to `wait` while another
    // process holds it and `may_wait` agrees. A lock file that cannot be
    // opened is taken as nobody's.
    static UseLockResult Take(std::string_view key, std::string_view user,
                              std::chrono::milliseconds wait, const MayWait& may_wait);

    ~UseLock();
    UseLock(const UseLock&) = delete;
    UseLock& operator=(const UseLock&) = delete;

  private:
    explicit UseLock(int fd) : fd_(fd) {}
    int fd_;
};

// The lock file of a key: "<runtime folder>/tessaly-use-<hash>.lock".
std::string UseLockPath(std::string_view key);

// The program name a holder description starts with ("tessalyctl").
std::string_view HolderProgram(std::string_view holder);

}  // namespace tessaly
