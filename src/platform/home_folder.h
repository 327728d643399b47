#pragma once
// The user's home folder: $HOME, else the password database's entry for the
// real user. Without either there is no per-user place for settings, and
// falling back to a shared folder such as /tmp would mix users' files.
#include <optional>
#include <string>

namespace tessaly {

std::optional<std::string> HomeFolderPath();

}  // namespace tessaly
