#pragma once
// Names that come from files the user imports. Nothing else bounds them, and
// a name of a few hundred thousand characters makes every list that shows
// it unusable.

#include <cstddef>
#include <string>

namespace tessaly {

inline constexpr size_t kMaxImportedNameLength = 255;

// The first kMaxImportedNameLength UTF-16 units, one fewer when the cut
// would split a surrogate pair.
std::u16string ImportedName(std::u16string name);

}  // namespace tessaly
