// The lighting page: the effect, its brightness and speed, a preset colour
// (into a chosen colour slot where the effect has slots), and the reset.

#include "stateful/action_steps.h"
#include "stateful/design_tables.h"
#include "ui/dialogs/colour_values.h"
#include "ui/ids/lighting_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/headless_backend.h"

namespace tessaly::stateful {
namespace {

constexpr int kPresets = 8;
constexpr int kSlots = 7;
constexpr int kBrightnessGroup = 0x1;
constexpr int kSpeedGroup = 0x2;
constexpr int kSlotGroup = 0x800;
// The sliders' positions are 0 … 4.
constexpr int kTopLevel = 4;

template <typename T>
T* InPage(ProgramUnderTest& program, int id) {
    ui::DeviceMainDlg& w = program.Window();
    return dynamic_cast<T*>(ui::FindInPage(w, w.lighting_page, id));
}

// False when the control is not there to be used (hidden, disabled).
bool Deliver(ProgramUnderTest& program, int id, int event, intptr_t param) {
    const bool delivered = DUI::HeadlessBackend::Deliver(program.Window(), id, event, param);
    program.Session().ProcessPending();
    return delivered;
}

// The user opens the lighting tab first.
bool OpenPage(ProgramUnderTest& program) {
    return Deliver(program, main_id::kTabs, DUI::kEventActivated, main_id::kLightingTab);
}

// The effect the page shows, as the model has it.
Light* Shown(Model& model) {
    Lighting& lighting = model.Current().lighting;
    auto it = lighting.effects.find(lighting.active);
    return lighting.made && it != lighting.effects.end() ? &it->second : nullptr;
}

void LevelStep(ActionContext& c, int group, int slider, const char* what) {
    Light* light = Shown(c.model);
    if (light == nullptr || (light->groups & group) == 0)
        return;
    const int level = c.Pick(0, kTopLevel);
    c.description = std::string("light ") + what + " " + std::to_string(level);
    // Releasing the slider stores its position.
    if (!OpenPage(c.program) || !Deliver(c.program, slider, DUI::kEventActivated, level))
        return;
    (group == kSpeedGroup ? light->speed : light->brightness) = level;
}

}  // namespace

bool LightingShown(const Model& model) {
    return model.links.Reachable() && model.Current().lighting.made;
}

void LightEffectStep(ActionContext& c) {
    Lighting& lighting = c.model.Current().lighting;
    auto* list = InPage<DUI::MComboBox>(c.program, lighting_id::kEffectList);
    if (!lighting.made || list == nullptr || list->GetItemCount() == 0 || !OpenPage(c.program))
        return;
    const int index = c.Pick(0, list->GetItemCount() - 1);
    const int mode = static_cast<int>(list->GetItemData(index));
    c.description = "light effect " + std::to_string(mode);
    if (Deliver(c.program, lighting_id::kEffectList, DUI::kEventActivated, index) &&
        lighting.effects.contains(mode))
        lighting.active = mode;
}

void LightBrightnessStep(ActionContext& c) {
    LevelStep(c, kBrightnessGroup, lighting_id::kBrightnessSlider, "brightness");
}

void LightSpeedStep(ActionContext& c) {
    LevelStep(c, kSpeedGroup, lighting_id::kSpeedSlider, "speed");
}

void LightColourStep(ActionContext& c) {
    Light* light = Shown(c.model);
    if (light == nullptr)
        return;
    const int preset = lighting_id::kFirstPreset + c.Pick(0, kPresets - 1);
    auto* button = InPage<DUI::CColorButton>(c.program, preset);
    if (button == nullptr || !OpenPage(c.program))
        return;
    // The colour the user sees on the preset is the one they pick.
    const int colour = static_cast<int>(ArgbToBgr(button->GetColor()));
    size_t slot = 0;
    if ((light->groups & kSlotGroup) != 0) {
        slot = static_cast<size_t>(c.Pick(0, kSlots - 1));
        if (!Deliver(c.program, lighting_id::kFirstSlot + static_cast<int>(slot),
                     DUI::kEventActivated, 0))
            return;
    }
    c.description = "light colour " + std::to_string(colour) + " slot " + std::to_string(slot);
    if (Deliver(c.program, preset, DUI::kEventActivated, 0))
        light->colours[slot] = colour;
}

void LightResetStep(ActionContext& c) {
    c.description = "light reset";
    c.program.Session().backend().SetModalAnswer(DUI::ModalAnswer::FirstButton());
    if (!OpenPage(c.program) || !Deliver(c.program, lighting_id::kReset, DUI::kEventActivated, 0))
        return;
    // New rows, then the mouse restores its own lighting and the program
    // stores what it reads back.
    c.model.ResetLighting();
    c.model.TakeMouseLight(kMouseFactoryLight.effect, kMouseFactoryLight.brightness,
                           kMouseFactoryLight.speed);
}

}  // namespace tessaly::stateful
