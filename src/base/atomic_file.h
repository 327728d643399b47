#pragma once
// Replacing a file so that it is always either the old file or the whole new
// one: the bytes go to a temporary file in the same folder, are flushed to
// the disk and renamed over the target.

#include <string>
#include <string_view>

namespace tessaly {

// 0 on success, else the errno of the step that failed (the target is then
// as it was and no temporary file is left). A link is followed and its
// final target replaced; an existing target keeps its permission bits, a
// new one gets the usual mode of a new file. Only a regular file (or no
// file) is replaced: anything else at the path gives EINVAL.
int ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace tessaly
