#pragma once
// The test's own copy of the published conversion and encoding rules: DPI
// codes per sensor, the button slots, the macro records. Written from the
// documented tables, never by calling the program, so a fault in the
// program's copy shows as a difference.

#include <cstdint>
#include <map>
#include <vector>

#include "stateful/user_model.h"

namespace tessaly::stateful {

struct DpiLimits {
    int min = 50;
    int max = 26000;
};
DpiLimits SensorDpiLimits(int sensor);
// Clamped to the sensor's limits first, as the stages command does.
int DpiToCode(int sensor, int dpi);
int CodeToDpi(int sensor, int code);
int NormaliseTypedDpi(int sensor, int typed);
// A DPI the slider can give for a position: for picking typed values the
// page really offers.
int SliderDpi(int sensor, int position);
int SliderPositions(int sensor);

using Bytes = std::vector<uint8_t>;

// The payloads of the write commands, as the mouse keeps them.
Bytes StagesPayload(const Performance& p, int sensor);
Bytes ColoursPayload(const Performance& p);
Bytes RatePayload(const Performance& p);
Bytes LiftOffPayload(const Performance& p);
Bytes SleepPayload(const Performance& p);
// Slots 0 … 8 of the button table (the 27 bytes command 0x09 carries).
Bytes ButtonTable(const std::map<int, Assignment>& buttons, const std::vector<Macro>& macros);
// The macro image of button `key_code`: the key code, four bytes per record.
Bytes MacroImage(int key_code, const std::vector<Event>& events);

// The mouse's own lighting: the effect and its levels (command 0x05's first
// two bytes), as it leaves the factory, and the effect the program's factory
// reset asks of it.
struct MouseLight {
    int effect = 0;
    int brightness = 0;
    int speed = 0;
    bool operator==(const MouseLight&) const = default;
};
inline constexpr MouseLight kMouseFactoryLight{1, 3, 2};
inline constexpr int kResetLightEffect = 4;
// A profile's rows as the program makes them (the shipped model offers all
// six effects), the first effect active.
Lighting DefaultLighting();

// Windows virtual-key code of a letter or digit key, and its HID usage.
int LetterUsage(int vkey);

// 0x00BBGGRR to the toolkit's ARGB.
uint32_t ShownColour(uint32_t bgr);

}  // namespace tessaly::stateful
