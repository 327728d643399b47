#pragma once
// Commands over the instance socket: a request of up to 64 KiB, answered by a
// stream of frames (output, errors, the exit code) for as long as the command
// takes. Only processes of the same user are heard.

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace tessaly {

inline constexpr size_t kMaxInstanceCommand = 64 * 1024;
// The whole request must have arrived by then; the answer may take longer.
inline constexpr std::chrono::seconds kInstanceRequestLimit{5};

enum class FrameKind : char { kOutput = 'o', kError = 'e', kExit = 'x' };

// The uid of the process at the other end of a Unix socket, or -1.
long PeerUid(int fd);
bool PeerIsSameUser(int fd);

// The answering end of one command; any thread. Once the client has gone
// every Send is false and the command runs on regardless.
class InstanceReply {
  public:
    explicit InstanceReply(int fd);
    ~InstanceReply();
    InstanceReply(const InstanceReply&) = delete;
    InstanceReply& operator=(const InstanceReply&) = delete;

    bool Send(FrameKind kind, std::string_view data);
    bool Gone() const;

  private:
    mutable std::mutex mutex_;
    int fd_;
    bool gone_ = false;
};

using CommandHandler = std::function<void(std::string request, std::shared_ptr<InstanceReply>)>;

// The request line that opens a command of `size` bytes.
std::string CommandHeader(size_t size);
// The size a command header announces; -1 when the line is no command header.
long CommandSizeFromHeader(std::string_view line);

struct InstanceAnswer {
    bool reached = false;   // a window listened
    std::string refusal;    // why it did not take the request
    bool complete = false;  // the exit frame came
    int exit_code = 1;
};

// Sends a command to the running instance and hands each output and error
// frame to `on_frame` as it comes, until the exit frame or the end.
InstanceAnswer SendInstanceCommand(
    std::string_view request, const std::function<void(FrameKind, std::string_view)>& on_frame);

}  // namespace tessaly
