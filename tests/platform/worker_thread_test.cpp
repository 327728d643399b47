#include "platform/worker_thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace tessaly {
namespace {

using namespace std::chrono_literals;

// A pass that blocks in a wait of its own until it is told to stop.
class BlockingThread : public WorkerThread {
  public:
    ~BlockingThread() override { JoinThread(); }
    int passes() {
        std::lock_guard lock(mutex_);
        return passes_;
    }

  protected:
    void Run() override {
        std::unique_lock lock(mutex_);
        ++passes_;
        woken_.wait_for(lock, 60s, [this] { return stop_; });
    }
    void OnStopRequested() override {
        std::lock_guard lock(mutex_);
        stop_ = true;
        woken_.notify_all();
    }

  private:
    std::mutex mutex_;
    std::condition_variable woken_;
    int passes_ = 0;
    bool stop_ = false;
};

TEST(WorkerThreadConcurrency, StopWakesAPassBlockedInItsOwnWait) {
    BlockingThread thread;
    ASSERT_TRUE(thread.StartThread());
    while (thread.passes() == 0) {
        std::this_thread::sleep_for(1ms);
    }
    // Far shorter than the pass's own wait: only the hook can end it in time.
    EXPECT_TRUE(thread.StopThread(20000));
    EXPECT_FALSE(thread.IsAlive());
    EXPECT_EQ(thread.passes(), 1) << "the loop ends once the running flag is clear";
}

}  // namespace
}  // namespace tessaly
