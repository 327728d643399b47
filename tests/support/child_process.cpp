#include "support/child_process.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <thread>

extern char** environ;

namespace tessaly::test {

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                           const std::vector<std::string>& environment) {
    int pipe_fds[2];
    if (::pipe(pipe_fds) != 0)
        return;
    std::vector<std::string> env_strings;
    for (char** e = environ; *e != nullptr; ++e)
        env_strings.emplace_back(*e);
    for (const auto& entry : environment) {
        const std::string name = entry.substr(0, entry.find('=') + 1);
        std::erase_if(env_strings, [&](const std::string& s) { return s.rfind(name, 0) == 0; });
        env_strings.push_back(entry);
    }
    std::vector<char*> env;
    for (auto& s : env_strings)
        env.push_back(s.data());
    env.push_back(nullptr);
    std::vector<std::string> argv_strings{program};
    argv_strings.insert(argv_strings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& s : argv_strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
    posix_spawn_file_actions_addclose(&actions, pipe_fds[1]);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), env.data()) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe_fds[1]);
    out_fd_ = pipe_fds[0];
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (out_fd_ >= 0)
        ::close(out_fd_);
}

std::optional<std::string> ChildProcess::ReadLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (const size_t end = pending_.find('\n'); end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return std::nullopt;
        pollfd p{out_fd_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            return std::nullopt;
        char buffer[256];
        const ssize_t n = ::read(out_fd_, buffer, sizeof buffer);
        if (n <= 0)
            return std::nullopt;
        pending_.append(buffer, static_cast<size_t>(n));
    }
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds timeout) {
    if (pid_ <= 0)
        return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        const pid_t done = ::waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            pid_ = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
}

int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
               const std::vector<std::string>& environment, std::chrono::milliseconds timeout) {
    ChildProcess child(program, arguments, environment);
    return child.Wait(timeout).value_or(-1);
}

}  // namespace tessaly::test
