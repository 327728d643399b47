#include <gtest/gtest.h>

#include <memory>
#include <thread>

#include "numbered_language.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/dpi_msg_dlg.h"
#include "ui/dialogs/message_box.h"
#include "ui/dialogs/save_wait_dlg.h"
#include "ui/dialogs/update_process_dlg.h"
#include "ui/dialogs/update_tip_dlg.h"
#include "ui/ids/about_box_ids.h"
#include "ui/ids/message_box_ids.h"
#include "ui/ids/popup_ids.h"
#include "ui/toolkit/dui.h"

namespace tessaly {
namespace {

using namespace DUI;
using H = HeadlessBackend;
using test::NumberedLanguage;

class CommonDialogsTest : public ::testing::Test {
  protected:
    NumberedLanguage language;
    HeadlessSession session;
};

template <typename T>
std::u16string TitleOf(const MDialog& dialog, int id, int nth = 0) {
    auto* control = H::FindAs<T>(dialog, id, nth);
    return control != nullptr ? control->GetTitle() : u"<missing>";
}

TEST_F(CommonDialogsTest, MessageBoxReturnsTheButtonPressed) {
    struct Case {
        uint32_t buttons;
        int click;
        int expected;
        std::vector<std::u16string> texts;
    };
    const Case cases[] = {
        {kMessageBoxOk, message_box_id::kFirstButton, 1, {u"Title", u"Message", u"T20"}},
        {kMessageBoxConfirm,
         message_box_id::kFirstButton,
         1,
         {u"Title", u"Message", u"T23", u"T25"}},
        {kMessageBoxConfirm,
         message_box_id::kSecondButton,
         2,
         {u"Title", u"Message", u"T23", u"T25"}},
    };
    for (const Case& c : cases) {
        session.backend().SetModalPolicy([&c](MWindow& window) {
            auto& box = static_cast<MDialog&>(window);
            EXPECT_TRUE(box.IsTopMost());
            EXPECT_EQ(box.GetExStyle(), kWsExToolWindow);
            EXPECT_TRUE(H::Click(box, c.click));
            return ModalAnswer::None();
        });
        EXPECT_EQ(ShowMessageBox(u"Message", nullptr, u"Title", c.buttons), c.expected);
        auto runs = session.backend().ModalRuns();
        ASSERT_FALSE(runs.empty());
        EXPECT_EQ(runs.back().title, u"MessageBox");
        EXPECT_EQ(runs.back().texts, c.texts);
    }
    EXPECT_EQ(Toolkit::Get().FindWindow("MWindow", u"MessageBox"), 0u) << "destroyed on return";
}

TEST_F(CommonDialogsTest, MessageBoxButtonBandAndOtherSets) {
    session.backend().SetModalPolicy([](MWindow& window) {
        auto& box = static_cast<MDialog&>(window);
        EXPECT_EQ(box.GetWindowRect().Width(), 430);
        EXPECT_EQ(H::Find(box, message_box_id::kFirstButton)->GetRect(), (Rect{95, 180, 195, 216}));
        EXPECT_EQ(H::Find(box, message_box_id::kSecondButton)->GetRect(),
                  (Rect{235, 180, 335, 216}));
        EXPECT_EQ(H::Find(box, message_box_id::kSecondButton)->GetStyle(), 8);
        return ModalAnswer::SecondButton();
    });
    EXPECT_EQ(ShowMessageBox(u"m", nullptr, u"t", kMessageBoxConfirm), 2);

    session.backend().SetModalPolicy([](MWindow& window) {
        EXPECT_EQ(H::Find(static_cast<MDialog&>(window), 33), nullptr) << "set 1 has no button";
        // Closing the popups when the mouse goes away.
        Toolkit::Get().PostMessage(window.GetSafeHwnd(), kWmClose, 2, 0);
        return ModalAnswer::None();
    });
    EXPECT_EQ(ShowMessageBox(u"m", nullptr, u"t", 1), 2);
}

TEST_F(CommonDialogsTest, AboutNamesEachVersionOnceAndClosesWithItsButton) {
    {
        // Nothing connected: the firmware lines say so rather than "v0.0".
        AboutDlg none(AboutVersions{u"1.0.1", u"", u""});
        ASSERT_TRUE(none.Open(nullptr));
        EXPECT_EQ(TitleOf<MText>(none, about_id::kMouseFirmware), u"T551: -");
        EXPECT_EQ(TitleOf<MText>(none, about_id::kReceiverFirmware), u"T552: -");
        none.DestroyWindow();
    }
    AboutDlg about(AboutVersions{u"1.0.1", u"107", u"100"});
    ASSERT_TRUE(about.Open(nullptr));
    EXPECT_EQ(about.GetTitle(), u"About Window");
    EXPECT_EQ(about.GetPaintManager().GetBackColor1() >> 24, 0xFFu) << "opaque";
    EXPECT_EQ(TitleOf<MText>(about, about_id::kVersion), u"T17: v1.0.1");
    EXPECT_EQ(TitleOf<MText>(about, about_id::kMouseFirmware), u"T551: V1.07");
    EXPECT_EQ(TitleOf<MText>(about, about_id::kReceiverFirmware), u"T552: V1.00");
    EXPECT_EQ(TitleOf<MText>(about, about_id::kCopyright), u"T2");
    EXPECT_EQ(H::Find(about, about_id::kClose)->GetRect(), (Rect{460, 15, 479, 34}));
    EXPECT_EQ(H::Find(about, about_id::kClose)->GetTooltip(), u"T5");
    EXPECT_EQ(H::Find(about, about_id::kLogo)->GetRect(), (Rect{120, 80, 380, 120}));
    session.backend().SetModalPolicy([](MWindow& window) {
        EXPECT_TRUE(H::Click(static_cast<MDialog&>(window), 30));
        return ModalAnswer::None();
    });
    EXPECT_EQ(about.ShowModal(kSwShow), 1);
}

TEST_F(CommonDialogsTest, WaitDialogStaysTwoSecondsAfterTheLastShow) {
    std::unique_ptr<SaveWaitDlg> wait;
    EXPECT_EQ(ShowSaveWait(wait, nullptr, false), 0);
    EXPECT_EQ(wait, nullptr) << "save tips off: nothing is created";

    ASSERT_EQ(ShowSaveWait(wait, nullptr, true), 1);
    ASSERT_NE(wait, nullptr);
    SaveWaitDlg* first = wait.get();
    EXPECT_TRUE(wait->IsVisible());
    EXPECT_EQ(TitleOf<MText>(*wait, save_wait_id::kText), u"T630");
    auto* bar = H::FindAs<MProgress2>(*wait, save_wait_id::kProgress);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->IsRunning());

