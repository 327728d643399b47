#pragma once
// The names a profile may take, as the profile list's in-place edit and
// `tessalyctl profile rename` check them.

#include <cstddef>
#include <string_view>

#include "base/imported_name.h"

namespace tessaly {

// Imported profiles are named after their file, cut to the same length.
inline constexpr size_t kMaxProfileNameLength = kMaxImportedNameLength;

enum class ProfileRename { kRenamed, kEmpty, kTooLong };

// Whether the name may be stored (kRenamed) or why not; a name of blanks
// only reads as no name in the list. Length in UTF-16 units.
ProfileRename CheckProfileName(std::u16string_view name);

}  // namespace tessaly
