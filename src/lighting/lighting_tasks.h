#pragma once
// The lighting task bodies the device worker runs: write the current effect
// (task 8) and let the mouse restore its lighting, then read back what it
// chose (task 17).

#include <functional>

#include "app/device_state.h"
#include "device/commands/answer_decoders.h"
#include "device/hid_transport.h"

namespace tessaly {

// Task 8: the profile's row of the effect as command 0x05. A profile without
// that row sends nothing and succeeds; false when the mouse did not
// acknowledge.
bool WriteLighting(HidInterface* mouse, int profile, int effect);

// The mouse's lighting answer (0x15): its effect becomes the current and
// stored active one, its brightness and speed go into that effect's row
// when the profile has one.
void StoreLightingAnswer(const LightingAnswer& answer, int profile, DeviceState& state);

// Task 17, before the page refresh: 0x0E with 0x01, a pause, then 0x15; on
// an answer its effect becomes the current and stored active one, and its
// brightness and speed go into that effect's row. False when the mouse did
// not take the 0x0E or gave no lighting answer; the store then stays.
bool RestoreLighting(HidInterface* mouse, int profile, DeviceState& state,
                     const std::function<void(int ms)>& sleep);

}  // namespace tessaly
