// The keyboard in the program's dialogs: Escape closes each one that can be
// closed, as its close box or "no" would, and leaves alone the ones showing
// a transfer; the profile list renames in place with F2, Enter and Escape.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/language_state.h"
#include "base/unicode.h"
#include "platform/folders.h"
#include "qt/qt_test_app.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/dpi_msg_dlg.h"
#include "ui/dialogs/message_box.h"
#include "ui/dialogs/mouse_palette_dlg.h"
#include "ui/dialogs/save_wait_dlg.h"
#include "ui/dialogs/update_process_dlg.h"
#include "ui/dialogs/update_tip_dlg.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/profile_dlg.h"
#include "ui/pages/record_edit_dlg.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/dialog.h"

namespace tessaly::qt {
namespace {

using test::Pump;
using test::PumpUntil;
using test::QtSession;

constexpr int kProfileList = 31;
constexpr int kNotEnded = 99;

class DialogKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetProgramFolderOverride(FromUtf8(std::string(TESSALY_BINARY_DIR) + "/"));
        SetCurrentLcid(1033);
        ReloadLanguageFiles();
        ASSERT_TRUE(main_.Create(nullptr, u"Tessaly", DUI::kDialogStyle, 0, {0, 0, 800, 600}));
        main_.ShowWindow(DUI::kSwShow);
    }
    void TearDown() override {
        main_.DestroyWindow();
        SetProgramFolderOverride(u"");
        ReloadLanguageFiles();
    }

    QWidget* WidgetOf(const DUI::MWindow& window) {
        session_.backend().Flush();
        return session_.backend().WindowWidgetOf(window.GetSafeHwnd());
    }

    // The key as the user types it: to the focused widget of the window, or
    // the window itself; what no widget takes goes on to the window.
    void Type(const DUI::MWindow& window, int key, Qt::KeyboardModifiers modifiers = {}) {
        QWidget* top = WidgetOf(window);
        ASSERT_NE(top, nullptr);
        QWidget* target = top->focusWidget() != nullptr ? top->focusWidget() : top;
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers);
        QApplication::sendEvent(target, &release);
    }

    // Runs the dialog modally with `during` run inside the run; a run the
    // keys did not end is ended with kNotEnded so the test goes on.
    int RunModal(DUI::MWindow& dialog, std::function<void()> during) {
        QTimer::singleShot(60, [&, during = std::move(during)] {
            during();
            QTimer::singleShot(1500, [&] {
                if (dialog.IsModal()) {
                    dialog.EndModal(kNotEnded);
                }
            });
        });
        return dialog.ShowModal(DUI::kSwShowNormal);
    }

    QtSession session_;
    DUI::MDialog main_;
};

TEST_F(DialogKeysTest, EscapeEndsEachModalDialogAsItsCloseBoxDoes) {
    {
        AboutDlg about;
        ASSERT_TRUE(about.Open(&main_));
        EXPECT_EQ(RunModal(about, [&] { Type(about, Qt::Key_Escape); }), 2);
        about.DestroyWindow();
    }
    {
        // Escape is "no" on a question.
        CUIMessageBox box(u"Reset?", u"Question", kMessageBoxConfirm);
        ASSERT_TRUE(box.Open(&main_));
        EXPECT_EQ(RunModal(box, [&] { Type(box, Qt::Key_Escape); }), kMessageBoxSecond);
        box.DestroyWindow();
    }
    {
        MousePaletteDlg palette(0x0000FF);
        ASSERT_TRUE(palette.Open(&main_));
        EXPECT_EQ(RunModal(palette, [&] { Type(palette, Qt::Key_Escape); }), 2);
        EXPECT_EQ(palette.Result(), 0u) << "no colour is chosen";
        palette.DestroyWindow();
    }
}

