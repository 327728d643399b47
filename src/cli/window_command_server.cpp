#include "cli/window_command_server.h"

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "cli/cli_arguments.h"
#include "cli/command_backend.h"
#include "cli/command_execution.h"
#include "cli/command_registry.h"
#include "cli/run_streams.h"
#include "cli/window_forwarding.h"
#include "platform/instance_commands.h"
#include "ui/main/device_main_dlg.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::cli {
namespace {

// As a headless run waits for the first read and for a command's tasks.
constexpr auto kSettleLimit = std::chrono::seconds(30);
constexpr int kQuietPasses = 2;
constexpr auto kQuietPoll = std::chrono::milliseconds(5);

struct Pending {
    ForwardedCommand command;
    std::shared_ptr<InstanceReply> reply;
};

RunStreams StreamsOf(const std::shared_ptr<InstanceReply>& reply) {
    return {[reply](std::string_view text) { reply->Send(FrameKind::kOutput, text); },
            [reply](std::string_view text) { reply->Send(FrameKind::kError, text); }};
}

// The client's working folder for the command's own steps, so its relative
// file names mean what they mean to the client.
class WorkingFolder {
  public:
    explicit WorkingFolder(const std::string& folder)
        : previous_(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        entered_ = previous_ >= 0 && ::chdir(folder.c_str()) == 0;
    }
    ~WorkingFolder() {
        if (previous_ >= 0) {
            [[maybe_unused]] const int ignored = ::fchdir(previous_);
            ::close(previous_);
        }
    }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;
    bool Entered() const { return entered_; }

  private:
    int previous_;
    bool entered_ = false;
};

// What holds while a step of the command runs on the UI thread.
class CommandStep {
  public:
    CommandStep(const Pending& pending, bool yes)
        : streams_(StreamsOf(pending.reply)), folder_(pending.command.folder) {
        backend_.SetModalAnswer(yes ? DUI::ModalAnswer::FirstButton()
                                    : DUI::ModalAnswer::SecondButton());
    }
    bool Ready() const { return folder_.Entered(); }

  private:
    ScopedRunStreams streams_;
    CommandBackend backend_;
    WorkingFolder folder_;
};

}  // namespace

class WindowCommandServer::Core : public std::enable_shared_from_this<Core> {
  public:
    Core(Controller& controller, ui::DeviceMainDlg& window, const CommandLine& line)
        : controller_(controller), window_(window), handle_(window.GetSafeHwnd()), line_(line) {}

    // The listener's thread.
    void Take(std::string request, std::shared_ptr<InstanceReply> reply) {
        if (IsDescribeRequest(request)) {
            reply->Send(FrameKind::kOutput, IdentityText(IdentityOf(line_, nullptr)));
            reply->Send(FrameKind::kExit, "0");
            return;
        }
        std::optional<ForwardedCommand> command = ParseCommandRequest(request);
        if (!command) {
            reply->Send(FrameKind::kError,
                        "tessalyctl: the window did not understand the request\n");
            reply->Send(FrameKind::kExit, std::to_string(kExitUsage));
            return;
        }
        std::lock_guard lock(mutex_);
        queue_.push_back({std::move(*command), std::move(reply)});
        if (running_)
            return;
        running_ = true;
        Post([](Core& core) { core.StartNext(); });
    }

    // UI thread: the window goes; what was not run is told so.
    void Stop() {
        stopping_ = true;
        if (waiter_.joinable())
            waiter_.join();
        std::deque<Pending> left;
        {
            std::lock_guard lock(mutex_);
            left.swap(queue_);
        }
        if (current_)
            left.push_front(std::move(*current_));
        for (const Pending& pending : left) {
            pending.reply->Send(FrameKind::kError,
                                "tessalyctl: the window closed before the command ended\n");
            pending.reply->Send(FrameKind::kExit, std::to_string(kExitFailure));
        }
    }

  private:
    void Post(std::function<void(Core&)> work) {
        DUI::Toolkit::Get().PostToWindow(
            handle_, [weak = weak_from_this(), work = std::move(work)](DUI::MWindow&) {
                if (const std::shared_ptr<Core> core = weak.lock(); core && !core->stopping_)
                    work(*core);
            });
    }

