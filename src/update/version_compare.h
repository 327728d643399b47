#pragma once
// Comparing the local version with the one the update server answers, and
// what an answer must look like to be a version at all.

#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// Both texts split at every "." (empty parts count): 2 when the part counts
// differ, else the first differing part decides, as decimal numbers with a
// plain leading-digit conversion: -1 when the local one is greater, 1 when
// the remote one is, 0 when every part is equal.
int CompareVersions(std::u16string_view local, std::u16string_view remote);

// Software versions are digits and dots ("1.0.2"); firmware versions are
// hexadecimal digits, as the mouse's release number is written ("10A").
enum class VersionKind { kSoftware, kFirmware };

// Answers longer than these are not versions (an error page, say).
inline constexpr size_t kMaxSoftwareVersionLength = 10;
inline constexpr size_t kMaxFirmwareVersionLength = 9;

// The server's answer with white space trimmed at both ends; nothing when
// what is left is empty, longer than the kind allows, or holds a character
// a version of that kind cannot. Every version check goes through it.
std::optional<std::u16string> VersionFromAnswer(std::u16string_view answer, VersionKind kind);

}  // namespace tessaly
