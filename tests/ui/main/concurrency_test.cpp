#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "base/task.h"
#include "controller_fixture.h"
#include "ui/ids/information_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/controls/static_controls.h"

namespace tessaly::ui::test {
namespace {

using ControllerConcurrency = ControllerFixture;

// A second thread, standing in for the worker, changes controls and the task
// list while the UI thread handles events and drains posted messages.
TEST_F(ControllerConcurrency, WorkerUpdatesWhileUiHandlesEvents) {
    Open();
    std::atomic<int> passes{0};
    std::atomic<int> taken{0};
    // No worker runs under this fixture; this thread stands in for it.
    auto* state = DUI::HeadlessBackend::FindAs<DUI::CDeviceState>(*dlg, 44);
    auto* battery = DUI::HeadlessBackend::FindAs<DUI::BatteryCtrl>(*dlg, 43);
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        int i = 0;
        while (!stop.load()) {
            state->SetTitle(i % 2 ? u"a" : u"b");
            battery->SetBatteryInfo(i % 100, i % 2);
            dlg->QueueTask(kTaskWriteDpiStages);
            if (tasks.TakeFront()) {
                taken.fetch_add(1);
            }
            DUI::Toolkit::Get().PostMessage(dlg->GetSafeHwnd(), kWmDownloadProgress, 0, i);
            ++i;
            passes.fetch_add(1);
        }
    });
    // Keep handling events until the worker has really run alongside; on a
    // loaded machine it may not get a core during the first rounds.
    int rounds = 0;
    for (int round = 0; (round < 300 || passes.load() < 50) && round < 200000; ++round, ++rounds) {
        dlg->QueueTask(kTaskWriteButtonTable);
        dlg->OnMessage(main_id::kTabs, 2, round % 2 ? 2 : 0, 0);
        dlg->OnMessage(main_id::kSettings, 2, 0, 0);
        dlg->ReturnFromSettings();
        session.ProcessPending();
        (void)state->GetTitle();
    }
    stop = true;
    worker.join();
    session.ProcessPending();
    EXPECT_GE(passes.load(), 50);
    // Every append is either still queued or was taken exactly once.
    EXPECT_EQ(static_cast<int>(tasks.Size()) + taken.load(), 2 + rounds + passes.load());
}

// The worker sets a status text that a change of language rebuilds; texts
// re-applied on the UI thread never replace a newer one with an older one.
TEST_F(ControllerConcurrency, WorkerStatusTextsWhileTheLanguageIsApplied) {
    Open();
    auto* status = dynamic_cast<DUI::MControlFont*>(
        FindInPage(*dlg, dlg->information_page, information_id::kMouseStatus));
    ASSERT_NE(status, nullptr);
    auto text_of = [](int i) {
        const std::string digits = std::to_string(i);
        return std::u16string(digits.begin(), digits.end());
    };
    std::atomic<int> last{-1};
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        for (int i = 0; !stop.load(); ++i) {
            dlg->localised_texts.SetTitle(status, [i, text_of] { return text_of(i); });
            last.store(i);
        }
    });
    for (int round = 0; (round < 50 || last.load() < 50) && round < 20000; ++round) {
        dlg->OnWindowMessage(kWmApplyLanguage, 0, 0);
    }
    stop = true;
    worker.join();
    EXPECT_EQ(status->GetTitle(), text_of(last.load())) << "the newest text stays";
    dlg->OnWindowMessage(kWmApplyLanguage, 0, 0);
    EXPECT_EQ(status->GetTitle(), text_of(last.load()));
}

}  // namespace
}  // namespace tessaly::ui::test
