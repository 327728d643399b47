#pragma once
// Comparing the local version with the one the update server answers.

#include <string_view>

namespace tessaly {

// Both texts split at every "." (empty parts count): 2 when the part counts
// differ, else the first differing part decides, as decimal numbers with a
// plain leading-digit conversion: -1 when the local one is greater, 1 when
// the remote one is, 0 when every part is equal.
int CompareVersions(std::u16string_view local, std::u16string_view remote);

}  // namespace tessaly
