#pragma once
// The desktop's own mouse settings: the first settings program of the known
// desktops that is installed.

#include <functional>
#include <string>
#include <vector>

namespace tessaly {

// The command for the first program found by `installed` (a name → found
// test; PATH by default), or empty when none is.
std::vector<std::string> DesktopMouseSettingsCommand(
    const std::function<bool(const std::string& program)>& installed = {});

// Starts it; false when no known program is installed.
bool OpenDesktopMouseSettings();

}  // namespace tessaly
