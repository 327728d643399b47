#include "device/hid_clock.h"

namespace tessaly {

bool SteadyHidClock::WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                               TimePoint deadline) {
    if (deadline == TimePoint::max()) {
        cv.wait(lock);
    } else {
        cv.wait_until(lock, deadline);
    }
    return true;
}

HidClock::TimePoint ManualHidClock::Now() const {
    return TimePoint(std::chrono::nanoseconds(since_start_.load()));
}

bool ManualHidClock::WaitUntil(std::unique_lock<std::mutex>&, std::condition_variable&,
                               TimePoint deadline) {
    if (deadline == TimePoint::max())
        return false;
    AdvanceTo(deadline);
    return true;
}

void ManualHidClock::Advance(std::chrono::nanoseconds step) {
    since_start_ += step.count();
}

void ManualHidClock::AdvanceTo(TimePoint t) {
    const auto target = std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch());
    auto current = since_start_.load();
    while (current < target.count() &&
           !since_start_.compare_exchange_weak(current, target.count())) {
    }
}

}  // namespace tessaly
