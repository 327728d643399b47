#pragma once
// The device tasks the performance settings queue; the worker's task table
// runs their bodies (performance_writes.h).

#include <cstdint>

namespace tessaly {

enum PerformanceTask : int32_t {
    kTaskWriteDpiStages = 9,
    kTaskWriteDpiColours = 10,
    kTaskWriteReportRate = 11,
    kTaskWriteLiftOffSensor = 12,
    kTaskWriteSleepResponse = 13,
    // The response time edit; sends the same group as 13.
    kTaskWriteResponseTime = 14,
    kTaskRestoreDpiStages = 18,
};

}  // namespace tessaly
