#include "lighting/light_zone.h"

#include <algorithm>

#include "lighting/light_defaults.h"
#include "ui/dialogs/colour_values.h"

namespace tessaly {
namespace {

constexpr int kBrightestStep = 4;

}  // namespace

std::u16string LightZoneImage(std::u16string_view mouse_picture) {
    const size_t dot = mouse_picture.rfind(u'.');
    if (mouse_picture.empty() || dot == std::u16string_view::npos) {
        return {};
    }
    return std::u16string(mouse_picture.substr(0, dot)) + u"_light" +
           std::u16string(mouse_picture.substr(dot));
}

std::vector<DUI::Color> LightZoneColours(const LightSetting& light) {
    const auto mask = static_cast<uint32_t>(light.config_func);
    if (light.mode == 0 || mask == 0) {
        return {};
    }
    uint32_t alpha = 0xFF;
    if ((mask & kLightBrightness) != 0) {
        const int step = std::clamp(light.brightness, 0, kBrightestStep);
        alpha = static_cast<uint32_t>(0xFF * step / kBrightestStep);
    }
    auto shown = [alpha](int bgr) {
        return (BgrToArgb(static_cast<uint32_t>(bgr)) & 0x00FFFFFFu) | (alpha << 24);
    };
    std::vector<DUI::Color> colours;
    if ((mask & kLightSingleColour) != 0 && (mask & kLightColourSlots) == 0) {
        colours.push_back(shown(light.color_values[0]));
        return colours;
    }
    for (int value : light.color_values) {
        colours.push_back(shown(value));
    }
    return colours;
}

}  // namespace tessaly
