#include "controller/worker_thread_runner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace tessaly {
namespace {

using namespace std::chrono_literals;

bool WaitUntil(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(1ms);
    }
    return false;
}

// Passes of the real thread: each waits on the task list as the worker does
// when it has nothing to do, and takes what is queued.
class RunnerTest : public ::testing::Test {
  protected:
    RunnerTest() {
        runner = std::make_unique<WorkerThreadRunner>(
            [this] {
                passes.fetch_add(1);
                if (tasks->TakeFront()) {
                    taken.fetch_add(1);
                    return;
                }
                tasks->WaitNotEmpty(std::chrono::minutes(10));
            },
            [this] { interrupts.fetch_add(1); });
        tasks = &runner->Tasks();
    }

    std::atomic<int> passes{0};
    std::atomic<int> taken{0};
    std::atomic<int> interrupts{0};
    TaskList* tasks = nullptr;
    std::unique_ptr<WorkerThreadRunner> runner;
};

TEST_F(RunnerTest, QueuedTasksAreTakenByThePasses) {
    ASSERT_TRUE(runner->Start());
    EXPECT_FALSE(runner->Start()) << "one thread";
    for (int i = 0; i < 5; ++i) {
        runner->Tasks().Append(7);
    }
    EXPECT_TRUE(WaitUntil([&] { return taken.load() == 5; }));
    EXPECT_TRUE(runner->Running());
}

// A pass waiting for a task would hold a stop up for minutes.
TEST_F(RunnerTest, AStopWakesThePassWaitingForATask) {
    ASSERT_TRUE(runner->Start());
    ASSERT_TRUE(WaitUntil([&] { return passes.load() >= 1; }));
    EXPECT_TRUE(runner->Stop(20000));
    EXPECT_FALSE(runner->Running());
    EXPECT_GE(interrupts.load(), 1) << "the worker's own waits are interrupted too";
    // And it starts again.
    ASSERT_TRUE(runner->Start());
    runner->Tasks().Append(7);
    EXPECT_TRUE(WaitUntil([&] { return taken.load() == 1; }));
}

TEST_F(RunnerTest, HeldPassesDoNothingUntilReady) {
    std::atomic<bool> ready{false};
    runner->Hold([&] {
        std::this_thread::sleep_for(1ms);
        return ready.load();
    });
    runner->Tasks().Append(7);
    ASSERT_TRUE(runner->Start());
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(passes.load(), 0);
    EXPECT_EQ(runner->Tasks().Size(), 1u);
    ready = true;
    EXPECT_TRUE(WaitUntil([&] { return taken.load() == 1; }));
}

// Destroyed while a pass waits: the thread ends before what it uses goes
// (the sanitizers see it otherwise).
TEST_F(RunnerTest, DestroyingARunningRunnerEndsItsThread) {
    ASSERT_TRUE(runner->Start());
    ASSERT_TRUE(WaitUntil([&] { return passes.load() >= 1; }));
    runner.reset();
    EXPECT_GE(interrupts.load(), 1);
}

}  // namespace
}  // namespace tessaly
