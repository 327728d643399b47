// The profiles of the store, and the profile dialog's operations: switching,
// renaming in place, export and import, the file given on the command line
// where the dialog asks for one.

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/unicode.h"
#include "cli/argument_checks.h"
#include "cli/command_registry.h"
#include "cli/run_streams.h"
#include "controller/controller.h"
#include "controller/profiles_wiring.h"
#include "profiles/profile_names.h"
#include "profiles/profile_operations.h"
#include "profiles/profile_rename.h"
#include "storage/profile_table.h"
#include "xml/xml_text_document.h"

namespace tessaly::cli {
namespace {

std::vector<ProfileInfo> StoredProfiles() {
    std::vector<ProfileInfo> profiles;
    ListProfiles(profiles);
    return profiles;
}

std::string ShownName(int profile) {
    std::u16string name;
    GetProfileName(profile, name);
    return ToUtf8(DisplayProfileName(name));
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

int Rendered(CommandContext& context, const ProfileChange& change) {
    switch (change.refusal) {
        case ProfileRefusal::kNone:
            return kExitOk;
        case ProfileRefusal::kNoProfile:
            context.error = "there is no profile " + context.args[0] + " (see profile list)";
            return kExitUsage;
        case ProfileRefusal::kEmptyName:
            context.error = "the new name is empty";
            return kExitUsage;
        case ProfileRefusal::kTooLong:
            context.error = "the new name is longer than " + std::to_string(kMaxProfileNameLength) +
                            " characters";
            return kExitUsage;
        case ProfileRefusal::kNotStored:
            context.error = "the new name could not be stored";
            return kExitFailure;
        case ProfileRefusal::kNotWritten:
        case ProfileRefusal::kNotLoaded:
        case ProfileRefusal::kNothingTaken:
            break;
    }
    context.error = "the profile was not changed";
    return kExitFailure;
}

int RunProfileSwitch(CommandContext& context) {
    const auto host = MakeProfilesHost(context.controller);
    return Rendered(context, SwitchProfile(*host, *ParseInteger(context.args[0])));
}

// As editing the list item in place: the name is stored, and the dialog
// switches to the renamed profile when it closes.
int RunProfileRename(CommandContext& context) {
    const int profile = *ParseInteger(context.args[0]);
    if (const int code = Rendered(context, RenameStoredProfile(profile, FromUtf8(context.args[1])));
        code != kExitOk)
        return code;
    const auto host = MakeProfilesHost(context.controller);
    return Rendered(context, SwitchProfile(*host, profile));
}

// The full path, as the file dialog gives it.
std::u16string DialogPath(const std::string& file) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    return FromUtf8(error ? file : absolute.string());
}

int RunProfileExport(CommandContext& context) {
    const std::u16string path = DialogPath(context.args[0]);
    const int profile = context.controller.CurrentProfile();
    const auto host = MakeProfilesHost(context.controller);
    // The save's own result: a file that could not be replaced is as it was.
    if (!ExportProfileTo(*host, path, profile).ok()) {
        context.error = "the profile could not be written to " + ToUtf8(path);
        return kExitFailure;
    }
    context.out.Set("profile", profile);
    context.out.Set("name", ShownName(profile));
    context.out.Set("file", ToUtf8(path));
    return kExitOk;
}

int RunProfileImport(CommandContext& context) {
    const std::u16string path = DialogPath(context.args[0]);
    const int profile = context.controller.CurrentProfile();
    const auto host = MakeProfilesHost(context.controller);
    const ProfileImportChange result = ImportProfileFrom(*host, path);
    if (result.change.refusal == ProfileRefusal::kNothingTaken) {
        context.error = "none of the " + std::to_string(result.values.refused) + " values in " +
                        ToUtf8(path) + " is one this mouse takes; profile " +
                        std::to_string(profile) + " is unchanged";
        return kExitFailure;
    }
    if (!result.change.ok()) {
        context.error = ToUtf8(path) + " was not imported";
        return kExitFailure;
    }
    if (result.values.refused > 0) {
        SayError(std::to_string(result.values.refused) + " values in " + ToUtf8(path) +
                 " are outside what this mouse takes; profile " + std::to_string(profile) +
                 " keeps its own for them");
    }
    return kExitOk;
}

std::string CheckProfile(const std::vector<std::string>& args) {
    return ParseInteger(args[0]) ? "" : "a profile is a number, not \"" + args[0] + "\"";
}

std::string CheckRename(const std::vector<std::string>& args) {
    if (std::string reason = CheckProfile(args); !reason.empty())
        return reason;
    // The profile list refuses the same names.
    switch (CheckProfileName(FromUtf8(args[1]))) {
        case ProfileRename::kEmpty:
            return "the new name is empty";
        case ProfileRename::kTooLong:
            return "the new name is longer than " + std::to_string(kMaxProfileNameLength) +
                   " characters";
        default:
            return "";
    }
}

std::string CheckExportFile(const std::vector<std::string>& args) {
    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(args[0], error);
    if (error || file.filename().empty())
        return "\"" + args[0] + "\" is not a file name";
    if (!std::filesystem::is_directory(file.parent_path(), error))
        return "there is no folder " + file.parent_path().string();
    if (std::filesystem::is_directory(file, error))
        return args[0] + " is a folder";
    return {};
}

// The import would ignore such a file without a word; here it is refused
// before anything is read from the mouse or changed in the store.
std::string CheckImportFile(const std::vector<std::string>& args) {
    std::error_code error;
    if (!std::filesystem::exists(args[0], error))
        return "cannot read " + args[0] + ": no such file";
    if (!std::filesystem::is_regular_file(args[0], error))
        return "cannot read " + args[0] + ": not a file";
    XmlTextDocument document;
    if (!document.LoadFile(DialogPath(args[0])))
        return "cannot read " + args[0] + ": not readable or not well-formed XML";
    if (!document.FindElement(u"profile"))
        return args[0] + " is not a profile file (no profile element)";
    return {};
}

const Command kCommands[] = {
    {"profile list", "profile list", "the stored profiles", 0, 0, Needs::kStore, false, nullptr,
     RunProfileList, ReportProfiles},
    {"profile switch", "profile switch N", "make profile N current and send it all", 1, 1,
     Needs::kMouse, false, CheckProfile, RunProfileSwitch, ReportProfiles},
    {"profile rename", "profile rename N NAME",
     "rename profile N; it becomes current, as when the dialog closes", 2, 2, Needs::kMouse, false,
     CheckRename, RunProfileRename, ReportProfiles},
    {"profile export", "profile export FILE", "save the current profile to an XML file", 1, 1,
     Needs::kMouse, false, CheckExportFile, RunProfileExport, nullptr},
    {"profile import", "profile import FILE",
     "read an XML profile file into the current profile (named after the file) and send it", 1, 1,
     Needs::kMouse, false, CheckImportFile, RunProfileImport, ReportProfiles},
};

}  // namespace

std::span<const Command> ProfileCommands() {
    return kCommands;
}

}  // namespace tessaly::cli
