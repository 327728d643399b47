// The toolkit's loop on the Qt thread: changes from the worker, posted
// messages, timers, modal runs and popup menus.

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <atomic>
#include <thread>

#include "qt/qt_test_app.h"
#include "ui/dialogs/message_box.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/edits.h"
#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/dialog.h"
#include "ui/toolkit/menu_wnd.h"

namespace tessaly::qt {
namespace {

using test::PumpUntil;
using test::QtSession;

class LoopDialog : public DUI::MDialog {
  public:
    intptr_t OnWindowMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) override {
        if (message == kTestMessage) {
            messages_on_ui_thread += std::this_thread::get_id() == ui_thread ? 1 : 0;
            last_lparam = lparam;
            return 1;
        }
        if (message == kMenuMessage) {
            chosen_item = lparam;
            return 1;
        }
        return MDialog::OnWindowMessage(message, wparam, lparam);
    }
    void OnTimer(uint32_t id) override {
        if (id == 5) {
            ++ticks;
        }
        MDialog::OnTimer(id);
    }

    static constexpr uint32_t kTestMessage = 1800;
    static constexpr uint32_t kMenuMessage = 1801;
    std::thread::id ui_thread = std::this_thread::get_id();
    std::atomic<int> messages_on_ui_thread{0};
    intptr_t last_lparam = 0;
    intptr_t chosen_item = 0;
    int ticks = 0;
};

class QtLoopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dialog_.Create(nullptr, u"Loop", DUI::kDialogStyle, 0, {0, 0, 600, 400}));
        dialog_.ShowWindow(DUI::kSwShow);
    }
    void TearDown() override { dialog_.DestroyWindow(); }

    QtSession session_;
    LoopDialog dialog_;
};

TEST_F(QtLoopTest, WorkerThreadChangesReachTheWidgetsInOrder) {
    auto* edit = dialog_.CreateControl<DUI::MEdit>(1, {10, 10, 210, 40});
    auto* bar = dialog_.CreateControl<DUI::MProgress>(2, {10, 50, 410, 70});
    session_.backend().Flush();
    auto* line = static_cast<QLineEdit*>(session_.backend().ControlWidgetOf(*edit));
    QWidget* progress = session_.backend().ControlWidgetOf(*bar);
    ASSERT_NE(line, nullptr);
    ASSERT_NE(progress, nullptr);
    const QImage before = progress->grab().toImage();

    std::thread worker([&] {
        for (int i = 0; i <= 100; ++i) {
            edit->SetTitle(u"step " + std::u16string(1, u'0' + i % 10));
        }
        edit->SetTitle(u"done");
        bar->SetProgress(90);
    });
    worker.join();
    EXPECT_TRUE(PumpUntil([&] { return line->text() == QStringLiteral("done"); }));
    const QImage after = progress->grab().toImage();
    // Most of the bar now has the accent colour where it was empty before.
    const QPoint probe(progress->width() * 8 / 10, progress->height() / 2);
    EXPECT_NE(before.pixel(probe), after.pixel(probe));
    EXPECT_EQ(QColor(after.pixel(probe)), test::Accent());
}

TEST_F(QtLoopTest, MessagesPostedFromAnotherThreadRunOnTheUiThread) {
    std::thread poster([&] {
        for (int i = 1; i <= 20; ++i) {
            EXPECT_TRUE(DUI::Toolkit::Get().PostMessage(dialog_.GetSafeHwnd(),
                                                        LoopDialog::kTestMessage, 0, i));
        }
    });
    poster.join();
    EXPECT_TRUE(PumpUntil([&] { return dialog_.messages_on_ui_thread == 20; }));
    EXPECT_EQ(dialog_.last_lparam, 20);
}

TEST_F(QtLoopTest, WindowTimersFireFromTheEventLoop) {
    dialog_.SetTimer(5, 20);
    EXPECT_TRUE(PumpUntil([&] { return dialog_.ticks >= 3; }, 2000));
    dialog_.KillTimer(5);
    const int ticks = dialog_.ticks;
    test::Pump(100);
    EXPECT_EQ(dialog_.ticks, ticks);
}

// Clicks the message box's button (33 first, 34 second) once it is shown.
void ClickMessageBoxButton(QtBackend& backend, int id) {
    auto* poll = new QTimer();
    QObject::connect(poll, &QTimer::timeout, [&backend, id, poll] {
        auto& toolkit = DUI::Toolkit::Get();
        const DUI::WindowHandle box = toolkit.FindWindow("MWindow", CUIMessageBox::kTitle);
        auto* dialog = dynamic_cast<DUI::MDialog*>(toolkit.WindowFromHandle(box));
        DUI::MControl* button = dialog != nullptr ? dialog->GetControl(id) : nullptr;
        QWidget* widget = button != nullptr ? backend.ControlWidgetOf(*button) : nullptr;
        if (widget != nullptr && widget->isVisible()) {
            poll->stop();
            poll->deleteLater();
            test::Click(*widget, widget->rect().center());
        }
    });
    poll->start(20);
}

TEST_F(QtLoopTest, ModalMessageBoxReturnsTheClickedButton) {
    ClickMessageBoxButton(session_.backend(), 34);
    EXPECT_EQ(ShowMessageBox(u"Sure?", &dialog_, u"Question", kMessageBoxConfirm), 2);
    ClickMessageBoxButton(session_.backend(), 33);
    EXPECT_EQ(ShowMessageBox(u"Sure?", &dialog_, u"Question", kMessageBoxConfirm), 1);
}

TEST_F(QtLoopTest, PopupMenuChoiceReachesTheOwner) {
    DUI::MenuWnd* menu = DUI::MenuWnd::Popup(dialog_, LoopDialog::kMenuMessage, {100, 100}, 150,
                                             {{7, u"Rename"}, {8, u"Delete"}});
    ASSERT_NE(menu, nullptr);
    QMenu* shown = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* candidate = qobject_cast<QMenu*>(widget);
                candidate && candidate->isVisible()) {
                shown = candidate;
            }
        }
        return shown != nullptr;
    }));
    ASSERT_EQ(shown->actions().size(), 2);
    EXPECT_EQ(shown->actions()[1]->text(), QStringLiteral("Delete"));
    shown->actions()[1]->trigger();
    shown->close();
    EXPECT_TRUE(PumpUntil([&] { return dialog_.chosen_item == 8; }));
    EXPECT_TRUE(DUI::Toolkit::Get().OpenMenus().empty());
}

TEST_F(QtLoopTest, DestroyedWindowTakesItsWidgetsAndLateChangesAreDropped) {
    auto* label = dialog_.CreateControl<DUI::MButton>(3, {10, 10, 110, 40}, u"Late");
    session_.backend().Flush();
    ASSERT_NE(session_.backend().ControlWidgetOf(*label), nullptr);
    const DUI::WindowHandle handle = dialog_.GetSafeHwnd();
    dialog_.DestroyWindow();
    label->SetTitle(u"after");  // the control still exists; its window does not
    session_.backend().Flush();
    EXPECT_EQ(session_.backend().ControlWidgetOf(*label), nullptr);
    EXPECT_EQ(session_.backend().WindowWidgetOf(handle), nullptr);
}

}  // namespace
}  // namespace tessaly::qt