TEST_F(DialogKeysTest, TheKeyFieldCapturesEscapeAndTheDialogClosesOnceFocusLeavesIt) {
    ui::RecordEditDlg dialog;
    std::vector<bool> capture;
    ASSERT_TRUE(dialog.Open(&main_, [&](bool on) { capture.push_back(on); }));
    bool open_after_escape_in_field = false;
    bool capturing_after_tab = true;
    const int result = RunModal(dialog, [&] {
        PumpUntil([&] {
            QWidget* top = WidgetOf(dialog);
            return top != nullptr && top->isActiveWindow() && top->focusWidget() != nullptr;
        });
        Type(dialog, Qt::Key_Escape);
        open_after_escape_in_field = dialog.IsModal();
        Type(dialog, Qt::Key_Tab);
        Pump(50);  // the dialog hears of focus changes through its queue
        capturing_after_tab = !capture.empty() && capture.back();
        Type(dialog, Qt::Key_Escape);
    });
    EXPECT_TRUE(open_after_escape_in_field);
    EXPECT_FALSE(capturing_after_tab) << "leaving the field ends the capture";
    EXPECT_EQ(result, 2);
    dialog.DestroyWindow();
}

TEST_F(DialogKeysTest, EscapeHidesTheNoticesButNotATransferInProgress) {
    DPIMsgDlg dpi;
    SaveWaitDlg saving;
    UpdateTipDlg firmware;
    UpdateProcessDlg download;
    ASSERT_TRUE(dpi.Open(&main_));
    ASSERT_TRUE(saving.Open(&main_));
    ASSERT_TRUE(firmware.Open(&main_));
    ASSERT_TRUE(download.Open(&main_));
    dpi.ShowValue(1600);
    saving.ShowWait();
    firmware.ShowWindow(DUI::kSwShow);
    download.ShowWindow(DUI::kSwShow);
    ASSERT_TRUE(dpi.IsVisible() && saving.IsVisible());

    Type(dpi, Qt::Key_Escape);
    Type(saving, Qt::Key_Escape);
    Type(firmware, Qt::Key_Escape);
    Type(download, Qt::Key_Escape);
    EXPECT_FALSE(dpi.IsVisible());
    EXPECT_FALSE(saving.IsVisible());
    EXPECT_TRUE(firmware.IsVisible());
    EXPECT_TRUE(download.IsVisible());
    // The main window has no owner to return to: Escape does not close it.
    Type(main_, Qt::Key_Escape);
    EXPECT_TRUE(main_.IsVisible());

    for (DUI::MWindow* window :
         std::initializer_list<DUI::MWindow*>{&dpi, &saving, &firmware, &download}) {
        window->DestroyWindow();
    }
}

// The profile list over the main window, with a rename handler that
// records what it was asked and answers `refusal`.
class ProfileListKeysTest : public DialogKeysTest {
  protected:
    void Open(ui::ProfileDlg& dialog) {
        dialog.SetProfiles({{u"Profile 1", 1}, {u"Profile 2", 2}, {u"Work", 3}});
        dialog.SetRenameHandler([this](int profile, std::u16string_view name) {
            asked_.emplace_back(profile, std::u16string(name));
            return refusal_;
        });
        ASSERT_TRUE(dialog.Open(&main_, {100, 400, 300, 430}));
    }
    QWidget* ListWidget(ui::ProfileDlg& dialog) {
        DUI::MControl* list = dialog.GetControl(kProfileList);
        return list != nullptr ? session_.backend().ControlWidgetOf(*list) : nullptr;
    }
    QLineEdit* InPlaceEdit(ui::ProfileDlg& dialog) {
        QWidget* list = ListWidget(dialog);
        return list != nullptr ? list->findChild<QLineEdit*>() : nullptr;
    }
    std::u16string ItemText(ui::ProfileDlg& dialog, int index) {
        return dialog.GetControlAs<DUI::DListBox>(kProfileList)->GetItemText(index);
    }
    // Moves to the item below the current one and starts editing it.
    void EditNext(ui::ProfileDlg& dialog) {
        QWidget* list = ListWidget(dialog);
        ASSERT_NE(list, nullptr);
        list->setFocus(Qt::TabFocusReason);
        Type(dialog, Qt::Key_Down);
        Type(dialog, Qt::Key_F2);
    }

