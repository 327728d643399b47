#include "profiles/profile_operations.h"

#include <algorithm>
#include <vector>

#include "base/task.h"
#include "catalogue/device_catalogue.h"
#include "profiles/profile_names.h"
#include "profiles/profile_rename.h"
#include "storage/profile_table.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

ProfileChange Refused(ProfileRefusal why, int text = 0) {
    return {why, text};
}

ProfileFileOptions FileOptions() {
    return {.lighting = DeviceCatalogue::Instance().Options().lighting_page};
}

ProfileImportLimits ImportLimits(ProfilesHost& host) {
    ProfileImportLimits limits;
    limits.sensor = host.Device().Limits();
    limits.report_capability = host.Device().report_capability.load();
    return limits;
}

// As the main window's profile name shows it.
std::u16string ShownName(int profile) {
    std::u16string name;
    GetProfileName(profile, name);
    return DisplayProfileName(name);
}

}  // namespace

bool ProfileExists(int profile) {
    std::vector<ProfileInfo> profiles;
    ListProfiles(profiles);
    return std::any_of(profiles.begin(), profiles.end(),
                       [profile](const ProfileInfo& info) { return info.id == profile; });
}

ProfileChange SwitchProfile(ProfilesHost& host, int profile) {
    if (!ProfileExists(profile)) {
        return Refused(ProfileRefusal::kNoProfile);
    }
    host.SetCurrentProfile(profile);
    ActivateProfile(host, profile);
    host.QueueTask(kTaskWriteEverything);
    return {};
}

void ActivateProfile(ProfilesHost& host, int profile) {
    SetActiveProfile(profile);
    host.ShowProfileName();
}

ProfileChange RenameStoredProfile(int profile, std::u16string_view name) {
    switch (CheckProfileName(name)) {
        case ProfileRename::kEmpty:
            return Refused(ProfileRefusal::kEmptyName, text::kProfileNameEmpty);
        case ProfileRename::kTooLong:
            return Refused(ProfileRefusal::kTooLong, text::kProfileNameTooLong);
        case ProfileRename::kRenamed:
            break;
    }
    if (!ProfileExists(profile)) {
        return Refused(ProfileRefusal::kNoProfile);
    }
    if (!RenameProfile(profile, name)) {
        return Refused(ProfileRefusal::kNotStored, text::kProfileNameNotStored);
    }
    return {};
}

ProfileChange ExportProfileTo(ProfilesHost& host, std::u16string_view path, int profile) {
    const int current = host.CurrentProfile();
    if (!WriteProfileFile(path, profile, current, ShownName(current), FileOptions())) {
        return Refused(ProfileRefusal::kNotWritten);
    }
    return {};
}

ProfileImportChange ImportProfileFrom(ProfilesHost& host, std::u16string_view path) {
    ProfileImportChange result;
    const int profile = host.CurrentProfile();
    result.values = ReadProfileFile(path, profile, FileOptions(), ImportLimits(host));
    const ProfileImport& values = result.values;
    if (!values.stored) {
        if (!values.loaded) {
            result.change = Refused(ProfileRefusal::kNotLoaded);
        } else if (values.refused > 0 && values.taken == 0) {
            result.change = Refused(ProfileRefusal::kNothingTaken, text::kProfileFileUnusable);
        } else {
            result.change = Refused(ProfileRefusal::kNotStored);
        }
        return result;
    }
    // A file named only ".xml" leaves the name as it was rather than empty.
    if (const std::u16string name = ProfileNameFromPath(path); !name.empty()) {
        RenameProfile(profile, name);
    }
    host.ShowProfileName();
    host.QueueTask(kTaskWriteEverything);
    return result;
}

}  // namespace tessaly
