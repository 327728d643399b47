#include "ui/qt/skin_images.h"

#include <QFile>
#include <QHash>
#include <QImageReader>

#include "ui/qt/theme.h"
#include "ui/toolkit/manager.h"

namespace tessaly::qt {
namespace {

// UI thread only, like every painter.
QHash<QString, QPixmap>& Cache() {
    static QHash<QString, QPixmap> cache;
    return cache;
}

// The skin is PNG throughout: naming the format keeps Qt from loading every
// image format plugin to probe the file, a fifth of the start's CPU.
QPixmap LoadImage(const QString& path) {
    // Callers also ask for images a skin may lack; the reader would warn.
    if (!QFile::exists(path))
        return {};
    QImageReader reader(path, path.endsWith(u".png", Qt::CaseInsensitive) ? "png" : QByteArray());
    reader.setAutoDetectImageFormat(!path.endsWith(u".png", Qt::CaseInsensitive));
    return QPixmap::fromImage(reader.read());
}

}  // namespace

QPixmap SkinImage(std::u16string_view name) {
    if (name.empty()) {
        return {};
    }
    const QString path = ToQString(DUI::Manager::ResolveImage(name));
    auto found = Cache().find(path);
    if (found == Cache().end()) {
        found = Cache().insert(path, LoadImage(path));
    }
    return *found;
}

QPixmap SkinFrame(std::u16string_view name, int frames, int index) {
    const QPixmap whole = SkinImage(name);
    if (whole.isNull() || frames <= 0 || index < 0 || index >= frames) {
        return {};
    }
    const int width = whole.width() / frames;
    if (width <= 0) {
        return {};
    }
    return whole.copy(index * width, 0, width, whole.height());
}

void ClearSkinCache() {
    Cache().clear();
}

}  // namespace tessaly::qt