    std::vector<std::pair<int, std::u16string>> asked_;
    int refusal_ = 0;
};

TEST_F(ProfileListKeysTest, F2EditsTheNameAndEnterStoresItWithoutSwitching) {
    ui::ProfileDlg dialog(main_.GetSafeHwnd(), 1);
    Open(dialog);
    bool editing = false;
    bool open_after_enter = false;
    const int result = RunModal(dialog, [&] {
        EditNext(dialog);
        QLineEdit* edit = InPlaceEdit(dialog);
        editing = edit != nullptr && edit->text() == QStringLiteral("Profile 2");
        if (edit != nullptr) {
            edit->setText(QStringLiteral("Evening"));
        }
        Type(dialog, Qt::Key_Return);
        open_after_enter = dialog.IsModal();
        Type(dialog, Qt::Key_Escape);
    });
    EXPECT_TRUE(editing);
    EXPECT_TRUE(open_after_enter) << "moving and renaming does not choose the profile";
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_EQ(asked_[0], std::make_pair(2, std::u16string(u"Evening")));
    EXPECT_EQ(result, 2);
    EXPECT_TRUE(dialog.Renamed());
    dialog.DestroyWindow();
}

TEST_F(ProfileListKeysTest, EscapeInTheEditKeepsTheNameAndTheDialog) {
    ui::ProfileDlg dialog(main_.GetSafeHwnd(), 1);
    Open(dialog);
    bool open_after_cancel = false;
    RunModal(dialog, [&] {
        EditNext(dialog);
        if (QLineEdit* edit = InPlaceEdit(dialog)) {
            edit->setText(QStringLiteral("Never stored"));
        }
        Type(dialog, Qt::Key_Escape);
        Pump(20);
        open_after_cancel = dialog.IsModal() && InPlaceEdit(dialog) == nullptr;
        Type(dialog, Qt::Key_Escape);
    });
    EXPECT_TRUE(open_after_cancel);
    EXPECT_TRUE(asked_.empty());
    EXPECT_EQ(ItemText(dialog, 1), u"Profile 2");
    EXPECT_FALSE(dialog.Renamed());
    dialog.DestroyWindow();
}

TEST_F(ProfileListKeysTest, ARefusedNameIsToldAndTheOldNameShownAgain) {
    refusal_ = text::kProfileNameEmpty;
    ui::ProfileDlg dialog(main_.GetSafeHwnd(), 1);
    Open(dialog);
    std::u16string told;
    bool open_after_refusal = false;
    RunModal(dialog, [&] {
        // The refusal's box runs modally over the list; answer it from
        // inside its own run.
        QTimer::singleShot(200, [&] {
            auto& toolkit = DUI::Toolkit::Get();
            const DUI::WindowHandle box =
                toolkit.FindWindow(DUI::MWindow::kClassName, CUIMessageBox::kTitle);
            if (DUI::MWindow* window = toolkit.WindowFromHandle(box)) {
                for (DUI::MControl* control : static_cast<DUI::MDialog*>(window)->Controls()) {
                    if (auto* text = dynamic_cast<DUI::MControlFont*>(control)) {
                        told += text->GetTitle();
                    }
                }
                Type(*window, Qt::Key_Escape);
            }
        });
        EditNext(dialog);
        if (QLineEdit* edit = InPlaceEdit(dialog)) {
            edit->setText(QStringLiteral("   "));
        }
        Type(dialog, Qt::Key_Return);
        open_after_refusal = dialog.IsModal();
        Type(dialog, Qt::Key_Escape);
    });
    ASSERT_EQ(asked_.size(), 1u);
    EXPECT_NE(told.find(LoadLanguageString(text::kProfileNameEmpty)), std::u16string::npos);
    EXPECT_TRUE(open_after_refusal) << "the box does not close the list";
    EXPECT_EQ(ItemText(dialog, 1), u"Profile 2");
    EXPECT_FALSE(dialog.Renamed());
    dialog.DestroyWindow();
}

}  // namespace
}  // namespace tessaly::qt
