#pragma once
// How the mouse picture shows the lighting: the picture's lit parts (an
// image beside the picture, "<picture>_light.png") in the colours of the
// shown effect, dimmed by its brightness.

#include <string>
#include <string_view>
#include <vector>

#include "storage/rows.h"
#include "ui/toolkit/geometry.h"

namespace tessaly {

// "device\tx7w.png" → "device\tx7w_light.png"; empty for no picture.
std::u16string LightZoneImage(std::u16string_view mouse_picture);

// ARGB, top to bottom: the single colour of an effect that has one and no
// slots, else the seven colour values; none for the off effect. Alpha is
// the brightness where the effect has one (0 at its lowest step).
std::vector<DUI::Color> LightZoneColours(const LightSetting& light);

}  // namespace tessaly
