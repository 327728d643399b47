// What the desktop sees of the program's windows: the titles the window
// manager and task bar show, and which windows are flagged modal.

#include <gtest/gtest.h>

#include <QTimer>
#include <string>

#include "app/language_state.h"
#include "base/unicode.h"
#include "platform/folders.h"
#include "qt/qt_test_app.h"
#include "ui/dialogs/dpi_msg_dlg.h"
#include "ui/dialogs/save_wait_dlg.h"
#include "ui/localisation/language_strings.h"
#include "ui/toolkit/dialog.h"

namespace tessaly::qt {
namespace {

using test::PumpUntil;
using test::QtSession;

// The shipped language files, English chosen.
class ShippedEnglish {
  public:
    ShippedEnglish() {
        SetProgramFolderOverride(FromUtf8(std::string(TESSALY_BINARY_DIR) + "/"));
        SetCurrentLcid(1033);
        ReloadLanguageFiles();
    }
    ~ShippedEnglish() {
        SetProgramFolderOverride(u"");
        ReloadLanguageFiles();
    }
};

class DesktopWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(main_.Create(nullptr, u"Tessaly", DUI::kDialogStyle, 0, {0, 0, 600, 400}));
        main_.ShowWindow(DUI::kSwShow);
    }
    void TearDown() override { main_.DestroyWindow(); }

    QWidget* WidgetOf(const DUI::MWindow& window) {
        session_.backend().Flush();
        return session_.backend().WindowWidgetOf(window.GetSafeHwnd());
    }

    ShippedEnglish language_;
    QtSession session_;
    DUI::MDialog main_;
};

TEST_F(DesktopWindowsTest, DialogsShowAReadableTitleAndAreStillFoundByTheirOwn) {
    SaveWaitDlg saving;
    DPIMsgDlg dpi;
    ASSERT_TRUE(saving.Open(&main_));
    ASSERT_TRUE(dpi.Open(&main_));
    QWidget* saving_widget = WidgetOf(saving);
    QWidget* dpi_widget = WidgetOf(dpi);
    ASSERT_NE(saving_widget, nullptr);
    ASSERT_NE(dpi_widget, nullptr);

    EXPECT_EQ(saving_widget->windowTitle(), QStringLiteral("Saving settings – Tessaly"));
    EXPECT_EQ(dpi_widget->windowTitle(), QStringLiteral("DPI – Tessaly"));
    // The popups are closed by looking them up under the toolkit's titles.
    auto& toolkit = DUI::Toolkit::Get();
    EXPECT_EQ(toolkit.FindWindow(DUI::MWindow::kClassName, SaveWaitDlg::kTitle),
              saving.GetSafeHwnd());
    EXPECT_EQ(toolkit.FindWindow(DUI::MWindow::kClassName, DPIMsgDlg::kTitle), dpi.GetSafeHwnd());
    // A window the table does not know keeps its title.
    EXPECT_EQ(WidgetOf(main_)->windowTitle(), QStringLiteral("Tessaly"));

    saving.DestroyWindow();
    dpi.DestroyWindow();
}

TEST_F(DesktopWindowsTest, TitlesFollowTheLanguage) {
    SetCurrentLcid(1049);
    ReloadLanguageFiles();
    SaveWaitDlg saving;
    ASSERT_TRUE(saving.Open(&main_));
    QWidget* widget = WidgetOf(saving);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->windowTitle(), QStringLiteral("Сохранение настроек – Tessaly"));
    saving.DestroyWindow();
}

// Runs the window modally and notes its modality while the run lasts.
Qt::WindowModality ModalityDuringRun(QtBackend& backend, DUI::MWindow& window) {
    Qt::WindowModality seen = Qt::NonModal;
    bool looked = false;
    QTimer::singleShot(50, [&] {
        if (QWidget* widget = backend.WindowWidgetOf(window.GetSafeHwnd())) {
            seen = widget->windowModality();
            looked = true;
        }
        window.EndModal(1);
    });
    window.ShowModal(DUI::kSwShowNormal);
    EXPECT_TRUE(looked);
    return seen;
}

TEST_F(DesktopWindowsTest, OnlyOwnedWindowsAreFlaggedModal) {
    EXPECT_EQ(ModalityDuringRun(session_.backend(), main_), Qt::NonModal);

    DUI::MDialog owned;
    ASSERT_TRUE(owned.Create(&main_, u"RecordEditDlg", DUI::kDialogStyle, 0, {0, 0, 200, 100}));
    EXPECT_EQ(ModalityDuringRun(session_.backend(), owned), Qt::WindowModal);
    owned.DestroyWindow();
}

}  // namespace
}  // namespace tessaly::qt
