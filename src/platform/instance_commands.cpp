#include "platform/instance_commands.h"

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/single_instance.h"

namespace tessaly {
namespace {

constexpr std::string_view kCommandWord = "command ";
// A client that stops reading for this long is taken as gone: the window
// must not wait on it.
constexpr int kWriteWaitMs = 5000;

bool WriteAll(int fd, std::string_view data, int wait_ms) {
    while (!data.empty()) {
        pollfd p{fd, POLLOUT, 0};
        if (::poll(&p, 1, wait_ms) <= 0 || (p.revents & (POLLERR | POLLHUP)) != 0)
            return false;
        const ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n <= 0)
            return false;
        data.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// Reads what is there into `data`; false at the end of the stream.
bool ReadSome(int fd, std::string& data) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data.append(buffer, static_cast<size_t>(n));
        return true;
    }
}

// One "<kind><length>\n<data>" off the front of `buffer`, when whole.
bool TakeFrame(std::string& buffer, FrameKind& kind, std::string& data) {
    const size_t newline = buffer.find('\n');
    if (newline == std::string::npos || newline < 2)
        return false;
    size_t length = 0;
    const auto parsed = std::from_chars(buffer.data() + 1, buffer.data() + newline, length);
    if (parsed.ec != std::errc() || parsed.ptr != buffer.data() + newline)
        return false;
    if (buffer.size() < newline + 1 + length)
        return false;
    kind = static_cast<FrameKind>(buffer[0]);
    data = buffer.substr(newline + 1, length);
    buffer.erase(0, newline + 1 + length);
    return true;
}

int ConnectToInstance() {
    sockaddr_un address{};
    const std::string path = InstanceSocketPath();
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return -1;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

long PeerUid(int fd) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 ||
        size != sizeof credentials)
        return -1;
    return static_cast<long>(credentials.uid);
}

bool PeerIsSameUser(int fd) {
    return PeerUid(fd) == static_cast<long>(::getuid());
}

InstanceReply::InstanceReply(int fd) : fd_(fd) {}

InstanceReply::~InstanceReply() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool InstanceReply::Send(FrameKind kind, std::string_view data) {
    std::lock_guard lock(mutex_);
    if (gone_)
        return false;
    std::string frame(1, static_cast<char>(kind));
    frame += std::to_string(data.size());
    frame += '\n';
    frame += data;
    gone_ = !WriteAll(fd_, frame, kWriteWaitMs);
    return !gone_;
}

bool InstanceReply::Gone() const {
    std::lock_guard lock(mutex_);
    return gone_;
}

std::string CommandHeader(size_t size) {
    return std::string(kCommandWord) + std::to_string(size) + "\n";
}

long CommandSizeFromHeader(std::string_view line) {
    if (!line.starts_with(kCommandWord))
        return -1;
    line.remove_prefix(kCommandWord.size());
    long size = 0;
    const auto parsed = std::from_chars(line.data(), line.data() + line.size(), size);
    if (parsed.ec != std::errc() || parsed.ptr != line.data() + line.size() || size < 0)
        return -1;
    return size;
}

InstanceAnswer SendInstanceCommand(
    std::string_view request, const std::function<void(FrameKind, std::string_view)>& on_frame) {
    InstanceAnswer answer;
    const int fd = ConnectToInstance();
    if (fd < 0)
        return answer;
    answer.reached = true;
    std::string buffer;
    const std::string header = CommandHeader(request.size());
    // A refusal may come, and the socket close, before the request is out.
    const bool sent = WriteAll(fd, header, kWriteWaitMs) && WriteAll(fd, request, kWriteWaitMs);
    // The first line takes the request or says why not.
    while (buffer.find('\n') == std::string::npos) {
        if (!ReadSome(fd, buffer)) {
            answer.refusal = sent ? "no answer" : "the request could not be sent";
            ::close(fd);
            return answer;
        }
    }
    const std::string first = buffer.substr(0, buffer.find('\n'));
    buffer.erase(0, first.size() + 1);
    if (first != "ok") {
        answer.refusal = first.starts_with("refused: ") ? first.substr(9) : first;
        ::close(fd);
        return answer;
    }
    FrameKind kind{};
    std::string data;
    for (;;) {
        while (TakeFrame(buffer, kind, data)) {
            if (kind == FrameKind::kExit) {
                answer.complete = true;
                answer.exit_code = std::atoi(data.c_str());
                ::close(fd);
                return answer;
            }
            on_frame(kind, data);
        }
        if (!ReadSome(fd, buffer))
            break;
    }
    ::close(fd);
    return answer;
}

}  // namespace tessaly
