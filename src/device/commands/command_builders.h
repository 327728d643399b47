#pragma once
// One builder per command of the set. Builders fill R[1] … R[31]; the
// exchange writes the checksum.

#include <cstdint>

#include "device/commands/button_table.h"
#include "device/commands/command_table.h"
#include "device/commands/command_values.h"
#include "device/report_framing.h"

namespace tessaly {

// The read commands 0x10 … 0x17 and 0x20: no payload.
CommandRequest BuildReadRequest(Command read);

CommandRequest BuildReportRate(uint8_t rate_code);
CommandRequest BuildDpiStages(const DpiStagesValues& values);
CommandRequest BuildDpiColours(const DpiColours& colours);
// The length byte and payload follow the effect; an unknown effect sends
// length 0 and no payload.
CommandRequest BuildLighting(const LightingValues& values);
CommandRequest BuildLiftOffSensor(uint8_t liftoff_height, int sensor_flag);
CommandRequest BuildSleepResponse(const SleepResponseValues& values);
// Table bytes 0 … 26 (buttons 0 … 8) fit the request; the rest stay behind.
CommandRequest BuildButtonTable(const ButtonFunctionTable& table);
// 0x0E with 0x01: restore the lighting.
CommandRequest BuildRestoreLighting();
// 0x0E with 0x42 0x00 0x00 0x00: the lighting step of a factory reset.
CommandRequest BuildResetLighting();
CommandRequest BuildRestoreFactory();

}  // namespace tessaly
