#pragma once
// When the virtual mouse's reports move. The host controller polls a USB
// interrupt endpoint once per interval (1 ms for a 1000 Hz mouse), on whole
// multiples of it: an answer the firmware has ready goes out at the first
// poll after the request, and an output report to an interrupt OUT endpoint
// (the upgrade interface) is taken at the first poll after it is written.
// Requests to the configuration interface go as control transfers
// (SET_REPORT), which wait for no poll. The benchmarks take their floors
// from the same model.

#include <chrono>

#include "device/hid_clock.h"

namespace tessaly::emulator {

class EndpointTiming {
  public:
    using TimePoint = HidClock::TimePoint;

    // An interval of 0 polls never: reports move at once.
    explicit EndpointTiming(std::chrono::nanoseconds interval = std::chrono::milliseconds(1))
        : interval_(interval) {}

    std::chrono::nanoseconds interval() const { return interval_; }
    // The first poll strictly after `t`.
    TimePoint NextPoll(TimePoint t) const;
    // When an answer the firmware takes `latency` to prepare is readable.
    TimePoint AnswerReady(TimePoint request, std::chrono::nanoseconds latency) const {
        return NextPoll(request + latency);
    }

  private:
    std::chrono::nanoseconds interval_;
};

// The least time `count` polled transfers in a row take from `start`, each
// begun the moment the previous one ended: request-answer exchanges, or
// output reports to an interrupt OUT endpoint.
std::chrono::nanoseconds PollFloor(const EndpointTiming& timing, EndpointTiming::TimePoint start,
                                   int count);

}  // namespace tessaly::emulator
