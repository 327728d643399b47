#include "platform/task_list.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace tessaly {
namespace {

TEST(TaskList, FirstInFirstOutWithoutMerging) {
    TaskList tasks;
    for (int code : {9, 9, 4, 9}) {
        tasks.Append(code);
    }
    std::vector<int> taken;
    while (auto code = tasks.TakeFront()) {
        taken.push_back(*code);
    }
    EXPECT_EQ(taken, (std::vector<int>{9, 9, 4, 9}));
    EXPECT_TRUE(tasks.Empty());
}

TEST(TaskList, WaitEndsWhenACodeArrivesOrTheTimeIsUp) {
    TaskList tasks;
    EXPECT_FALSE(tasks.WaitNotEmpty(std::chrono::milliseconds(1)));
    std::thread producer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        tasks.Append(5);
    });
    // Long enough that only the arrival can end it in time.
    EXPECT_TRUE(tasks.WaitNotEmpty(std::chrono::seconds(30)));
    producer.join();
    EXPECT_EQ(tasks.TakeFront(), 5);
}

TEST(TaskListConcurrency, NoCodeIsLostOrTakenTwice) {
    TaskList tasks;
    constexpr int kPerProducer = 2000;
    std::atomic<bool> producing{true};
    std::vector<int> seen(2 * kPerProducer, 0);
    std::thread consumer([&] {
        while (producing.load() || !tasks.Empty()) {
            if (auto code = tasks.TakeFront()) {
                ++seen[static_cast<size_t>(*code)];
            } else {
                tasks.WaitNotEmpty(std::chrono::milliseconds(1));
            }
        }
    });
    std::thread first([&] {
        for (int i = 0; i < kPerProducer; ++i)
            tasks.Append(i);
    });
    std::thread second([&] {
        for (int i = kPerProducer; i < 2 * kPerProducer; ++i)
            tasks.Append(i);
    });
    first.join();
    second.join();
    producing.store(false);
    consumer.join();
    for (int count : seen) {
        ASSERT_EQ(count, 1);
    }
}

}  // namespace
}  // namespace tessaly
