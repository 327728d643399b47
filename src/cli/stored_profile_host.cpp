#include "cli/stored_profile_host.h"

#include "cli/command_registry.h"
#include "controller/buttons_wiring.h"
#include "controller/controller.h"
#include "controller/lighting_wiring.h"
#include "macros/macro_upload.h"

namespace tessaly::cli {

bool StoredButtonHost::MacroFitsDevice(int macro_id) const {
    return tessaly::MacroFitsDevice(macro_id);
}

// Every performance, button and lighting command works on one profile, but
// the light reset, which resets every profile; show reads one.
bool TakesProfile(const Command& command) {
    if (command.name == "show")
        return true;
    if (command.name == "light reset")
        return false;
    for (const auto group : {PerformanceCommands(), ButtonCommands(), LightCommands()}) {
        for (const Command& taking : group) {
            if (taking.name == command.name)
                return true;
        }
    }
    return false;
}

int TargetProfile(const CommandContext& context) {
    return context.options.profile.value_or(context.controller.CurrentProfile());
}

bool StoredOnly(const CommandContext& context) {
    return TargetProfile(context) != context.controller.CurrentProfile();
}

std::unique_ptr<ButtonHost> ButtonHostFor(CommandContext& context) {
    if (!StoredOnly(context))
        return MakeButtonHost(context.controller);
    return std::make_unique<StoredButtonHost>(context.controller.Performance(),
                                              TargetProfile(context));
}

std::unique_ptr<LightingHost> LightingHostFor(CommandContext& context) {
    if (!StoredOnly(context))
        return MakeLightingHost(context.controller);
    return std::make_unique<StoredLightingHost>(context.controller.Performance(),
                                                TargetProfile(context));
}

}  // namespace tessaly::cli
