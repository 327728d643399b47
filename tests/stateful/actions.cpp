#include "stateful/actions.h"

#include "stateful/action_steps.h"
#include "stateful/design_tables.h"
#include "stateful/store_snapshot.h"
#include "ui/ids/main_window_ids.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/controls/tabs.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::stateful {
namespace {

bool Online(const Model& m) {
    return m.links.Reachable();
}
bool Always(const Model&) {
    return true;
}
bool AnyPlugged(const Model& m) {
    return m.links.cable || m.links.receiver;
}
bool AnyFree(const Model& m) {
    return !m.links.cable || !m.links.receiver;
}
bool MouseOnReceiver(const Model& m) {
    return m.links.receiver && m.links.mouse_on;
}
bool MouseOffReceiver(const Model& m) {
    return m.links.receiver && !m.links.mouse_on;
}
bool HasExport(const Model& m) {
    return Online(m) && !m.exported.empty();
}
bool HasMacro(const Model& m) {
    return Online(m) && m.selected_macro != 0;
}

constexpr Action kActions[] = {
    {"dpi count", 6, Online, SetStageCountStep},
    {"dpi select", 4, Online, SelectStageStep},
    {"dpi set", 10, Online, TypeStageValueStep},
    {"dpi colour", 4, Online, SetStageColourStep},
    {"rate", 4, Online, SetReportRateStep},
    {"liftoff", 3, Online, SetLiftOffStep},
    {"sensor", 5, Online, SetSensorOptionsStep},
    {"response", 3, Online, SetResponseTimeStep},
    {"sleep", 3, Online, SetSleepStep},
    {"wake", 2, Online, SetWakeStep},
    {"closelight", 2, Online, SetCloseLightStep},
    {"mouse dpi button", 3, Online, PressMouseDpiButtonStep},
    {"profile switch", 5, Online, SwitchProfileStep},
    {"profile rename", 3, Online, RenameProfileStep},
    {"profile export", 2, Online, ExportProfileStep},
    {"profile import", 2, HasExport, ImportProfileStep},
    {"factory reset", 2, Online, FactoryResetStep},
    {"unplug", 2, AnyPlugged, UnplugStep},
    {"plug", 4, AnyFree, PlugStep},
    {"receiver loses mouse", 2, MouseOnReceiver, ReceiverLosesMouseStep},
    {"receiver finds mouse", 4, MouseOffReceiver, ReceiverFindsMouseStep},
    {"restart", 3, Always, RestartStep},
    {"macro new", 3, Online, NewMacroStep},
    {"macro select", 3, HasMacro, SelectMacroStep},
    {"macro rename", 3, HasMacro, RenameMacroStep},
    {"macro delete", 2, HasMacro, DeleteMacroStep},
    {"macro insert", 8, HasMacro, InsertEventsStep},
    {"macro delete event", 3, HasMacro, DeleteEventStep},
    {"macro record", 3, HasMacro, RecordKeysStep},
    {"macro event button", 3, HasMacro, SetEventButtonStep},
    {"button function", 5, Online, ButtonFunctionStep},
    {"button key", 3, Online, ButtonKeyStep},
    {"button macro", 4, Online, ButtonMacroStep},
    {"button disable", 1, Online, ButtonDisableStep},
    {"button reset", 2, Online, ButtonResetStep},
    {"light effect", 3, LightingShown, LightEffectStep},
    {"light brightness", 2, LightingShown, LightBrightnessStep},
    {"light speed", 2, LightingShown, LightSpeedStep},
    {"light colour", 3, LightingShown, LightColourStep},
    {"light reset", 1, LightingShown, LightResetStep},
};

}  // namespace

std::span<const Action> Actions() {
    return kActions;
}

void ActivateMouse(ProgramUnderTest& program, Model& model) {
    ui::DeviceMainDlg& window = program.Window();
    auto* list = dynamic_cast<DUI::CDeviceList*>(window.GetControl(main_id::kDeviceList));
    if (!model.links.Reachable() || list == nullptr || !list->IsVisible() ||
        window.tab_ctrl == nullptr || window.tab_ctrl->IsVisible())
        return;
    // Picking the mouse reads it again and refills the pages.
    model.refill_steps = 5;
    list->SetSelectDevice(kModelType);
    window.OnMessage(main_id::kDeviceList, DUI::kEventActivated, 0, 0);
    program.Settle();
}

bool StartAndLearn(ProgramUnderTest& program, Model& model) {
    if (!program.Start())
        return false;
    ActivateMouse(program, model);
    const StoreSnapshot store = ReadStore(program.DatabasePath());
    for (int p = 1; p <= kProfiles; ++p) {
        Profile& profile = model.profiles[static_cast<size_t>(p - 1)];
        auto it = store.profiles.find(p);
        if (it != store.profiles.end()) {
            profile.name = it->second.name;
            profile.buttons = it->second.buttons;
        }
        profile.perf = StoredPerformance(store, p);
        if (it != store.profiles.end())
            profile.lighting = it->second.lighting;
    }
    model.active = store.ActiveProfile();
    model.current = model.active;
    model.default_lighting = DefaultLighting();
    model.macros = store.macros;
    model.selected_macro = model.macros.empty() ? 0 : model.macros.front().id;
    return true;
}

}  // namespace tessaly::stateful
