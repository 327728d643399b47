#pragma once
// The time base of window and control timers. The UI loop asks it for "now";
// tests use ManualClock and move time forward themselves.

#include <atomic>
#include <cstdint>

namespace tessaly::DUI {

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; never goes back.
    virtual int64_t NowMs() const = 0;
};

class SteadyClock : public Clock {
  public:
    int64_t NowMs() const override;
};

class ManualClock : public Clock {
  public:
    int64_t NowMs() const override { return now_.load(); }
    void Advance(int64_t ms) { now_.fetch_add(ms); }
    void Set(int64_t ms) { now_.store(ms); }

  private:
    std::atomic<int64_t> now_{0};
};

}  // namespace tessaly::DUI
