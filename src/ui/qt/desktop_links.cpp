#include "ui/qt/desktop_links.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include "base/trace.h"
#include "platform/shell_open.h"
#include "ui/qt/theme.h"

namespace tessaly::qt {
namespace {

struct SettingsProgram {
    const char* desktop;  // in XDG_CURRENT_DESKTOP, empty: any
    const char* program;
    const char* argument;
};
constexpr SettingsProgram kSettingsPrograms[] = {
    {"GNOME", "gnome-control-center", "mouse"},
    {"KDE", "systemsettings", "kcm_mouse"},
    {"KDE", "kcmshell6", "mouse"},
    {"", "gnome-control-center", "mouse"},
    {"", "systemsettings", "kcm_mouse"},
};

}  // namespace

bool OpenMouseSettings() {
    const QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    for (const SettingsProgram& row : kSettingsPrograms) {
        if (*row.desktop != '\0' && !desktop.contains(QString::fromUtf8(row.desktop))) {
            continue;
        }
        const QString program = QStandardPaths::findExecutable(QString::fromUtf8(row.program));
        if (!program.isEmpty() &&
            QProcess::startDetached(program, {QString::fromUtf8(row.argument)})) {
            return true;
        }
    }
    Trace(2, "no mouse settings program found for this desktop");
    return false;
}

void OpenTarget(std::u16string_view target, std::u16string_view parameters) {
    if (target == u"control.exe") {
        OpenMouseSettings();
        return;
    }
    const QString text = ToQString(target);
    if (parameters.empty() && (text.startsWith(QStringLiteral("http://")) ||
                               text.startsWith(QStringLiteral("https://")))) {
        if (!QDesktopServices::openUrl(QUrl(text))) {
            Trace(2, "cannot open %s", text.toUtf8().constData());
        }
        return;
    }
    ShellOpen(target, parameters);
}

}  // namespace tessaly::qt
