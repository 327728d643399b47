#include "platform/instance_commands.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/single_instance.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

using test::ScopedEnv;
using test::TempDir;

class InstanceCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        instance_ = SingleInstance::Acquire();
        ASSERT_NE(instance_, nullptr);
        ASSERT_TRUE(instance_->Listen([](InstanceRequest) {}));
    }

    // Echoes the request back as output and error, then exits with its length.
    void Echo() {
        instance_->SetCommandHandler([](std::string request, std::shared_ptr<InstanceReply> reply) {
            std::thread([request, reply] {
                reply->Send(FrameKind::kOutput, "out:" + request);
                reply->Send(FrameKind::kError, "err:" + request);
                reply->Send(FrameKind::kExit, std::to_string(request.size()));
            }).detach();
        });
    }

    // Connects by hand and returns the socket.
    static int Connect() {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, InstanceSocketPath().c_str());
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            ::close(fd);
            return -1;
        }
        return fd;
    }

    static std::string ReadAll(int fd) {
        std::string text;
        char buffer[256];
        ssize_t n = 0;
        while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<size_t>(n));
        return text;
    }

    TempDir dir_;
    ScopedEnv runtime_{"XDG_RUNTIME_DIR", dir_.path().string()};
    std::unique_ptr<SingleInstance> instance_;
};

TEST_F(InstanceCommandsTest, AnswerStreamsBackInOrderWithTheExitCode) {
    Echo();
    std::string out;
    std::string err;
    // Bytes a text protocol might trip on: newlines, NULs, digits after them.
    const std::string request = std::string("run\0/tmp\0dpi\n12", 16);
    const InstanceAnswer answer = SendInstanceCommand(
        request,
        [&](FrameKind kind, std::string_view d) { (kind == FrameKind::kOutput ? out : err) += d; });
    EXPECT_TRUE(answer.reached);
    EXPECT_TRUE(answer.complete);
    EXPECT_EQ(answer.exit_code, 16);
    EXPECT_EQ(out, "out:" + request);
    EXPECT_EQ(err, "err:" + request);
    // The plain words still work beside commands.
    EXPECT_TRUE(SendInstanceRequest(InstanceRequest::kAbout));
}

TEST_F(InstanceCommandsTest, RefusalsSayWhy) {
    // No handler: the window takes no commands.
    InstanceAnswer answer = SendInstanceCommand("x", [](FrameKind, std::string_view) {});
    EXPECT_TRUE(answer.reached);
    EXPECT_FALSE(answer.complete);
    EXPECT_NE(answer.refusal.find("takes no commands"), std::string::npos) << answer.refusal;

    Echo();
    bool called = false;
    answer = SendInstanceCommand(std::string(kMaxInstanceCommand + 1, 'a'),
                                 [&](FrameKind, std::string_view) { called = true; });
    EXPECT_FALSE(answer.complete);
    EXPECT_FALSE(called);
    EXPECT_NE(answer.refusal.find("larger than 64 KiB"), std::string::npos) << answer.refusal;

    // Exactly the limit is taken.
    answer = SendInstanceCommand(std::string(kMaxInstanceCommand, 'a'),
                                 [](FrameKind, std::string_view) {});
    EXPECT_TRUE(answer.complete);
    EXPECT_EQ(answer.exit_code, static_cast<int>(kMaxInstanceCommand));

    instance_.reset();
    answer = SendInstanceCommand("x", [](FrameKind, std::string_view) {});
    EXPECT_FALSE(answer.reached);
}

TEST_F(InstanceCommandsTest, AnUnfinishedRequestIsDroppedAndOthersAreHeardAfterIt) {
    Echo();
    const int fd = Connect();
    ASSERT_GE(fd, 0);
    const std::string partial = CommandHeader(10) + "abc";
    ASSERT_EQ(::write(fd, partial.data(), partial.size()), static_cast<ssize_t>(partial.size()));
    const auto start = std::chrono::steady_clock::now();
    const std::string answer = ReadAll(fd);
    const auto waited = std::chrono::steady_clock::now() - start;
    ::close(fd);
    EXPECT_EQ(answer, "refused: the request did not arrive within 5 s\n");
    EXPECT_GE(waited, kInstanceRequestLimit - std::chrono::milliseconds(100));
    EXPECT_LT(waited, kInstanceRequestLimit + std::chrono::seconds(5));

    const InstanceAnswer next = SendInstanceCommand("ok", [](FrameKind, std::string_view) {});
    EXPECT_TRUE(next.complete);
    EXPECT_EQ(next.exit_code, 2);
}

