#include <gtest/gtest.h>

#include <thread>

#include "recording_dialog.h"

namespace tessaly::DUI::test {
namespace {

class WindowTest : public ::testing::Test {
  protected:
    HeadlessSession session;
};

TEST_F(WindowTest, CreateRegistersAndBuildsOnce) {
    RecordingDialog dialog;
    EXPECT_EQ(dialog.GetSafeHwnd(), 0u);
    ASSERT_TRUE(dialog.Open({10, 20, 410, 320}, u"About Window"));
    EXPECT_NE(dialog.GetSafeHwnd(), 0u);
    EXPECT_EQ(dialog.init_ui_calls, 1);
    EXPECT_TRUE(dialog.IsVisible());  // kWsVisible in the style
    EXPECT_EQ(dialog.GetClientRect(), (Rect{0, 0, 400, 300}));
    EXPECT_EQ(dialog.ClientToScreen({5, 6}), (Point{15, 26}));
    EXPECT_FALSE(dialog.Open()) << "a second Create must fail";
    EXPECT_EQ(Toolkit::Get().FindWindow("MWindow", u"About Window"), dialog.GetSafeHwnd());
    EXPECT_EQ(Toolkit::Get().FindWindow("MWindow", u"Other"), 0u);

    dialog.DestroyWindow();
    EXPECT_EQ(dialog.destroy_calls, 1);
    EXPECT_EQ(dialog.GetSafeHwnd(), 0u);
    EXPECT_EQ(Toolkit::Get().FindWindow("MWindow", u"About Window"), 0u);
}

TEST_F(WindowTest, HiddenStyleStartsHidden) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr, u"T", kWsPopup, kWsExToolWindow, {0, 0, 10, 10}));
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_FALSE(dialog.ShowWindow(kSwShow));
    EXPECT_TRUE(dialog.IsVisible());
    EXPECT_TRUE(Toolkit::Get().ShowWindow(dialog.GetSafeHwnd(), kSwHide));
    EXPECT_FALSE(dialog.IsVisible());
}

// A message box: button 33 ends with DoOK, 34 with DoCancel.
class TwoButtonBox : public RecordingDialog {
  public:
    TwoButtonBox() {
        build = [](RecordingDialog& d, Rect) {
            d.CreateControl("MButton", 33, {10, 10, 60, 40}, u"OK");
            d.CreateControl("MButton", 34, {70, 10, 120, 40}, u"Cancel");
        };
    }
    int OnMessage(int id, int event, intptr_t param, intptr_t extra) override {
        RecordingDialog::OnMessage(id, event, param, extra);
        if (event == kEventActivated && id == 33) {
            DoOK();
        } else if (event == kEventActivated && id == 34) {
            DoCancel();
        }
        return 1;
    }
};

TEST_F(WindowTest, ShowModalReturnsTheButtonPressed) {
    for (int button : {33, 34}) {
        session.backend().SetModalPolicy([button](MWindow& window) {
            EXPECT_TRUE(HeadlessBackend::Click(static_cast<MDialog&>(window), button));
            return ModalAnswer::None();
        });
        TwoButtonBox box;
        ASSERT_TRUE(box.Open({0, 0, 430, 230}, u"MessageBox"));
        EXPECT_EQ(box.ShowModal(1), button == 33 ? 1 : 2);
        EXPECT_FALSE(box.IsVisible());
    }
    auto runs = session.backend().ModalRuns();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].title, u"MessageBox");
    EXPECT_EQ(runs[0].texts, (std::vector<std::u16string>{u"OK", u"Cancel"}));
    EXPECT_EQ(runs[1].result, 2);
}

TEST_F(WindowTest, ModalAnswersByPolicy) {
    TwoButtonBox box;
    ASSERT_TRUE(box.Open());
    session.backend().SetModalAnswer(ModalAnswer::SecondButton());
    EXPECT_EQ(box.ShowModal(kSwShow), 2);
    session.backend().SetModalAnswer(ModalAnswer::Value(7));
    EXPECT_EQ(box.ShowModal(kSwShow), 7);
    // Closing destroys the window (default CloseWindow); nothing chose a result.
    session.backend().SetModalAnswer(ModalAnswer::Close());
    EXPECT_EQ(box.ShowModal(kSwShow), 0);
    EXPECT_FALSE(box.IsCreated());
    EXPECT_EQ(box.ShowModal(kSwShow), -1) << "a destroyed window cannot run";
}

