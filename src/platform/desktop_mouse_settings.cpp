#include "platform/desktop_mouse_settings.h"

#include <unistd.h>

#include <array>
#include <cstdlib>
#include <string_view>

#include "platform/shell_open.h"

namespace tessaly {
namespace {

struct SettingsProgram {
    const char* desktop;  // a word of XDG_CURRENT_DESKTOP; empty: any desktop
    const char* program;
    const char* parameters;
};

// The running desktop's own program first; then any that is installed.
constexpr std::array kPrograms{
    SettingsProgram{"GNOME", "gnome-control-center", "mouse"},
    SettingsProgram{"KDE", "systemsettings", "kcm_mouse"},
    SettingsProgram{"KDE", "kcmshell6", "mouse"},
    SettingsProgram{"X-Cinnamon", "cinnamon-settings", "mouse"},
    SettingsProgram{"XFCE", "xfce4-mouse-settings", ""},
    SettingsProgram{"MATE", "mate-mouse-properties", ""},
    SettingsProgram{"LXQt", "lxqt-config-input", ""},
    SettingsProgram{"", "gnome-control-center", "mouse"},
    SettingsProgram{"", "systemsettings", "kcm_mouse"},
    SettingsProgram{"", "systemsettings5", "kcm_mouse"},
    SettingsProgram{"", "cinnamon-settings", "mouse"},
    SettingsProgram{"", "xfce4-mouse-settings", ""},
    SettingsProgram{"", "mate-mouse-properties", ""},
    SettingsProgram{"", "lxqt-config-input", ""},
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
    const std::function<bool(const std::string& program)>& installed,
    std::optional<std::string> desktop) {
    if (!desktop) {
        const char* current = std::getenv("XDG_CURRENT_DESKTOP");
        desktop = current ? current : "";
    }
    for (const SettingsProgram& entry : kPrograms) {
        if (*entry.desktop != '\0' && desktop->find(entry.desktop) == std::string::npos) {
            continue;
        }
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
