#pragma once
// Every worker task code. The task list carries them as 32-bit numbers, so
// the enum converts to int32_t; codes not named here have no body.

#include <cstdint>

namespace tessaly {

enum Task : int32_t {
    kTaskConnectAtStart = 1,
    kTaskDeviceArrived = 2,
    kTaskDeviceRemoved = 3,
    kTaskActivateSelected = 4,
    kTaskWriteEverything = 5,
    kTaskWriteButtonTable = 6,
    kTaskWriteLighting = 8,
    kTaskWriteDpiStages = 9,
    kTaskWriteDpiColours = 10,
    kTaskWriteReportRate = 11,
    kTaskWriteLiftOffSensor = 12,
    kTaskWriteSleepResponse = 13,
    // The response time edit; sends the same group as kTaskWriteSleepResponse.
    kTaskWriteResponseTime = 14,
    kTaskRestoreLighting = 17,
    kTaskRestoreDpiStages = 18,
    kTaskRestoreFactorySettings = 20,
    kTaskSoftwareCheck = 23,
    kTaskFirmwareCheck = 24,
    kTaskSoftwareDownload = 26,
    kTaskFirmwareUpgrade = 27,
};

}  // namespace tessaly
