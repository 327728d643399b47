#pragma once
// One offscreen QApplication for the whole test binary, a backend installed
// per test, and a way to run the event loop until something holds.

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWidget>
#include <cstdlib>
#include <functional>

#include "ui/qt/qt_backend.h"

namespace tessaly::qt::test {

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "test_qt";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Runs the event loop until done() or the time is up; returns done().
inline bool PumpUntil(const std::function<bool()>& done, int timeout_ms = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeout_ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return done();
}

inline void Pump(int ms = 30) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

inline void Press(QWidget& widget, QPoint at, QEvent::Type type,
                  Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

inline void Click(QWidget& widget, QPoint at) {
    Press(widget, at, QEvent::MouseButtonPress);
    Press(widget, at, QEvent::MouseButtonRelease);
}

// Installs a Qt backend for the test's length.
class QtSession {
  public:
    QtSession() {
        App();
        backend_.Start();
    }
    ~QtSession() { backend_.Stop(); }
    QtBackend& backend() { return backend_; }

  private:
    QtBackend backend_;
};

}  // namespace tessaly::qt::test

namespace tessaly::qt::test {
inline QColor Accent() {
    return QColor::fromRgba(0xFF1E90FF);
}
}  // namespace tessaly::qt::test
