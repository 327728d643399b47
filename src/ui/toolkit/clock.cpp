#include "ui/toolkit/clock.h"

#include <chrono>

namespace tessaly::DUI {

int64_t SteadyClock::NowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace tessaly::DUI
