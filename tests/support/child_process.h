#pragma once
// Runs a program as a child process and reads its standard output by lines.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tessaly::test {

class ChildProcess {
  public:
    // The environment is the parent's plus the given NAME=VALUE entries.
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                 const std::vector<std::string>& environment);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return pid_ > 0; }
    // The next line of output without its line break; nothing on time-out or end.
    std::optional<std::string> ReadLine(std::chrono::milliseconds timeout);
    // The exit code; nothing when it did not end in time (it is then killed).
    std::optional<int> Wait(std::chrono::milliseconds timeout);

  private:
    pid_t pid_ = -1;
    int out_fd_ = -1;
    std::string pending_;
};

// Runs to the end and gives the exit code (-1 when it did not end in time).
int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

}  // namespace tessaly::test
