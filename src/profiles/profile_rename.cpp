#include "profiles/profile_rename.h"

#include "storage/profile_table.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {

ProfileRename CheckProfileName(std::u16string_view name) {
    if (name.find_first_not_of(u" \t") == std::u16string_view::npos) {
        return ProfileRename::kEmpty;
    }
    return name.size() > kMaxProfileNameLength ? ProfileRename::kTooLong : ProfileRename::kRenamed;
}

ProfileRename RenameStoredProfile(int profile, std::u16string_view name) {
    const ProfileRename checked = CheckProfileName(name);
    if (checked != ProfileRename::kRenamed) {
        return checked;
    }
    return RenameProfile(profile, name) ? ProfileRename::kRenamed : ProfileRename::kNotStored;
}

int ProfileRenameText(ProfileRename result) {
    switch (result) {
        case ProfileRename::kRenamed:
            return 0;
        case ProfileRename::kEmpty:
            return text::kProfileNameEmpty;
        case ProfileRename::kTooLong:
            return text::kProfileNameTooLong;
        case ProfileRename::kNotStored:
            return text::kProfileNameNotStored;
    }
    return text::kProfileNameNotStored;
}

}  // namespace tessaly
