// The lighting commands: each calls the lighting page's own change on the
// effect the page shows (the active one), so the same row is stored and the
// same task (8, or 17 for the reset) queued; the results are rendered here.

#include "base/unicode.h"
#include "cli/argument_checks.h"
#include "cli/command_registry.h"
#include "cli/stored_profile_host.h"
#include "controller/controller.h"
#include "lighting/light_defaults.h"
#include "lighting/lighting_operations.h"
#include "storage/light_table.h"
#include "ui/localisation/language_strings.h"

namespace tessaly::cli {
namespace {

// The name the effect list shows, in the current language; the stored
// name otherwise.
std::string EffectName(const LightSetting& light) {
    const std::u16string shown = light.reserved != 0 ? LoadLanguageString(light.reserved) : u"";
    return ToUtf8(shown.empty() ? light.name : shown);
}

}  // namespace

OutputValue LightsOutput(const CommandContext& context) {
    OutputValue out = OutputValue::MakeObject();
    const int profile = TargetProfile(context);
    std::vector<LightSetting> lights;
    ListLights(profile, lights);
    const int active = GetActiveLightMode(profile);
    OutputValue rows = OutputValue::MakeArray();
    for (const LightSetting& light : lights) {
        OutputValue row = OutputValue::MakeObject();
        row.Set("effect", light.mode);
        row.Set("name", EffectName(light));
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

int ShownEffect(const CommandContext& context) {
    return GetActiveLightMode(TargetProfile(context));
}

int Rendered(CommandContext& context, const LightChange& change, int mode) {
    switch (change.refusal) {
        case LightRefusal::kNone:
            return kExitOk;
        case LightRefusal::kNoEffect:
            context.error =
                "this model has no light effect " + std::to_string(mode) + " (see light list)";
            return kExitUsage;
        case LightRefusal::kNoBrightness:
        case LightRefusal::kNoSpeed:
            context.error = "light effect " + std::to_string(mode) + " has no " +
                            (change.refusal == LightRefusal::kNoSpeed ? "speed" : "brightness") +
                            " (see light list)";
            return kExitUsage;
        case LightRefusal::kOutOfRange:
            context.error = "a light level is 0 to " + std::to_string(kLightLevelMax);
            return kExitUsage;
    }
    return kExitFailure;
}

int RunLightEffect(CommandContext& context) {
    const int mode = *ParseInteger(context.args[0]);
    return Rendered(context, SelectLightEffect(*LightingHostFor(context), mode), mode);
}

// The page shows the first colour slot chosen for effects that have slots;
// SLOT chooses another (1 is the first).
int RunLightColour(CommandContext& context) {
    const int mode = ShownEffect(context);
    const int slot = context.args.size() > 1 ? *ParseInteger(context.args[1]) - 1 : 0;
    LightSetting light;
    if (slot > 0 && GetLight(TargetProfile(context), mode, light) &&
        (static_cast<uint32_t>(light.config_func) & kLightColourSlots) == 0) {
        context.error = "light effect " + std::to_string(mode) +
                        " has one colour: it takes no SLOT but 1 (see light list)";
        return kExitUsage;
    }
    return Rendered(
        context,
        SetLightColour(*LightingHostFor(context), mode, *ParseColour(context.args[0]), slot), mode);
}

int RunLightBrightness(CommandContext& context) {
    const int mode = ShownEffect(context);
    return Rendered(
        context,
        SetLightBrightness(*LightingHostFor(context), mode, *ParseInteger(context.args[0])), mode);
}

int RunLightSpeed(CommandContext& context) {
    const int mode = ShownEffect(context);
    return Rendered(context,
                    SetLightSpeed(*LightingHostFor(context), mode, *ParseInteger(context.args[0])),
                    mode);
}

int RunLightReset(CommandContext& context) {
    ResetLights(*LightingHostFor(context));
    return kExitOk;
}

std::string CheckEffect(const std::vector<std::string>& args) {
    return ParseInteger(args[0]) ? "" : "an effect is a number, not \"" + args[0] + "\"";
}

std::string CheckBrightness(const std::vector<std::string>& args) {
    return CheckInteger("the brightness", args[0], 0, kLightLevelMax);
}

std::string CheckSpeed(const std::vector<std::string>& args) {
    return CheckInteger("the speed", args[0], 0, kLightLevelMax);
}

std::string CheckLightColour(const std::vector<std::string>& args) {
    if (!ParseColour(args[0]))
        return "a colour is written #RRGGBB, not \"" + args[0] + "\"";
    return args.size() > 1 ? CheckInteger("the colour slot", args[1], 1, kLightColourSlotCount)
                           : "";
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
    {"light colour", "light colour #RRGGBB [SLOT]",
     "the shown effect's colour (SLOT 1–7 of an effect with colour slots)", 1, 2, Needs::kMouse,
     false, CheckLightColour, RunLightColour, ReportLights},
    {"light reset", "light reset", "the default light effects (asks: --yes)", 0, 0, Needs::kMouse,
     true, nullptr, RunLightReset, ReportLights},
};

}  // namespace

std::span<const Command> LightCommands() {
    return kCommands;
}

}  // namespace tessaly::cli
