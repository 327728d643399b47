#pragma once
// The desktop's own mouse settings: the first settings program of the known
// desktops that is installed.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessaly {

// The command for the first program found by `installed` (a name → found
// test; PATH by default), the running desktop's own (`desktop`, as in
// XDG_CURRENT_DESKTOP, read from the environment when absent) first; empty
// when none is installed.
std::vector<std::string> DesktopMouseSettingsCommand(
    const std::function<bool(const std::string& program)>& installed = {},
    std::optional<std::string> desktop = std::nullopt);

// Starts it; false when no known program is installed.
bool OpenDesktopMouseSettings();

}  // namespace tessaly
