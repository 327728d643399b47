#include "lighting/light_defaults.h"

#include "storage/light_table.h"

namespace tessaly {
namespace {

constexpr DefaultLight kDefaults[] = {
    {1, u"流光", 280, 3}, {2, u"呼吸", 281, 0x813}, {3, u"常亮", 282, 0x11},
    {4, u"霓虹", 283, 3}, {5, u"七彩波浪", 284, 3}, {0, u"关闭", 285, 0},
};

constexpr int kDefaultBrightness = 4;
constexpr int kDefaultSpeed = 2;

LightSetting DefaultRow(int profile, const DefaultLight& effect) {
    LightSetting row;
    row.profile = profile;
    row.name = effect.name;
    row.mode = effect.mode;
    row.brightness = kDefaultBrightness;
    row.speed = kDefaultSpeed;
    row.direction = 0;
    row.colorful = 1;
    row.color_index = 0;
    row.color_values = kDefaultLightColours;
    row.config_func = effect.config_func;
    row.reserved = effect.name_text;
    row.status = 0;
    return row;
}

}  // namespace

std::span<const DefaultLight> DefaultLights() {
    return kDefaults;
}

bool CreateDefaultLights(int profile, const DeviceOptions& options) {
    if (CountLights(profile) >= 1) {
        return false;
    }
    for (const DefaultLight& effect : kDefaults) {
        if (options.EffectEnabled(effect.mode)) {
            InsertLight(DefaultRow(profile, effect));
        }
    }
    SetActiveLight(profile, kFirstLightEffect);
    return true;
}

}  // namespace tessaly
