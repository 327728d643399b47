#pragma once
// Unpacking a downloaded zip archive into a folder.

#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

// More than this in all is not written: an archive of the update server is a
// few megabytes.
inline constexpr uint64_t kMaxExtractedBytes = 512ull * 1024 * 1024;

// Whether an entry name may be written under the folder: not absolute, no
// drive prefix, no ".." component (with "/" or "\" as separators), not empty.
bool IsSafeEntryName(std::string_view name);

// Every entry, in archive order, under its stored name relative to `folder`;
// directories are created. Entries whose names are not safe or that resolve
// outside the folder are skipped, an entry that cannot be read whole or
// fails its CRC is removed, and writing stops at kMaxExtractedBytes (the
// entry that crosses it is removed). True when the archive could be
// opened, whatever happened to single entries.
bool ExtractArchive(const std::string& archive, const std::string& folder,
                    uint64_t max_bytes = kMaxExtractedBytes);

}  // namespace tessaly