    session.AdvanceTime(1000);
    ASSERT_EQ(ShowSaveWait(wait, nullptr, true), 1);
    EXPECT_EQ(wait.get(), first) << "created once";
    session.AdvanceTime(1999);
    EXPECT_TRUE(wait->IsVisible()) << "2 s after the second show have not passed";
    session.AdvanceTime(1);
    EXPECT_FALSE(wait->IsVisible());
    EXPECT_FALSE(wait->HasTimer(SaveWaitDlg::kHideTimer));

    ASSERT_EQ(ShowSaveWait(wait, nullptr, true), 1);
    EXPECT_TRUE(wait->IsVisible()) << "shown again after hiding";
}

TEST_F(CommonDialogsTest, WaitDialogAnimatesWhileShown) {
    std::unique_ptr<SaveWaitDlg> wait;
    ASSERT_EQ(ShowSaveWait(wait, nullptr, true), 1);
    auto* bar = H::FindAs<MProgress2>(*wait, save_wait_id::kProgress);
    int phase = bar->GetAnimationPhase();
    session.AdvanceTime(20);
    EXPECT_NE(bar->GetAnimationPhase(), phase);
}

TEST_F(CommonDialogsTest, DpiPopupSitsInTheWorkAreaCorner) {
    session.backend().SetWorkArea({0, 0, 1600, 860});
    DPIMsgDlg popup;
    ASSERT_TRUE(popup.Open(nullptr));
    EXPECT_FALSE(popup.IsVisible()) << "no value yet";
    EXPECT_TRUE(popup.IsTopMost());
    session.backend().SetWorkArea({100, 0, 1920, 1040});
    ShowDpiPopup(&popup, 3200);
    EXPECT_EQ(popup.GetWindowRect(), (Rect{1618, 908, 1918, 1038}));
    EXPECT_TRUE(popup.IsVisible());
    EXPECT_EQ(popup.LastValue(), 3200);
    EXPECT_EQ(TitleOf<MText>(popup, dpi_notice_id::kValue), u"3200");
    EXPECT_EQ(TitleOf<MText>(popup, dpi_notice_id::kUnit), u"DPI");
    EXPECT_EQ(H::FindAs<MProgress>(popup, dpi_notice_id::kProgress)->GetProgress(), 3200);

    ShowDpiPopup(&popup, 26000);
    EXPECT_EQ(H::FindAs<MProgress>(popup, dpi_notice_id::kProgress)->GetProgress(), 16000)
        << "a full bar";
    session.AdvanceTime(2000);
    EXPECT_FALSE(popup.IsVisible());

    ShowDpiPopup(&popup, 800);
    EXPECT_TRUE(H::Click(popup, dpi_notice_id::kClose));
    EXPECT_FALSE(popup.IsVisible()) << "close button hides";
}

TEST_F(CommonDialogsTest, DpiPopupFromTheWorkerThread) {
    DPIMsgDlg popup;
    ASSERT_TRUE(popup.Open(nullptr));
    std::thread([&] { ShowDpiPopup(&popup, 1200); }).join();
    EXPECT_TRUE(popup.IsVisible());
    session.AdvanceTime(2000);
    EXPECT_FALSE(popup.IsVisible());
    popup.CloseWindow();
    ShowDpiPopup(&popup, 5000);  // a closed popup ignores it
    EXPECT_EQ(popup.LastValue(), 1200);
    ShowDpiPopup(nullptr, 5000);
}

TEST_F(CommonDialogsTest, DownloadProgressUntilClosed) {
    UpdateProcessDlg dialog;
    ASSERT_TRUE(dialog.Open(nullptr));
    EXPECT_EQ(dialog.GetExStyle(), kWsExToolWindow);
    EXPECT_EQ(dialog.GetBKImage(), u"img_area_content.png");
    std::thread([&] { dialog.SetDownloadProgress(42); }).join();
    EXPECT_EQ(TitleOf<MText>(dialog, update_progress_id::kStatus), u"T590: 42%");
    EXPECT_EQ(H::FindAs<MProgress>(dialog, update_progress_id::kProgress)->GetProgress(), 42);
    dialog.CloseWindow();
    dialog.SetDownloadProgress(90);
    EXPECT_EQ(TitleOf<MText>(dialog, update_progress_id::kStatus), u"T590: 42%");
}

TEST_F(CommonDialogsTest, UpgradeProgressUsesTheSecondText) {
    UpdateTipDlg dialog;
    ASSERT_TRUE(dialog.Open(nullptr));
    EXPECT_EQ(TitleOf<MText>(dialog, update_tip_id::kText, 0), u"T596");
    EXPECT_EQ(TitleOf<MText>(dialog, update_tip_id::kText, 1), u"升级中");
    dialog.SetUpgradeProgress(7, u"Upgrading");
    EXPECT_EQ(TitleOf<MText>(dialog, update_tip_id::kText, 0), u"T596");
    EXPECT_EQ(TitleOf<MText>(dialog, update_tip_id::kText, 1), u"Upgrading: 7%");
    EXPECT_EQ(H::FindAs<MProgress>(dialog, update_tip_id::kProgress)->GetProgress(), 7);
    dialog.CloseWindow();
    dialog.SetUpgradeProgress(100, u"Done");
    EXPECT_EQ(TitleOf<MText>(dialog, update_tip_id::kText, 1), u"Upgrading: 7%");
}

}  // namespace
}  // namespace tessaly
