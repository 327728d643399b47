#include "platform/single_instance.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <vector>

#include <gtest/gtest.h>

#include "base/application_name.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

using test::ScopedEnv;
using test::TempDir;

class SingleInstanceTest : public ::testing::Test {
  protected:
    TempDir dir_;
    ScopedEnv runtime_{"XDG_RUNTIME_DIR", dir_.path().string()};
};

class Inbox {
  public:
    void Put(InstanceRequest r) {
        std::lock_guard lock(mutex_);
        received_.push_back(r);
        changed_.notify_all();
    }
    std::vector<InstanceRequest> WaitFor(size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::seconds(5), [&] { return received_.size() >= count; });
        return received_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<InstanceRequest> received_;
};

TEST_F(SingleInstanceTest, SecondAcquireFailsUntilTheFirstIsGone) {
    auto first = SingleInstance::Acquire();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(SingleInstance::Acquire(), nullptr);
    first.reset();
    EXPECT_NE(SingleInstance::Acquire(), nullptr);
}

TEST_F(SingleInstanceTest, DifferentApplicationNamesRunSideBySide) {
    auto first = SingleInstance::Acquire();
    SetApplicationName(u"Second Tool");
    auto second = SingleInstance::Acquire();
    SetApplicationName(kDefaultApplicationName);
    EXPECT_NE(first, nullptr);
    EXPECT_NE(second, nullptr);
}

TEST_F(SingleInstanceTest, RequestsReachTheListenerInOrder) {
    auto instance = SingleInstance::Acquire();
    ASSERT_NE(instance, nullptr);
    EXPECT_FALSE(SendInstanceRequest(InstanceRequest::kActivate));  // not listening yet
    Inbox inbox;
    ASSERT_TRUE(instance->Listen([&](InstanceRequest r) { inbox.Put(r); }));
    EXPECT_TRUE(SendInstanceRequest(InstanceRequest::kActivate));
    EXPECT_TRUE(SendInstanceRequest(InstanceRequest::kAbout));
    EXPECT_TRUE(SendInstanceRequest(InstanceRequest::kLanguage));
    EXPECT_TRUE(SendInstanceRequest(InstanceRequest::kExit));
    EXPECT_EQ(inbox.WaitFor(4),
              (std::vector<InstanceRequest>{InstanceRequest::kActivate, InstanceRequest::kAbout,
                                            InstanceRequest::kLanguage, InstanceRequest::kExit}));
    instance.reset();
    EXPECT_FALSE(std::filesystem::exists(InstanceSocketPath()));
    EXPECT_FALSE(SendInstanceRequest(InstanceRequest::kActivate));
}

TEST_F(SingleInstanceTest, StaleSocketFromACrashedRunDoesNotBlock) {
    // A crashed run leaves its socket file bound to nobody.
    {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strcpy(address.sun_path, InstanceSocketPath().c_str());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
    }
    ASSERT_TRUE(std::filesystem::exists(InstanceSocketPath()));
    auto instance = SingleInstance::Acquire();
    ASSERT_NE(instance, nullptr);
    Inbox inbox;
    ASSERT_TRUE(instance->Listen([&](InstanceRequest r) { inbox.Put(r); }));
    EXPECT_TRUE(SendInstanceRequest(InstanceRequest::kActivate));
    EXPECT_EQ(inbox.WaitFor(1).size(), 1u);
}

TEST_F(SingleInstanceTest, UnknownWordsAreRefused) {
    EXPECT_EQ(InstanceRequestFromWord("exit"), InstanceRequest::kExit);
    EXPECT_FALSE(InstanceRequestFromWord("EXIT").has_value());
    EXPECT_FALSE(InstanceRequestFromWord("").has_value());
    auto instance = SingleInstance::Acquire();
    Inbox inbox;
    ASSERT_TRUE(instance->Listen([&](InstanceRequest r) { inbox.Put(r); }));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, InstanceSocketPath().c_str());
    ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::write(fd, "reboot\n", 7), 7);
    char answer[16] = {};
    ASSERT_GT(::read(fd, answer, sizeof answer - 1), 0);
    ::close(fd);
    EXPECT_STREQ(answer, "unknown\n");
    EXPECT_TRUE(SendInstanceRequest(InstanceRequest::kAbout));
    EXPECT_EQ(inbox.WaitFor(1), std::vector<InstanceRequest>{InstanceRequest::kAbout});
}

}  // namespace
}  // namespace tessaly
