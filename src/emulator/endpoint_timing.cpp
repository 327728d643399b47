#include "emulator/endpoint_timing.h"

namespace tessaly::emulator {

EndpointTiming::TimePoint EndpointTiming::NextPoll(TimePoint t) const {
    if (interval_.count() <= 0) {
        return t;
    }
    const auto since_epoch =
        std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch());
    const auto polls = since_epoch / interval_ + 1;
    return TimePoint(std::chrono::duration_cast<TimePoint::duration>(polls * interval_));
}

std::chrono::nanoseconds PollFloor(const EndpointTiming& timing, EndpointTiming::TimePoint start,
                                   int count) {
    EndpointTiming::TimePoint t = start;
    for (int i = 0; i < count; ++i) {
        t = timing.NextPoll(t);
    }
    return t - start;
}

}  // namespace tessaly::emulator
