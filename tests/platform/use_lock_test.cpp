#include "platform/use_lock.h"

#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

using namespace std::chrono_literals;
using test::ScopedEnv;
using test::TempDir;

class UseLockTest : public ::testing::Test {
  protected:
    static UseLockResult Take(std::string_view key, std::chrono::milliseconds wait,
                              const UseLock::MayWait& may_wait = nullptr) {
        return UseLock::Take(key, "tessalyctl", wait, may_wait);
    }
    const std::string me_ = "tessalyctl (pid " + std::to_string(::getpid()) + ")";
    TempDir dir_;
    ScopedEnv runtime_{"XDG_RUNTIME_DIR", dir_.path().string()};
};

TEST_F(UseLockTest, OneHolderAtATimeAndTheWaiterKnowsWho) {
    UseLockResult first = Take("data:/x", 0ms);
    ASSERT_TRUE(first.lock);
    EXPECT_TRUE(first.holder.empty());
    EXPECT_EQ(std::filesystem::path(UseLockPath("data:/x")).parent_path(), dir_.path());

    const auto started = std::chrono::steady_clock::now();
    const UseLockResult second = Take("data:/x", 200ms);
    EXPECT_GE(std::chrono::steady_clock::now() - started, 200ms);
    EXPECT_FALSE(second.lock);
    EXPECT_TRUE(second.timed_out);
    EXPECT_EQ(second.holder, me_);

    // Another key is another thing.
    EXPECT_TRUE(Take("data:/y", 0ms).lock);
    first.lock.reset();
    EXPECT_TRUE(Take("data:/x", 0ms).lock);
}

TEST_F(UseLockTest, AWaiterGetsTheLockOnceLetGo) {
    UseLockResult first = Take("mouse:/state", 0ms);
    ASSERT_TRUE(first.lock);
    std::thread release([&] {
        std::this_thread::sleep_for(150ms);
        first.lock.reset();
    });
    int asked = 0;
    const UseLockResult second = Take("mouse:/state", 10s, [&](const std::string& holder) {
        ++asked;
        EXPECT_EQ(holder, me_);
        return true;
    });
    release.join();
    EXPECT_TRUE(second.lock);
    EXPECT_FALSE(second.timed_out);
    EXPECT_EQ(asked, 1);
}

TEST_F(UseLockTest, AHolderNotWaitedForIsNamedAtOnce) {
    const UseLockResult first = Take("devices:Tessaly", 0ms);
    ASSERT_TRUE(first.lock);
    const auto started = std::chrono::steady_clock::now();
    const UseLockResult second =
        Take("devices:Tessaly", 10s, [](const std::string&) { return false; });
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);
    EXPECT_FALSE(second.lock);
    EXPECT_FALSE(second.timed_out);
    EXPECT_EQ(second.holder, me_);
    EXPECT_EQ(HolderProgram(second.holder), "tessalyctl");
}

// A lock file that cannot be opened does not keep the program from running.
TEST_F(UseLockTest, AnUnopenableLockFileStandsInNobodysWay) {
    std::filesystem::create_directory(UseLockPath("data:/z"));
    const UseLockResult taken = Take("data:/z", 0ms);
    EXPECT_TRUE(taken.lock);
    EXPECT_TRUE(taken.holder.empty());
}

}  // namespace
}  // namespace tessaly