TEST_F(WindowTest, CloseMessageCarriesTheModalResult) {
    TwoButtonBox box;
    ASSERT_TRUE(box.Open({0, 0, 430, 230}, u"MessageBox"));
    session.backend().SetModalPolicy([](MWindow&) {
        // What closing the popups does when the mouse goes away.
        WindowHandle found = Toolkit::Get().FindWindow("MWindow", u"MessageBox");
        EXPECT_TRUE(Toolkit::Get().PostMessage(found, kWmClose, 2, 0));
        return ModalAnswer::None();
    });
    EXPECT_EQ(box.ShowModal(1), 2);
    EXPECT_FALSE(box.IsCreated());
}

TEST_F(WindowTest, ShowModalOffTheUiThreadIsRefused) {
    TwoButtonBox box;
    ASSERT_TRUE(box.Open());
    int result = 0;
    std::thread([&] { result = box.ShowModal(1); }).join();
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(session.backend().ModalRuns().empty());
}

TEST_F(WindowTest, TimersRepeatUntilKilled) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Open());
    dialog.SetTimer(200, 2000);
    dialog.SetTimer(100, 500);
    session.AdvanceTime(1999);
    EXPECT_EQ(dialog.timers, (std::vector<uint32_t>{100, 100, 100}));
    session.AdvanceTime(1);  // both due at 2000, in the order they were set
    EXPECT_EQ(dialog.timers, (std::vector<uint32_t>{100, 100, 100, 200, 100}));
    dialog.KillTimer(100);
    EXPECT_FALSE(dialog.HasTimer(100));
    EXPECT_TRUE(dialog.HasTimer(200));
    dialog.timers.clear();
    session.AdvanceTime(4000);
    EXPECT_EQ(dialog.timers, (std::vector<uint32_t>{200, 200}));
}

TEST_F(WindowTest, RestartingATimerStartsItsIntervalAgain) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Open());
    dialog.SetTimer(200, 2000);
    session.AdvanceTime(1000);
    dialog.SetTimer(200, 2000);  // ShowSaveWait again one second later
    session.AdvanceTime(1999);
    EXPECT_TRUE(dialog.timers.empty());
    session.AdvanceTime(1);
    EXPECT_EQ(dialog.timers.size(), 1u);
}

TEST_F(WindowTest, DestroyKillsTimersAndDropsPostedMessages) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Open());
    WindowHandle handle = dialog.GetSafeHwnd();
    dialog.SetTimer(1, 10);
    EXPECT_TRUE(Toolkit::Get().PostMessage(handle, 1692, 1, 1));
    dialog.DestroyWindow();
    session.AdvanceTime(100);
    EXPECT_TRUE(dialog.messages.empty());
    EXPECT_TRUE(dialog.timers.empty());
    EXPECT_FALSE(Toolkit::Get().PostMessage(handle, 1692, 1, 1));
}

TEST_F(WindowTest, PostedMessagesArriveInOrderOnTheUiThread) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Open());
    WindowHandle handle = dialog.GetSafeHwnd();
    std::thread([handle] {
        Toolkit::Get().PostMessage(handle, 1694, 0, 10);
        Toolkit::Get().PostMessage(handle, 1694, 0, 20);
    }).join();
    EXPECT_TRUE(dialog.messages.empty()) << "nothing runs before the loop does";
    EXPECT_EQ(session.ProcessPending(), 2);
    EXPECT_EQ(dialog.messages, (std::vector<WindowMessage>{{1694, 0, 10}, {1694, 0, 20}}));
}

TEST_F(WindowTest, ResizeLaysOutAgain) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Open({0, 0, 1300, 788}));
    dialog.MoveWindow({100, 100, 1400, 888});  // same size: no layout
    session.ProcessPending();
    EXPECT_TRUE(dialog.layouts.empty());
    dialog.MoveWindow({0, 0, 650, 394});
    session.ProcessPending();
    EXPECT_EQ(dialog.layouts, (std::vector<Rect>{{0, 0, 650, 394}}));

    Toolkit::Get().DeliverResize(dialog.GetSafeHwnd(), {1300, 788}, true);
    EXPECT_TRUE(dialog.IsZoomed());
    EXPECT_EQ(dialog.layouts.back(), (Rect{0, 0, 1300, 788}));
}

