#pragma once
// The DPI values a sensor's codes really carry. The write and read tables do
// not always agree: some codes read back as another value than the one they
// were written for (sensor 17 above 12000), and three sensors (25, 38, 150)
// read most codes one step off. A value the user sets is moved onto a value
// that survives being written and read again, and a read keeps the stored
// value whenever the mouse holds the very code it was sent.

#include <cstdint>

namespace tessaly {

// The sensors whose read table is one step off their write table.
bool ReadsOneStepOff(uint16_t sensor);

// True when `dpi` (within the limits) is written as a code that reads back
// as `dpi`, or, on a one-step sensor, is the one value of its step that the
// code stands for.
bool CarriesDpi(uint16_t sensor, int dpi, int min_dpi, int max_dpi);

// The carried value nearest to `dpi`, the lower one on a tie; `dpi` is
// limited first.
int NearestCarriedDpi(uint16_t sensor, int dpi, int min_dpi, int max_dpi);

// What a stage holds after the mouse reported `code` for it: on a one-step
// sensor the stored value when the code is the one it is written as,
// otherwise the value the code reads as.
int StageDpiAfterRead(uint16_t sensor, int stored_dpi, int code, int min_dpi, int max_dpi);

}  // namespace tessaly
