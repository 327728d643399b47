// The worker, the UI loop and the virtual mouse at once: the UI thread
// queues DPI edits and switches stages while the mouse announces its own
// stage changes and battery. Run under ThreadSanitizer by scripts/tsan.sh.

#include <atomic>
#include <thread>

#include "performance/change_operations.h"
#include "worker_fixture.h"

namespace tessaly::test {
namespace {

using WorkerConcurrency = WorkerTest;

TEST_F(WorkerConcurrency, EditsAndNotificationsInterleave) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());

    std::atomic<bool> stop{false};
    std::thread mouse_thread([&] {
        for (int i = 0; !stop.load() && i < 200; ++i) {
            mouse->PressDpiButton();
            mouse->SetBattery(static_cast<uint8_t>(i % 100), i % 2 == 0, true);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    for (int i = 0; i < 40; ++i) {
        SetStageValueTyped(*controller, i % 4, IntToDecimal(400 + 100 * i));
        SelectStage(*controller, i % 4);
        session.ProcessPending();
    }
    stop.store(true);
    mouse_thread.join();
    ASSERT_TRUE(Settled());

    // Whatever the interleaving, the last edit of each stage reached the store.
    EXPECT_EQ(Stored(1, u"dpi_group3_value"), IntToDecimal(400 + 100 * 39));
    EXPECT_TRUE(dlg->device_online.load());
}

}  // namespace
}  // namespace tessaly::test
