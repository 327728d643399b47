#pragma once
// The changes the lighting page makes, without its widgets: each checks the
// effect and the value, stores them in the effect's row of the current
// profile, then queues the lighting task and shows the wait dialog. A
// refusal stores and queues nothing. Resets do not ask: the caller confirms
// first. UI thread.

#include <cstdint>

#include "lighting/lighting_host.h"
#include "storage/rows.h"

namespace tessaly {

// The sliders' positions.
inline constexpr int kLightLevelMax = 4;
// The colour slots of an effect that has them.
inline constexpr int kLightColourSlotCount = 7;

enum class LightRefusal {
    kNone,
    kNoEffect,      // the profile has no row for the effect
    kNoBrightness,  // the effect has no brightness
    kNoSpeed,       // the effect has no speed
    kOutOfRange,    // a level outside 0 … kLightLevelMax
};

struct LightChange {
    LightRefusal refusal = LightRefusal::kNone;
    LightSetting stored;  // the effect's row as it now is
    bool ok() const { return refusal == LightRefusal::kNone; }
};

// The effect becomes the profile's active one and the mouse's.
LightChange SelectLightEffect(LightingHost& host, int mode);
LightChange SetLightBrightness(LightingHost& host, int mode, int level);
LightChange SetLightSpeed(LightingHost& host, int mode, int level);
// Colour value 1 of the effect; for an effect with colour slots, the slot
// given instead (-1: none is chosen, the slots stay).
LightChange SetLightColour(LightingHost& host, int mode, uint32_t colour, int slot);
// The default effects again for every stored profile, then the restore
// task.
void ResetLights(LightingHost& host);

}  // namespace tessaly
