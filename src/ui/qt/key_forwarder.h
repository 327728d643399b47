#pragma once
// Hands every key press and release in the program's windows to the raw
// keyboard layer, which keeps them only while a key capture is armed.

#include <QObject>

namespace tessaly::qt {

class KeyForwarder : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The Linux key code of a native scan code: X11 and Wayland keycodes are the
// evdev codes plus 8; nothing for platforms without one (offscreen).
int LinuxKeyCode(quint32 native_scan_code);

}  // namespace tessaly::qt
