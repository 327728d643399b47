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

TEST(TaskList, WakeEndsTheWaitUnderWayOrTheNextOneWithoutACode) {
    TaskList tasks;
    std::thread waker([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        tasks.Wake();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(tasks.WaitNotEmpty(std::chrono::seconds(60)));
    waker.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));

    tasks.Wake();
    EXPECT_FALSE(tasks.WaitNotEmpty(std::chrono::seconds(60)));
    // Consumed: the next wait runs to its time-out again.
    EXPECT_FALSE(tasks.WaitNotEmpty(std::chrono::milliseconds(1)));
    tasks.Append(3);
    tasks.Wake();
    EXPECT_TRUE(tasks.WaitNotEmpty(std::chrono::seconds(60)));
}

TEST(TaskList, ListenerHearsEveryAppendAfterTheCodeIsQueued) {
    TaskList tasks;
    std::vector<size_t> sizes;
    tasks.SetAppendListener([&] { sizes.push_back(tasks.Size()); });
    tasks.Append(1);
    tasks.Append(2);
    tasks.SetAppendListener(nullptr);
    tasks.Append(3);
    EXPECT_EQ(sizes, (std::vector<size_t>{1, 2}));
    EXPECT_EQ(tasks.Size(), 3u);
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
