#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "recording_dialog.h"

namespace tessaly::DUI::test {
namespace {

using H = HeadlessBackend;

// The device worker calls controls directly while the UI thread handles
// clicks, posted messages and timers.
TEST(ToolkitConcurrency, WorkerUpdatesWhileTheUiLoopRuns) {
    HeadlessSession session;
    session.backend().RecordChanges(true);
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Open({0, 0, 1300, 788}, u"Tessaly"));
    auto* caption = dialog.CreateControl<CDeviceState>(44, {25, 11, 125, 38});
    auto* bar = dialog.CreateControl<MProgress>(32, {10, 60, 340, 80});
    auto* devices = dialog.CreateControl<CDeviceList>(57, {200, 200, 1100, 688});
    auto* events = dialog.CreateControl<CRecordList>(166, {0, 0, 10, 10});
    auto* box = dialog.CreateControl<CCheckButton>(281, {0, 0, 10, 10});
    auto* field = dialog.CreateControl<MEdit>(93, {0, 0, 10, 10});
    devices->AddDevice(u"M1", 101, u"");
    dialog.SetMTimer(10);

    constexpr int kRounds = 2000;
    WindowHandle handle = dialog.GetSafeHwnd();
    std::atomic<bool> done{false};
    std::thread worker([&] {
        for (int i = 1; i <= kRounds; ++i) {
            caption->SetTitle(i % 2 == 0 ? u"text 51" : u"text 52");
            bar->SetProgress(i % 101);
            devices->SetDeviceState(101, i % 2, 1);
            devices->SetDeviceBattery(101, 1, i % 100);
            events->AddString(u"e", 1, i, static_cast<uint32_t>(i));
            field->OnFocus(i % 2);
            Toolkit::Get().PostMessage(handle, 1694, 0, i);
            if (i % 100 == 0) {
                dialog.SetTimer(100, 5);
                Toolkit::Get().FindWindow("MWindow", u"MessageBox");
            }
        }
        done = true;
    });
    int clicks = 0;
    while (!done.load()) {
        session.ProcessPending();
        if (H::Click(dialog, 281)) {
            ++clicks;
        }
        session.clock().Advance(1);
        (void)devices->GetOnlineDevCount();
        (void)caption->GetTitle();
    }
    worker.join();
    session.ProcessPending();

    // Every posted message arrived, in the order posted.
    std::vector<intptr_t> progress;
    for (const WindowMessage& message : dialog.messages) {
        progress.push_back(message.lparam);
    }
    ASSERT_EQ(progress.size(), static_cast<size_t>(kRounds));
    for (int i = 0; i < kRounds; ++i) {
        EXPECT_EQ(progress[i], i + 1);
    }
    EXPECT_EQ(events->GetEventCount(), kRounds);
    EXPECT_EQ(events->GetRecordInfo(kRounds - 1)->value, kRounds);
    EXPECT_EQ(caption->GetTitle(), u"text 51");
    EXPECT_EQ(box->GetCheck(), clicks % 2 == 1);

    // The backend heard of each record added, in order, interleaved with the rest.
    int added = 0;
    for (const ChangeRecord& change : session.backend().Changes()) {
        if (change.control == events && change.change == static_cast<int>(ControlChange::kItems)) {
            ++added;
        }
    }
    EXPECT_EQ(added, kRounds);
}

// Task 27 closes the progress dialog with DoOK from the worker while the UI
// thread sits in its modal run.
TEST(ToolkitConcurrency, WorkerEndsAModalRun) {
    HeadlessSession session;
    RecordingDialog tip;
    tip.build = [](RecordingDialog& d, Rect) {
        d.CreateControl<MProgress>(32, {20, 80, 371, 116});
    };
    ASSERT_TRUE(tip.Open({0, 0, 391, 130}, u"UpdateTipDlg"));
    auto* bar = tip.GetControlAs<MProgress>(32);
    std::thread worker;
    session.backend().SetModalPolicy([&](MWindow& window) {
        worker = std::thread([&] {
            for (int percent = 10; percent <= 100; percent += 10) {
                bar->SetProgress(percent);
            }
            tip.DoOK();
        });
        Toolkit::Get().RunUntil([&] { return window.IsModalEnded(); }, 5);
        return ModalAnswer::None();
    });
    EXPECT_EQ(tip.ShowModal(kSwShow), 1);
    worker.join();
    EXPECT_EQ(bar->GetProgress(), 100);
}

TEST(ToolkitConcurrency, BlockingLoopWakesForAPost) {
    HeadlessSession session;
    RecordingDialog dialog;
    ASSERT_TRUE(dialog.Open());
    WindowHandle handle = dialog.GetSafeHwnd();
    std::thread poster([handle] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        Toolkit::Get().PostMessage(handle, 1691, 0, 610);
    });
    Toolkit::Get().RunUntil([&] { return !dialog.messages.empty(); }, 1000);
    poster.join();
    EXPECT_EQ(dialog.messages.front(), (WindowMessage{1691, 0, 610}));
}

}  // namespace
}  // namespace tessaly::DUI::test
