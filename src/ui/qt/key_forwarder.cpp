#include "ui/qt/key_forwarder.h"

#include <QKeyEvent>

#include "platform/raw_keyboard_input.h"

namespace tessaly::qt {

int LinuxKeyCode(quint32 native_scan_code) {
    return native_scan_code > 8 ? static_cast<int>(native_scan_code) - 8 : -1;
}

bool KeyForwarder::eventFilter(QObject* watched, QEvent* event) {
    const bool press = event->type() == QEvent::KeyPress;
    // Each key reaches its window first and then widgets; taking it at the
    // window sees it once.
    if ((press || event->type() == QEvent::KeyRelease) && watched->isWindowType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int code = LinuxKeyCode(key->nativeScanCode());
        if (code > 0) {
            DeliverWindowKey(code, press);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tessaly::qt
