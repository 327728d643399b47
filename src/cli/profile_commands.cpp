// The profiles of the store, and switching as the profile dialog does: its
// request reaches the window as message 1705.

#include <algorithm>

#include "base/unicode.h"
#include "cli/argument_checks.h"
#include "cli/command_table.h"
#include "controller/controller.h"
#include "profiles/profile_names.h"
#include "storage/profile_table.h"
#include "ui/pages/profile_dlg.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::cli {
namespace {

std::vector<ProfileInfo> StoredProfiles() {
    std::vector<ProfileInfo> profiles;
    ListProfiles(profiles);
    return profiles;
}

}  // namespace

OutputValue ProfilesOutput(const CommandContext& context) {
    OutputValue out = OutputValue::MakeObject();
    OutputValue rows = OutputValue::MakeArray();
    for (const ProfileInfo& profile : StoredProfiles()) {
        OutputValue row = OutputValue::MakeObject();
        row.Set("profile", profile.id);
        row.Set("name", ToUtf8(DisplayProfileName(profile.name)));
        row.Set("current", profile.id == context.controller.CurrentProfile());
        rows.Append(std::move(row));
    }
    out.Set("profiles", std::move(rows));
    return out;
}

namespace {

void ReportProfiles(CommandContext& context) {
    context.out = ProfilesOutput(context);
}

int RunProfileList(CommandContext&) {
    return kExitOk;
}

int RunProfileSwitch(CommandContext& context) {
    const int wanted = *ParseInteger(context.args[0]);
    const std::vector<ProfileInfo> profiles = StoredProfiles();
    const bool known =
        std::any_of(profiles.begin(), profiles.end(),
                    [&](const ProfileInfo& profile) { return profile.id == wanted; });
    if (!known) {
        context.error = "there is no profile " + context.args[0] + " (see profile list)";
        return kExitUsage;
    }
    DUI::Toolkit::Get().PostMessage(context.window.GetSafeHwnd(), ui::kProfileRequestMessage,
                                    static_cast<uintptr_t>(ui::ProfileRequest::kSwitch), wanted);
    return kExitOk;
}

std::string CheckProfile(const std::vector<std::string>& args) {
    return ParseInteger(args[0]) ? "" : "a profile is a number, not \"" + args[0] + "\"";
}

const Command kCommands[] = {
    {"profile list", "profile list", "the stored profiles", 0, 0, Needs::kStore, false, nullptr,
     RunProfileList, ReportProfiles},
    {"profile switch", "profile switch N", "make profile N current and send it all", 1, 1,
     Needs::kMouse, false, CheckProfile, RunProfileSwitch, ReportProfiles},
};

}  // namespace

std::span<const Command> ProfileCommands() {
    return kCommands;
}

}  // namespace tessaly::cli