TEST_F(WindowTest, PlacementFollowsTheWorkArea) {
    session.backend().SetWorkArea({0, 0, 1000, 800});
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Open({0, 0, 300, 130}));
    dialog.CenterWindow();
    EXPECT_EQ(dialog.GetWindowRect(), (Rect{350, 335, 650, 465}));
    dialog.SetWindowPos(kHwndTopMost, 0, 0, 0, 0, kSwpNoMove | kSwpNoSize);
    EXPECT_TRUE(dialog.IsTopMost());
    EXPECT_EQ(dialog.GetWindowRect(), (Rect{350, 335, 650, 465}));
    dialog.ShowWindow(kSwHide);
    dialog.SetWindowPos(kHwndTop, 698, 668, 0, 0, kSwpNoSize | kSwpShowWindow);
    EXPECT_EQ(dialog.GetWindowRect(), (Rect{698, 668, 998, 798}));
    EXPECT_TRUE(dialog.IsVisible());
}

TEST_F(WindowTest, CentringKeepsTheWindowOnTheWorkArea) {
    session.backend().SetWorkArea({0, 24, 1366, 768});
    RecordingDialog owner;
    ASSERT_TRUE(owner.Open({1200, 600, 1360, 760}));
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Open({0, 0, 400, 300}));
    // Centred on an owner near the corner, it would hang off the screen.
    dialog.CenterWindow(&owner);
    EXPECT_EQ(dialog.GetWindowRect(), (Rect{966, 468, 1366, 768}));
    // Larger than the area: the caption stays reachable at its top-left.
    RecordingDialog large;
    ASSERT_TRUE(large.Open({0, 0, 1300, 788}));
    large.CenterWindow();
    EXPECT_EQ(large.GetWindowRect(), (Rect{33, 24, 1333, 812}));
}

TEST_F(WindowTest, ActivationReachesTheDialog) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Open());
    Toolkit::Get().DeliverActivate(dialog.GetSafeHwnd(), false);
    EXPECT_EQ(dialog.activations, (std::vector<bool>{false}));
}

TEST_F(WindowTest, MinimiseAndShowAgain) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Open());
    dialog.OnMinimize();
    EXPECT_TRUE(dialog.IsIconic());
    dialog.ShowWindow(kSwShowNormal);
    EXPECT_FALSE(dialog.IsIconic());
}

// One timer handler killing another timer that is due at the same moment.
class KillingDialog : public RecordingDialog {
  public:
    void OnTimer(uint32_t id) override {
        RecordingDialog::OnTimer(id);
        if (id == 1) {
            KillTimer(2);
        }
    }
};

TEST_F(WindowTest, AKilledTimerDoesNotFireLate) {
    KillingDialog dialog;
    ASSERT_TRUE(dialog.Open());
    dialog.SetTimer(1, 100);
    dialog.SetTimer(2, 100);
    session.AdvanceTime(100);
    EXPECT_EQ(dialog.timers, (std::vector<uint32_t>{1}));
}

TEST_F(WindowTest, ModalRunsNest) {
    TwoButtonBox outer;
    TwoButtonBox inner;
    ASSERT_TRUE(outer.Open({0, 0, 10, 10}, u"Outer"));
    ASSERT_TRUE(inner.Open({0, 0, 10, 10}, u"Inner"));
    session.backend().SetModalPolicy([&](MWindow& window) {
        if (&window == &outer) {
            EXPECT_EQ(inner.ShowModal(kSwShow), 2);
            return ModalAnswer::FirstButton();
        }
        return ModalAnswer::SecondButton();
    });
    EXPECT_EQ(outer.ShowModal(kSwShow), 1);
    auto runs = session.backend().ModalRuns();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].title, u"Inner");
    EXPECT_EQ(runs[1].title, u"Outer");
}

TEST_F(WindowTest, HiddenModalRunStillRuns) {
    // The main window started with "-hide": ShowModal with 0.
    TwoButtonBox main;
    ASSERT_TRUE(main.Open());
    session.backend().SetModalPolicy([](MWindow& window) {
        EXPECT_FALSE(window.IsVisible());
        EXPECT_TRUE(window.IsModal());
        window.DestroyWindow();
        return ModalAnswer::None();
    });
    EXPECT_EQ(main.ShowModal(kSwHide), 0);
    EXPECT_FALSE(main.IsModal());
}

TEST_F(WindowTest, LayoutForAWorkerMoveRunsOnTheUiThread) {
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Open({0, 0, 300, 130}));
    std::thread([&] { dialog.MoveWindow({0, 0, 302, 132}); }).join();
    EXPECT_TRUE(dialog.layouts.empty());
    session.ProcessPending();
    EXPECT_EQ(dialog.layouts, (std::vector<Rect>{{0, 0, 302, 132}}));
}

}  // namespace
}  // namespace tessaly::DUI::test