    void StartNext() {
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty()) {
                running_ = false;
                return;
            }
            current_ = std::move(queue_.front());
            queue_.pop_front();
        }
        options_ = ParseCliArguments(current_->command.arguments);
        size_t name_words = 0;
        command_ = options_.error.empty() ? FindCommand(options_.words, &name_words) : nullptr;
        std::string reason = !options_.error.empty() ? options_.error
                             : !command_             ? "unknown command"
                                                     : std::string();
        if (command_) {
            args_.assign(options_.words.begin() + static_cast<long>(name_words),
                         options_.words.end());
            if (options_.profile && !TakesProfile(*command_))
                reason = std::string(command_->name) + " does not take --profile";
            else
                reason = CheckCommand(*command_, args_, options_.yes);
        }
        if (!reason.empty()) {
            CommandStep step(*current_, options_.yes);
            Done(CommandExecution::Fail(reason, kExitUsage, command_));
            return;
        }
        WhenQuiet([](Core& core, bool settled) {
            if (!settled)
                return core.Failed("the mouse did not finish its start-up read");
            core.BeginCommand();
        });
    }

    void BeginCommand() {
        std::optional<int> code;
        {
            CommandStep step(*current_, options_.yes);
            if (!step.Ready()) {
                code = CommandExecution::Fail("cannot work in " + current_->command.folder,
                                              kExitFailure);
            } else {
                execution_ = std::make_unique<CommandExecution>(controller_, window_, options_);
                code = execution_->Begin(*command_, args_);
            }
        }
        if (code)
            return Done(*code);
        WhenQuiet([](Core& core, bool settled) {
            if (!settled)
                return core.Failed("the mouse did not answer in time");
            int finished = kExitFailure;
            {
                CommandStep step(*core.current_, core.options_.yes);
                finished = core.execution_->Finish();
            }
            // The macro commands change the store, not the page the user
            // may be looking at.
            if (const auto& refill = core.window_.Services().refill_macro_page)
                refill();
            core.Done(finished);
        });
    }

    void Failed(const std::string& reason) {
        CommandStep step(*current_, options_.yes);
        Done(CommandExecution::Fail(reason, kExitFailure));
    }

    void Done(int code) {
        current_->reply->Send(FrameKind::kExit, std::to_string(code));
        current_.reset();
        execution_.reset();
        StartNext();
    }

    // Once the worker has run what is queued and the window has handled what
    // it posted, on the UI thread; the loop runs meanwhile.
    void WhenQuiet(std::function<void(Core&, bool settled)> then) {
        if (waiter_.joinable())
            waiter_.join();
        waiter_ = std::thread([this, then = std::move(then)]() mutable {
            const auto deadline = std::chrono::steady_clock::now() + kSettleLimit;
            int quiet = 0;
            while (!stopping_ && quiet < kQuietPasses &&
                   std::chrono::steady_clock::now() < deadline) {
                quiet = WindowQuiet(controller_) ? quiet + 1 : 0;
                std::this_thread::sleep_for(kQuietPoll);
            }
            const bool settled = quiet >= kQuietPasses;
            Post([then = std::move(then), settled](Core& core) {
                // Something came in meanwhile (what a task posted, say).
                if (settled && !WindowQuiet(core.controller_))
                    return core.WhenQuiet(then);
                then(core, settled);
            });
        });
    }

    Controller& controller_;
    ui::DeviceMainDlg& window_;
    const DUI::WindowHandle handle_;
    const CommandLine line_;

    std::mutex mutex_;
    std::deque<Pending> queue_;
    bool running_ = false;

    // UI thread only.
    std::optional<Pending> current_;
    CliArguments options_;
    const Command* command_ = nullptr;
    std::vector<std::string> args_;
    std::unique_ptr<CommandExecution> execution_;
    std::thread waiter_;
    std::atomic<bool> stopping_{false};
};

WindowCommandServer::WindowCommandServer(Controller& controller, ui::DeviceMainDlg& window,
                                         const CommandLine& line, SingleInstance& instance)
    : instance_(instance), core_(std::make_shared<Core>(controller, window, line)) {
    instance_.SetCommandHandler([core = std::weak_ptr<Core>(core_)](
                                    std::string request, std::shared_ptr<InstanceReply> reply) {
        if (const std::shared_ptr<Core> taker = core.lock())
            taker->Take(std::move(request), std::move(reply));
    });
}

WindowCommandServer::~WindowCommandServer() {
    instance_.SetCommandHandler({});
    core_->Stop();
}

}  // namespace tessaly::cli
