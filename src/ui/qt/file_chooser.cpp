#include "ui/qt/file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>

namespace tessaly::qt {

QString WithDefaultExtension(const QString& path, const QString& pattern) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) {
        return path;
    }
    const qsizetype dot = pattern.lastIndexOf(u'.');
    if (dot < 0 || pattern.mid(dot).contains(u'*')) {
        return path;
    }
    return path + pattern.mid(dot);
}

std::optional<QString> RunFileDialog(QWidget* parent, bool save, const QString& description,
                                     const QString& pattern) {
    QString filter = description;
    if (!filter.contains(u'(')) {
        filter += QStringLiteral(" (%1)").arg(pattern);
    }
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("TessalyFileDialog"));
    // Qt's own dialog follows the dark style sheet.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The open dialog does not require the file to exist.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (save) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog.selectedFiles().front();
    return save ? WithDefaultExtension(chosen, pattern) : chosen;
}

}  // namespace tessaly::qt
