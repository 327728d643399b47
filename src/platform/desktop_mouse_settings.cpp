#include "platform/desktop_mouse_settings.h"

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <string_view>

#include "platform/shell_open.h"

namespace tessaly {
namespace {

struct SettingsProgram {
    const char* program;
    const char* parameters;
};

// The current desktop's program first would be nicer, but a user running
// one desktop rarely has another's settings installed.
constexpr std::array kPrograms{
    SettingsProgram{"gnome-control-center", "mouse"},
    SettingsProgram{"systemsettings", "kcm_mouse"},
    SettingsProgram{"systemsettings5", "kcm_mouse"},
    SettingsProgram{"cinnamon-settings", "mouse"},
    SettingsProgram{"xfce4-mouse-settings", ""},
    SettingsProgram{"mate-mouse-properties", ""},
    SettingsProgram{"lxqt-config-input", ""},
};

bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (path == nullptr) {
        return false;
    }
    std::string_view rest(path);
    while (!rest.empty()) {
        const size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        if (!folder.empty()) {
            const std::string candidate = std::string(folder) + "/" + program;
            if (access(candidate.c_str(), X_OK) == 0) {
                return true;
            }
        }
        if (colon == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(colon + 1);
    }
    return false;
}

}  // namespace

std::vector<std::string> DesktopMouseSettingsCommand(
    const std::function<bool(const std::string& program)>& installed) {
    for (const SettingsProgram& entry : kPrograms) {
        const bool found = installed ? installed(entry.program) : OnPath(entry.program);
        if (!found) {
            continue;
        }
        std::vector<std::string> command{entry.program};
        if (*entry.parameters != '\0') {
            command.emplace_back(entry.parameters);
        }
        return command;
    }
    return {};
}

bool OpenDesktopMouseSettings() {
    return StartProgram(DesktopMouseSettingsCommand());
}

}  // namespace tessaly
