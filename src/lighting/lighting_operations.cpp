#include "lighting/lighting_operations.h"

#include "catalogue/device_catalogue.h"
#include "lighting/light_defaults.h"
#include "lighting/lighting_page_behaviour.h"
#include "storage/light_table.h"

namespace tessaly {
namespace {

void QueueWrite(LightingHost& host, int32_t task) {
    host.QueueTask(task);
    host.ShowSaveWait();
}

LightChange Refused(LightRefusal why) {
    LightChange change;
    change.refusal = why;
    return change;
}

LightChange StoreAndSend(LightingHost& host, int mode, const LightSetting& light) {
    UpdateLight(mode, light);
    QueueWrite(host, kTaskWriteLighting);
    LightChange change;
    change.stored = light;
    return change;
}

LightChange SetLevel(LightingHost& host, int mode, int level, uint32_t group) {
    LightSetting light;
    if (!GetLight(host.CurrentProfile(), mode, light)) {
        return Refused(LightRefusal::kNoEffect);
    }
    if ((static_cast<uint32_t>(light.config_func) & group) == 0) {
        return Refused(group == kLightSpeed ? LightRefusal::kNoSpeed : LightRefusal::kNoBrightness);
    }
    if (level < 0 || level > kLightLevelMax) {
        return Refused(LightRefusal::kOutOfRange);
    }
    (group == kLightSpeed ? light.speed : light.brightness) = level;
    return StoreAndSend(host, mode, light);
}

}  // namespace

LightChange SelectLightEffect(LightingHost& host, int mode) {
    const int profile = host.CurrentProfile();
    LightSetting light;
    if (!GetLight(profile, mode, light)) {
        return Refused(LightRefusal::kNoEffect);
    }
    host.Device().current_light_effect.store(mode);
    SetActiveLight(profile, mode);
    QueueWrite(host, kTaskWriteLighting);
    LightChange change;
    GetLight(profile, mode, change.stored);
    return change;
}

LightChange SetLightBrightness(LightingHost& host, int mode, int level) {
    return SetLevel(host, mode, level, kLightBrightness);
}

LightChange SetLightSpeed(LightingHost& host, int mode, int level) {
    return SetLevel(host, mode, level, kLightSpeed);
}

LightChange SetLightColour(LightingHost& host, int mode, uint32_t colour, int slot) {
    LightSetting light;
    if (!GetLight(host.CurrentProfile(), mode, light)) {
        return Refused(LightRefusal::kNoEffect);
    }
    if ((static_cast<uint32_t>(light.config_func) & kLightColourSlots) == 0) {
        light.color_values[0] = static_cast<int>(colour);
    } else if (slot >= 0 && slot < kLightColourSlotCount) {
        light.color_values[static_cast<size_t>(slot)] = static_cast<int>(colour);
    }
    return StoreAndSend(host, mode, light);
}

void ResetLights(LightingHost& host) {
    const DeviceOptions options = DeviceCatalogue::Instance().Options();
    if (options.lighting_page) {
        for (int profile = 1; profile <= kStoredProfiles; ++profile) {
            DeleteLights(profile);
        }
        CreateDefaultLights(host.CurrentProfile(), options);
    }
    QueueWrite(host, kTaskRestoreLighting);
}

}  // namespace tessaly
