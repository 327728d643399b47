#include "ui/qt/desktop_links.h"

#include <QDesktopServices>
#include <QUrl>

#include "base/trace.h"
#include "platform/shell_open.h"
#include "ui/qt/theme.h"

namespace tessaly::qt {

void OpenTarget(std::u16string_view target, std::u16string_view parameters) {
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
