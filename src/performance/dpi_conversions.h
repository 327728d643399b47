#pragma once
// The mouse's DPI numbers: slider codes, the codes the mouse is sent and
// reports, typed values and slider positions. Each sensor has its own
// scale; the tables are used as they stand, even where they are not exact
// inverses of each other. All divisions truncate.

#include <cstdint>

namespace tessaly {

int DpiToSliderCode(uint16_t sensor, int dpi);
// The caller clamps the value to the sensor's limits first.
int DpiToDeviceCode(uint16_t sensor, int dpi);
int DeviceCodeToDpi(uint16_t sensor, int code);
// A value the user typed: rounded down to the sensor's step and limited.
int NormaliseTypedDpi(uint16_t sensor, int typed);
// `position` already includes the slider offset; not limited from below.
int SliderToDpi(uint16_t sensor, int position);

// Clamp to the limits, then convert: what a stage sends.
int StageDeviceCode(uint16_t sensor, int dpi, int min_dpi, int max_dpi);

}  // namespace tessaly
