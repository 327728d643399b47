#pragma once
// One running instance per application name: an flock'ed lock file and a Unix
// socket under $XDG_RUNTIME_DIR (or /tmp), both named after the application.
// The socket is also how other processes reach the running main window.

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "platform/instance_commands.h"

namespace tessaly {

enum class InstanceRequest {
    kActivate,  // bring the main window to the front
    kExit,      // message 1691 with 610
    kAbout,     // the about box, as the command 102
    kLanguage,  // apply the language texts again, message 2022
};

std::optional<InstanceRequest> InstanceRequestFromWord(std::string_view word);
std::string_view InstanceRequestWord(InstanceRequest request);

// "<runtime folder>/<name>"; in /tmp, which every user shares, the name
// carries the user id.
std::string RuntimeFilePath(std::string_view name);

// "<runtime folder>/<application name>.lock" and ".sock".
std::string InstanceLockPath();
std::string InstanceSocketPath();

class SingleInstance {
  public:
    using Handler = std::function<void(InstanceRequest)>;

    // Takes the lock; nothing when another instance holds it. A lock file or a
    // socket left by a crashed run does not stand in the way.
    static std::unique_ptr<SingleInstance> Acquire();

    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Opens the socket and hands every request to the handler, on a thread of
    // its own, until destruction. False when the socket cannot be opened.
    bool Listen(Handler handler);
    // Commands (instance_commands.h) go to this handler, called on the
    // listener's thread; none refuses them. Once set to none, no call of the
    // old one is under way.
    void SetCommandHandler(CommandHandler handler);

  private:
    SingleInstance(int lock_fd, std::string lock_path);
    void Serve();
    void HandleConnection(int fd);
    void AnswerCommand(int fd, std::string request);

    int lock_fd_;
    std::string lock_path_;
    int socket_fd_ = -1;
    int wake_fds_[2] = {-1, -1};
    std::string socket_path_;
    Handler handler_;
    std::mutex command_mutex_;
    CommandHandler command_handler_;
    std::thread listener_;
};

// Sends one request to the running instance; false when none listens.
bool SendInstanceRequest(InstanceRequest request);

}  // namespace tessaly
