// The lighting page's rows, and its edits as the user makes them: the effect
// list's choice, the brightness and speed sliders let go at a position, the
// colour typed into the red, green and blue fields, the reset button. The
// page's handlers store and queue task 8 (or 17).

#include "base/unicode.h"
#include "cli/argument_checks.h"
#include "cli/command_table.h"
#include "controller/controller.h"
#include "storage/light_table.h"
#include "ui/pages/control_table.h"
#include "ui/pages/lighting_page.h"
#include "ui/toolkit/controls/edits.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::cli {
namespace {

constexpr int kEffectList = 197;
constexpr int kResetButton = 201;
constexpr int kBrightnessSlider = 204;
constexpr int kSpeedSlider = 207;
// The sliders' positions, 0 to 4, as the page builds them.
constexpr int kSliderMax = 4;
constexpr int kRedField = 231;
constexpr int kBlueField = 233;
constexpr int kEventFieldChanged = 26;

template <typename T>
T* PageControl(const ui::DeviceMainDlg& window, int id) {
    return dynamic_cast<T*>(ui::FindInPage(window, ui::FindPage(window, ui::kLightingPageId), id));
}

// The name the effect list shows, in the current language; the stored
// name otherwise.
std::string EffectName(const CommandContext& context, const LightSetting& light) {
    if (const auto* list = PageControl<DUI::MComboBox>(context.window, kEffectList)) {
        for (int i = 0; i < list->GetItemCount(); ++i) {
            if (list->GetItemData(i) == light.mode)
                return ToUtf8(list->GetItemText(i));
        }
    }
    return ToUtf8(light.name);
}

}  // namespace

OutputValue LightsOutput(const CommandContext& context) {
    OutputValue out = OutputValue::MakeObject();
    const int profile = context.controller.CurrentProfile();
    std::vector<LightSetting> lights;
    ListLights(profile, lights);
    const int active = GetActiveLightMode(profile);
    OutputValue rows = OutputValue::MakeArray();
    for (const LightSetting& light : lights) {
        OutputValue row = OutputValue::MakeObject();
        row.Set("effect", light.mode);
        row.Set("name", EffectName(context, light));
        row.Set("brightness", light.brightness);
        row.Set("speed", light.speed);
        row.Set("colour", ColourText(static_cast<uint32_t>(light.color_values[0])));
        row.Set("active", light.mode == active);
        rows.Append(std::move(row));
    }
    out.Set("profile", profile);
    out.Set("effects", std::move(rows));
    return out;
}

namespace {

void ReportLights(CommandContext& context) {
    context.out = LightsOutput(context);
}

int RunLightList(CommandContext&) {
    return kExitOk;
}

int RunLightEffect(CommandContext& context) {
    auto* list = PageControl<DUI::MComboBox>(context.window, kEffectList);
    if (!list || !list->SelectData(*ParseInteger(context.args[0]))) {
        context.error = "this model has no light effect " + context.args[0] + " (see light list)";
        return kExitUsage;
    }
    context.window.OnMessage(kEffectList, DUI::kEventActivated, 0, 0);
    return kExitOk;
}

int RunLightColour(CommandContext& context) {
    const uint32_t colour = *ParseColour(context.args[0]);
    for (int i = 0; i < 3; ++i) {
        auto* field = PageControl<DUI::MEdit>(context.window, kRedField + i);
        if (!field) {
            context.error = "this model has no light colour";
            return kExitFailure;
        }
        field->SetTitle(FromUtf8(std::to_string((colour >> (8 * i)) & 0xFF)));
    }
    // As typing the last digit into the blue field.
    context.window.OnMessage(kBlueField, kEventFieldChanged, 0, 0);
    return kExitOk;
}

// As dragging the slider to the position and letting go; the page offers
// the slider only for effects that have the value.
int MoveSlider(CommandContext& context, int id, std::string_view what) {
    auto* slider = PageControl<DUI::LightSlider>(context.window, id);
    auto* list = PageControl<DUI::MComboBox>(context.window, kEffectList);
    if (!slider || !list) {
        context.error = "this model has no light " + std::string(what);
        return kExitFailure;
    }
    if (!slider->IsVisible()) {
        context.error = "light effect " + std::to_string(list->GetCurData()) + " has no " +
                        std::string(what) + " (see light list)";
        return kExitUsage;
    }
    const int position = *ParseInteger(context.args[0]);
    slider->SetProgress(position);
    context.window.OnMessage(id, DUI::kEventActivated, position, 0);
    return kExitOk;
}

int RunLightBrightness(CommandContext& context) {
    return MoveSlider(context, kBrightnessSlider, "brightness");
}

int RunLightSpeed(CommandContext& context) {
    return MoveSlider(context, kSpeedSlider, "speed");
}

int RunLightReset(CommandContext& context) {
    context.window.OnMessage(kResetButton, DUI::kEventActivated, 0, 0);
    return kExitOk;
}

std::string CheckEffect(const std::vector<std::string>& args) {
    return ParseInteger(args[0]) ? "" : "an effect is a number, not \"" + args[0] + "\"";
}

std::string CheckBrightness(const std::vector<std::string>& args) {
    return CheckInteger("the brightness", args[0], 0, kSliderMax);
}

std::string CheckSpeed(const std::vector<std::string>& args) {
    return CheckInteger("the speed", args[0], 0, kSliderMax);
}

std::string CheckLightColour(const std::vector<std::string>& args) {
    return ParseColour(args[0]) ? "" : "a colour is written #RRGGBB, not \"" + args[0] + "\"";
}

const Command kCommands[] = {
    {"light list", "light list", "the current profile's light effects", 0, 0, Needs::kStore, false,
     nullptr, RunLightList, ReportLights},
    {"light effect", "light effect N", "the light effect (see light list)", 1, 1, Needs::kMouse,
     false, CheckEffect, RunLightEffect, ReportLights},
    {"light brightness", "light brightness N", "the shown effect's brightness, 0–4", 1, 1,
     Needs::kMouse, false, CheckBrightness, RunLightBrightness, ReportLights},
    {"light speed", "light speed N", "the shown effect's speed, 0–4", 1, 1, Needs::kMouse, false,
     CheckSpeed, RunLightSpeed, ReportLights},
    {"light colour", "light colour #RRGGBB", "the shown effect's colour", 1, 1, Needs::kMouse,
     false, CheckLightColour, RunLightColour, ReportLights},
    {"light reset", "light reset", "the default light effects (asks: --yes)", 0, 0, Needs::kMouse,
     true, nullptr, RunLightReset, ReportLights},
};

}  // namespace

std::span<const Command> LightCommands() {
    return kCommands;
}

}  // namespace tessaly::cli
