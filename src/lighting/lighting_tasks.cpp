#include "lighting/lighting_tasks.h"

#include "base/trace.h"
#include "device/commands/answer_decoders.h"
#include "device/commands/command_builders.h"
#include "device/commands/command_sender.h"
#include "storage/light_table.h"
#include "ui/pages/lighting_page.h"

namespace tessaly {
namespace {

constexpr int kRestorePauseMs = 100;

LightingValues ValuesOf(const LightSetting& light) {
    LightingValues values;
    values.effect = light.mode;
    values.brightness = light.brightness;
    values.speed = light.speed;
    for (size_t i = 0; i < values.colours.size(); ++i) {
        values.colours[i] = static_cast<uint32_t>(light.color_values[i]);
    }
    return values;
}

}  // namespace

bool WriteLighting(HidInterface* mouse, int profile, int effect) {
    LightSetting light;
    if (!GetLight(profile, effect, light)) {
        return true;
    }
    return SendCommand(mouse, BuildLighting(ValuesOf(light))).ok();
}

bool RestoreLighting(HidInterface* mouse, int profile, DeviceState& state,
                     const std::function<void(int ms)>& sleep) {
    // A mouse that did not take the restore has nothing new to read back.
    if (!SendCommand(mouse, BuildRestoreLighting()).ok()) {
        return false;
    }
    if (sleep) {
        sleep(kRestorePauseMs);
    }
    const ExchangeResult read = SendCommand(mouse, BuildReadRequest(Command::kReadLighting));
    if (!read.ok()) {
        return false;
    }
    const std::optional<LightingAnswer> answer = DecodeLighting(read.answer.bytes());
    if (!answer) {
        return false;
    }
    StoreLightingAnswer(*answer, profile, state);
    return true;
}

void StoreLightingAnswer(const LightingAnswer& answer, int profile, DeviceState& state) {
    // An effect the model has no row for, or levels the sliders cannot
    // show, are no state the page could have sent: the stored one stays.
    LightSetting light;
    const auto level = [](int value) { return value >= 0 && value <= ui::kLightSliderSteps; };
    if (!GetLight(profile, answer.effect, light) || !level(answer.brightness) ||
        !level(answer.speed)) {
        Trace(kTraceDevice, "mouse read: lighting %d/%d/%d is out of range, the stored one stays",
              answer.effect, answer.brightness, answer.speed);
        return;
    }
    state.current_light_effect.store(answer.effect);
    SetActiveLight(profile, answer.effect);
    light.brightness = answer.brightness;
    light.speed = answer.speed;
    UpdateLight(answer.effect, light);
}

}  // namespace tessaly
