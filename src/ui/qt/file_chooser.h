#pragma once
// The open and save dialog for one file type (QFileDialog).

#include <QString>
#include <optional>

class QWidget;

namespace tessaly::qt {

// "name" typed without an extension gets the pattern's ("*.xml" → ".xml");
// a name with an extension of its own is kept as it is.
QString WithDefaultExtension(const QString& path, const QString& pattern);

// Modal over the parent; nothing when cancelled.
std::optional<QString> RunFileDialog(QWidget* parent, bool save, const QString& description,
                                     const QString& pattern);

}  // namespace tessaly::qt
