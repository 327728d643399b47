// Keys typed into the program's windows reach the raw keyboard layer once
// each, and only while a capture is open.

#include "ui/qt/key_forwarder.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QWindow>
#include <vector>

#include "platform/raw_keyboard_input.h"
#include "qt/qt_test_app.h"

namespace tessaly::qt {
namespace {

constexpr quint32 kXkbKeyA = 38;  // evdev KEY_A (30) + 8

void SendKey(QObject* target, QEvent::Type type) {
    QKeyEvent event(type, Qt::Key_A, Qt::NoModifier, kXkbKeyA, 0, 0, QStringLiteral("a"));
    QCoreApplication::sendEvent(target, &event);
}

TEST(KeyForwarderTest, LinuxCodesFromNativeScanCodes) {
    EXPECT_EQ(LinuxKeyCode(kXkbKeyA), 30);
    EXPECT_EQ(LinuxKeyCode(0), -1);
    EXPECT_EQ(LinuxKeyCode(8), -1);
}

TEST(KeyForwarderTest, WindowKeysReachACaptureOnce) {
    test::App();
    KeyForwarder forwarder;
    QWindow window;
    QObject widget_like;
    window.installEventFilter(&forwarder);
    widget_like.installEventFilter(&forwarder);
    std::vector<RawInputRecord> records;
    RegisterKeyboardInput([&records](intptr_t handle) {
        if (auto record = ReadRawInput(handle)) {
            records.push_back(*record);
        }
    });

    SendKey(&window, QEvent::KeyPress);  // no capture: dropped
    EXPECT_TRUE(records.empty());
    {
        KeyboardCapture capture(KeyboardSource::kWindow);
        SendKey(&window, QEvent::KeyPress);
        SendKey(&widget_like, QEvent::KeyPress);  // the same key seen again below its window
        SendKey(&window, QEvent::KeyRelease);
    }
    RegisterKeyboardInput({});
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].keyboard.vkey, 'A');
    EXPECT_NE(records[0].keyboard.message, records[1].keyboard.message);
}

}  // namespace
}  // namespace tessaly::qt
