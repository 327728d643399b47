#pragma once
// Renaming a stored profile, as the profile list's in-place edit and
// `tessalyctl profile rename` do it: the name is checked, then stored.

#include <cstddef>
#include <string_view>

#include "base/imported_name.h"

namespace tessaly {

// Imported profiles are named after their file, cut to the same length.
inline constexpr size_t kMaxProfileNameLength = kMaxImportedNameLength;

enum class ProfileRename { kRenamed, kEmpty, kTooLong, kNotStored };

// Whether the name may be stored (kRenamed) or why not; a name of blanks
// only reads as no name in the list. Length in UTF-16 units.
ProfileRename CheckProfileName(std::u16string_view name);
// Checks, then stores; nothing changes unless the result is kRenamed.
ProfileRename RenameStoredProfile(int profile, std::u16string_view name);
// The text that tells the user why; 0 for kRenamed.
int ProfileRenameText(ProfileRename result);

}  // namespace tessaly
