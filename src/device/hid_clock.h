#pragma once
// Time for the in-memory backend: the real steady clock for the virtual
// mouse, or a manual clock that jumps to each deadline, so that tests of
// 30 ms read time-outs run without sleeping.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace tessaly {

class HidClock {
  public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~HidClock() = default;
    virtual TimePoint Now() const = 0;
    // Waits with `lock` held on `cv` until `deadline` or a notification;
    // TimePoint::max() waits without limit. False when that wait could never
    // end (a manual clock asked to wait forever).
    virtual bool WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                           TimePoint deadline) = 0;
};

class SteadyHidClock : public HidClock {
  public:
    TimePoint Now() const override { return std::chrono::steady_clock::now(); }
    bool WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                   TimePoint deadline) override;
};

// Starts at an arbitrary fixed point and moves only when waited on or advanced.
class ManualHidClock : public HidClock {
  public:
    TimePoint Now() const override;
    bool WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                   TimePoint deadline) override;
    void Advance(std::chrono::nanoseconds step);

  private:
    void AdvanceTo(TimePoint t);
    std::atomic<std::chrono::nanoseconds::rep> since_start_{0};
};

}  // namespace tessaly
