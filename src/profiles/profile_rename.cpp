#include "profiles/profile_rename.h"

namespace tessaly {

ProfileRename CheckProfileName(std::u16string_view name) {
    if (name.find_first_not_of(u" \t") == std::u16string_view::npos) {
        return ProfileRename::kEmpty;
    }
    return name.size() > kMaxProfileNameLength ? ProfileRename::kTooLong : ProfileRename::kRenamed;
}

}  // namespace tessaly
