#include "platform/single_instance.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "base/application_name.h"
#include "base/trace.h"

namespace tessaly {
namespace {

struct RequestWord {
    InstanceRequest request;
    std::string_view word;
};

constexpr std::array<RequestWord, 4> kRequestWords{{
    {InstanceRequest::kActivate, "activate"},
    {InstanceRequest::kExit, "exit"},
    {InstanceRequest::kAbout, "about"},
    {InstanceRequest::kLanguage, "language"},
}};

std::string RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime != nullptr && *runtime != '\0' && ::stat(runtime, &info) == 0 &&
        S_ISDIR(info.st_mode)) {
        return runtime;
    }
    return "/tmp";
}

std::string InstanceBaseName() {
    return RuntimeFilePath(ApplicationFileName());
}

bool FillAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

void Answer(int fd, const std::string& line) {
    [[maybe_unused]] const ssize_t ignored = ::send(fd, line.data(), line.size(), MSG_NOSIGNAL);
}

// Reads into `data` until `whole` holds; false at the end of the stream or
// the deadline.
template <typename Whole>
bool ReadUntil(int fd, std::string& data, std::chrono::steady_clock::time_point deadline,
               Whole whole) {
    char buffer[4096];
    while (!whole()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            return false;
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        data.append(buffer, static_cast<size_t>(n));
    }
    return true;
}

}  // namespace

std::optional<InstanceRequest> InstanceRequestFromWord(std::string_view word) {
    for (const auto& entry : kRequestWords) {
        if (entry.word == word)
            return entry.request;
    }
    return std::nullopt;
}

std::string_view InstanceRequestWord(InstanceRequest request) {
    for (const auto& entry : kRequestWords) {
        if (entry.request == request)
            return entry.word;
    }
    return {};
}

// /tmp is shared by every user: keep each user's names apart there.
std::string RuntimeFilePath(std::string_view name) {
    const std::string folder = RuntimeFolder();
    if (folder == "/tmp")
        return folder + "/tessaly-" + std::to_string(::getuid()) + "-" + std::string(name);
    return folder + "/" + std::string(name);
}

std::string InstanceLockPath() {
    return InstanceBaseName() + ".lock";
}
std::string InstanceSocketPath() {
    return InstanceBaseName() + ".sock";
}

std::unique_ptr<SingleInstance> SingleInstance::Acquire() {
    const std::string path = InstanceLockPath();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        // No lock to be had is taken as no other instance.
        Trace(kTraceDevice, "single instance: cannot open %s: %s", path.c_str(),
              std::strerror(errno));
        return std::unique_ptr<SingleInstance>(new SingleInstance(-1, path));
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<SingleInstance>(new SingleInstance(fd, path));
}

SingleInstance::SingleInstance(int lock_fd, std::string lock_path)
    : lock_fd_(lock_fd), lock_path_(std::move(lock_path)) {}

SingleInstance::~SingleInstance() {
    if (listener_.joinable()) {
        const char wake = 1;
        [[maybe_unused]] const ssize_t ignored = ::write(wake_fds_[1], &wake, 1);
        listener_.join();
    }
    for (int fd : wake_fds_) {
        if (fd >= 0)
            ::close(fd);
    }
    if (socket_fd_ >= 0) {
        ::close(socket_fd_);
        ::unlink(socket_path_.c_str());
    }
    if (lock_fd_ >= 0)
        ::close(lock_fd_);
}

bool SingleInstance::Listen(Handler handler) {
    if (socket_fd_ >= 0)
        return false;
    socket_path_ = InstanceSocketPath();
    sockaddr_un address{};
    if (!FillAddress(socket_path_, address))
        return false;
    // We hold the lock, so a socket file still there is a crashed run's.
    ::unlink(socket_path_.c_str());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const mode_t old_mask = ::umask(0077);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::umask(old_mask);
    // The socket's own mode, whatever the folder lets others see.
    if (bound)
        ::chmod(socket_path_.c_str(), 0600);
    if (!bound || ::listen(fd, 8) != 0 || ::pipe2(wake_fds_, O_CLOEXEC) != 0) {
        ::close(fd);
        return false;
    }
    socket_fd_ = fd;
    handler_ = std::move(handler);
    listener_ = std::thread([this] { Serve(); });
    return true;
}

void SingleInstance::Serve() {
    for (;;) {
        std::array<pollfd, 2> fds{{{socket_fd_, POLLIN, 0}, {wake_fds_[0], POLLIN, 0}}};
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents != 0)
            return;
        if ((fds[0].revents & POLLIN) == 0)
            continue;
        const int client = ::accept4(socket_fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0)
            HandleConnection(client);
    }
}

void SingleInstance::SetCommandHandler(CommandHandler handler) {
    std::lock_guard lock(command_mutex_);
    command_handler_ = std::move(handler);
}

void SingleInstance::HandleConnection(int fd) {
    if (!PeerIsSameUser(fd)) {
        Trace(kTraceDevice, "instance socket: a request of uid %ld refused", PeerUid(fd));
        Answer(fd, "refused: only the user who runs the window may ask it\n");
        ::close(fd);
        return;
    }
    // A client has its whole request to say at once; a slow or silent one is
    // dropped.
    const auto deadline = std::chrono::steady_clock::now() + kInstanceRequestLimit;
    std::string data;
    const bool has_line = ReadUntil(fd, data, deadline, [&] {
        return data.find('\n') != std::string::npos || data.size() >= 64;
    });
    const std::string line = data.substr(0, data.find('\n'));
    const long size = has_line ? CommandSizeFromHeader(line) : -1;
    if (size < 0) {
        const auto request = has_line ? InstanceRequestFromWord(line) : std::nullopt;
        Answer(fd, request ? "ok\n" : "unknown\n");
        ::close(fd);
        if (request && handler_)
            handler_(*request);
        return;
    }
    if (static_cast<size_t>(size) > kMaxInstanceCommand) {
        Answer(fd, "refused: the request is larger than 64 KiB\n");
        ::close(fd);
        return;
    }
    data.erase(0, line.size() + 1);
    if (!ReadUntil(fd, data, deadline, [&] { return data.size() >= static_cast<size_t>(size); }) ||
        data.size() != static_cast<size_t>(size)) {
        Answer(fd, data.size() > static_cast<size_t>(size)
                       ? "refused: the request is longer than it said\n"
                       : "refused: the request did not arrive within 5 s\n");
        ::close(fd);
        return;
    }
    AnswerCommand(fd, std::move(data));
}

void SingleInstance::AnswerCommand(int fd, std::string request) {
    std::lock_guard lock(command_mutex_);
    if (!command_handler_) {
        Answer(fd, "refused: this window takes no commands\n");
        ::close(fd);
        return;
    }
    Answer(fd, "ok\n");
    command_handler_(std::move(request), std::make_shared<InstanceReply>(fd));
}

bool SendInstanceRequest(InstanceRequest request) {
    sockaddr_un address{};
    if (!FillAddress(InstanceSocketPath(), address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    bool delivered = false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        std::string line(InstanceRequestWord(request));
        line.push_back('\n');
        if (::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size())) {
            char answer[16] = {};
            pollfd p{fd, POLLIN, 0};
            delivered = ::poll(&p, 1, 2000) > 0 && ::read(fd, answer, sizeof answer - 1) > 0 &&
                        std::strncmp(answer, "ok", 2) == 0;
        }
    }
    ::close(fd);
    return delivered;
}

}  // namespace tessaly