TEST_F(InstanceCommandsTest, ALongerRequestThanAnnouncedIsRefused) {
    Echo();
    const int fd = Connect();
    ASSERT_GE(fd, 0);
    const std::string request = CommandHeader(2) + "abcd";
    ASSERT_EQ(::write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    EXPECT_EQ(ReadAll(fd), "refused: the request is longer than it said\n");
    ::close(fd);
}

TEST_F(InstanceCommandsTest, ASilentClientOfAnAnswerDoesNotStopTheCommand) {
    // The command's own thread writes far more than a socket buffer holds
    // while nobody reads; it must come to its end anyway.
    std::atomic<bool> finished{false};
    std::atomic<bool> gone{false};
    instance_->SetCommandHandler([&](std::string, std::shared_ptr<InstanceReply> reply) {
        std::thread([&, reply] {
            const std::string block(64 * 1024, 'x');
            for (int i = 0; i < 64 && reply->Send(FrameKind::kOutput, block); ++i) {
            }
            gone = reply->Gone();
            finished = true;
        }).detach();
    });
    const int fd = Connect();
    ASSERT_GE(fd, 0);
    const std::string request = CommandHeader(1) + "a";
    ASSERT_EQ(::write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
    ::close(fd);  // the client disappears at once
    for (int i = 0; i < 400 && !finished; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(finished);
    EXPECT_TRUE(gone);
}

TEST_F(InstanceCommandsTest, SocketIsTheUsersAlone) {
    struct stat info {};
    ASSERT_EQ(::stat(InstanceSocketPath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    int pair[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    EXPECT_EQ(PeerUid(pair[0]), static_cast<long>(::getuid()));
    EXPECT_TRUE(PeerIsSameUser(pair[0]));
    ::close(pair[0]);
    ::close(pair[1]);
    EXPECT_EQ(PeerUid(-1), -1);
    EXPECT_FALSE(PeerIsSameUser(-1));
}

// Needs root to act as a second user; the socket is opened to everyone so
// that only the peer check stands in the way.
TEST_F(InstanceCommandsTest, AnotherUserIsRefusedEvenWhenTheSocketIsOpenToAll) {
    if (::getuid() != 0)
        GTEST_SKIP() << "needs root to connect as a second user";
    std::atomic<bool> called{false};
    instance_->SetCommandHandler([&](std::string, std::shared_ptr<InstanceReply> reply) {
        called = true;
        reply->Send(FrameKind::kExit, "0");
    });
    ASSERT_EQ(::chmod(dir_.path().c_str(), 0755), 0);
    ASSERT_EQ(::chmod(InstanceSocketPath().c_str(), 0666), 0);
    int answer_pipe[2];
    ASSERT_EQ(::pipe(answer_pipe), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(answer_pipe[0]);
        constexpr uid_t kNobody = 65534;
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(3);
        const int fd = Connect();
        if (fd < 0)
            ::_exit(4);
        const std::string request = CommandHeader(1) + "a";
        // The window may refuse and close before the request is out.
        [[maybe_unused]] const ssize_t sent =
            ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
        const std::string answer = ReadAll(fd);
        [[maybe_unused]] const ssize_t n = ::write(answer_pipe[1], answer.data(), answer.size());
        ::_exit(0);
    }
    ::close(answer_pipe[1]);
    const std::string answer = ReadAll(answer_pipe[0]);
    ::close(answer_pipe[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(answer, "refused: only the user who runs the window may ask it\n");
    EXPECT_FALSE(called);
    // The same request from this user goes through.
    EXPECT_TRUE(SendInstanceCommand("a", [](FrameKind, std::string_view) {}).complete);
    EXPECT_TRUE(called);
}

}  // namespace
}  // namespace tessaly
