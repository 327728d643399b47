// Profiles as the profile dialog asks for them (message 1705), and the
// settings page's factory reset.

#include <algorithm>
#include <filesystem>

#include "base/unicode.h"
#include "stateful/action_steps.h"
#include "stateful/design_tables.h"
#include "storage/profile_table.h"
#include "ui/ids/settings_page_ids.h"
#include "ui/pages/profile_dlg.h"
#include "ui/toolkit/headless_backend.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::stateful {
namespace {

// The shipped model's factory values (its description file): current
// stage, stage count, stages 1 … 6 with their colours, report rate, sleep,
// wake-up and close-light.
constexpr int kFactoryIndex = 1;
constexpr int kFactoryCount = 6;
constexpr int kFactoryDpi[] = {400, 800, 1600, 2400, 3200, 4800};
constexpr uint32_t kFactoryRgb[] = {0x0009F1, 0xEF6B00, 0x4CF500, 0x20A3FF, 0xFFFF00, 0xC9018F};
constexpr int kFactoryRate = 1;
constexpr int kFactorySleep = 60;
constexpr int kFactoryWake = 1;
constexpr int kFactoryCloseLight = 0;

void Post(ActionContext& c, ui::ProfileRequest request, int profile) {
    DUI::Toolkit::Get().PostMessage(c.program.Window().GetSafeHwnd(), ui::kProfileRequestMessage,
                                    static_cast<uintptr_t>(request), profile);
}

void PostWithFile(ActionContext& c, ui::ProfileRequest request, const std::string& path) {
    DUI::HeadlessBackend& backend = c.program.Session().backend();
    backend.SetFileAnswer(FromUtf8(path));
    Post(c, request, c.model.current);
    c.program.Session().ProcessPending();
    backend.SetFileAnswer(std::nullopt);
}

void MakeCurrent(Model& model, int profile) {
    model.current = profile;
    model.active = profile;
}

}  // namespace

void SwitchProfileStep(ActionContext& c) {
    const int profile = c.Pick(1, kProfiles);
    c.description = "profile switch " + std::to_string(profile);
    Post(c, ui::ProfileRequest::kSwitch, profile);
    MakeCurrent(c.model, profile);
    c.facts.table_written = true;  // a switch sends the whole profile
}

// As an in-place edit of the dialog's list: the name is stored, and the
// dialog switches to the renamed profile as it closes.
void RenameProfileStep(ActionContext& c) {
    const int profile = c.Pick(1, kProfiles);
    const std::u16string name = FromUtf8("Set " + std::to_string(c.Pick(1, 999)));
    c.description = "profile rename " + std::to_string(profile) + " " + ToUtf8(name);
    RenameProfile(profile, name);
    Post(c, ui::ProfileRequest::kSwitch, profile);
    c.model.profiles[profile - 1].name = name;
    MakeCurrent(c.model, profile);
    c.facts.table_written = true;
}

void ExportProfileStep(ActionContext& c) {
    const std::filesystem::path folder = c.program.Folder() / "profiles";
    std::filesystem::create_directories(folder);
    const std::string path = (folder / ("Export" + std::to_string(c.Pick(1, 5)) + ".xml")).string();
    c.description = "profile export " + path;
    PostWithFile(c, ui::ProfileRequest::kExport, path);
    c.model.exported[path] = c.model.Current();
}

void ImportProfileStep(ActionContext& c) {
    if (c.model.exported.empty())
        return;
    auto it = c.model.exported.begin();
    std::advance(it, c.Pick(0, static_cast<int>(c.model.exported.size()) - 1));
    c.description = "profile import " + it->first;
    PostWithFile(c, ui::ProfileRequest::kImport, it->first);
    Profile& current = c.model.Current();
    const Profile& file = it->second;
    // The profile is named after the file; the file carries the buttons,
    // stages 1 … 6 and the performance values.
    current.name = FromUtf8(std::filesystem::path(it->first).stem().string());
    current.buttons = file.buttons;
    // A row that plays a macro no longer stored is refused, so that button
    // keeps its factory function.
    std::erase_if(current.buttons, [&](const auto& row) {
        const Assignment& a = row.second;
        return a.type == 4 && std::none_of(c.model.macros.begin(), c.model.macros.end(),
                                           [&](const Macro& m) { return m.id == a.value; });
    });
    const int stage6 = current.perf.dpi[6];
    const uint32_t rgb6 = current.perf.rgb[6];
    current.perf = file.perf;
    current.perf.dpi[6] = stage6;
    current.perf.rgb[6] = rgb6;
    // The file's rows and its active effect, over the defaults where the
    // profile had none.
    if (file.lighting.made) {
        if (!current.lighting.made)
            current.lighting = c.model.default_lighting;
        for (const auto& [mode, light] : file.lighting.effects) {
            if (current.lighting.effects.contains(mode))
                current.lighting.effects[mode] = light;
        }
        if (current.lighting.effects.contains(file.lighting.active))
            current.lighting.active = file.lighting.active;
    }
    c.facts.table_written = true;
}

void FactoryResetStep(ActionContext& c) {
    c.description = "factory reset";
    c.program.Session().backend().SetModalAnswer(DUI::ModalAnswer::FirstButton());
    c.program.Window().OnMessage(settings_id::kFactoryReset, DUI::kEventActivated, 0, 0);
    c.facts.reset = true;
    c.facts.refill = true;
    c.model.refill_steps = 5;
    for (Profile& profile : c.model.profiles) {
        Performance& p = profile.perf;
        p.index = kFactoryIndex;
        p.count = kFactoryCount;
        for (size_t i = 0; i < 6; ++i) {
            p.dpi[i] = kFactoryDpi[i];
            p.rgb[i] = kFactoryRgb[i];
        }
        p.rate = kFactoryRate;
        p.sleep = kFactorySleep;
        p.wake = kFactoryWake;
        p.close_light = kFactoryCloseLight;
        profile.buttons.clear();
    }
    MakeCurrent(c.model, 1);
    // New rows for profile 1; the mouse, back at its factory lighting, is
    // asked for effect 4, and what it then holds is stored.
    c.model.ResetLighting();
    c.model.TakeMouseLight(kResetLightEffect, kMouseFactoryLight.brightness,
                           kMouseFactoryLight.speed);
    c.model.sent_table.clear();
    // Command 0x0F clears the macros the mouse plays.
    c.model.mouse_macros.clear();
}

}  // namespace tessaly::stateful
