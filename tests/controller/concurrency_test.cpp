// The worker, the UI loop and the virtual mouse at once: the UI thread
// queues DPI edits and switches stages while the mouse announces its own
// stage changes and battery, and reads the offered versions while the worker
// checks for them. Run under ThreadSanitizer by scripts/tsan.sh.

#include <atomic>
#include <thread>

#include "base/task.h"
#include "performance/change_operations.h"
#include "support/scoped_env.h"
#include "update/test_http_server.h"
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
        SetStageValueTyped(controller->Performance(), i % 4, IntToDecimal(400 + 100 * i));
        SelectStage(controller->Performance(), i % 4);
        session.ProcessPending();
    }
    stop.store(true);
    mouse_thread.join();
    ASSERT_TRUE(Settled());

    // Whatever the interleaving, the last edit of each stage reached the store.
    EXPECT_EQ(Stored(1, u"dpi_group3_value"), IntToDecimal(400 + 100 * 39));
    EXPECT_TRUE(dlg->Device().device_online.load());
}

TEST_F(WorkerConcurrency, VersionChecksWhileTheWindowReadsTheOffers) {
    ScopedEnv no_proxy{"http_proxy", std::nullopt};
    TestHttpServer server;
    ASSERT_TRUE(server.Running());
    {
        ScopedEnv off("TESSALY_NO_UPDATE_CHECK", "1");
        Plug(true, false);
        Open();
        ASSERT_TRUE(Connected());
    }
    // Versions equal to the installed ones: nothing is offered, so no box
    // waits for an answer while the checks run.
    const std::u16string device_version = controller->Device().DeviceVersion();
    ASSERT_FALSE(device_version.empty());
    server.Root().Write("version", ToUtf8(dlg->Update().software_version));
    std::filesystem::create_directories(server.Root().path() / "fw" / "mouse");
    server.Root().Write("fw/mouse/version", ToUtf8(device_version));
    dlg->Update().upgrade_address = FromUtf8(server.Address());
    dlg->Update().firmware_address = FromUtf8(server.Address() + "fw");

    ScopedEnv on("TESSALY_NO_UPDATE_CHECK", std::nullopt);
    constexpr int kChecks = 6;
    for (int i = 0; i < kChecks; ++i) {
        dlg->QueueTask(kTaskSoftwareCheck);
        dlg->QueueTask(kTaskFirmwareCheck);
    }
    // Each check empties the offer before it asks again: the reader sees
    // either nothing or the whole answer.
    int whole = 0;
    EXPECT_TRUE(WaitFor([&] {
        const std::u16string software = dlg->Update().new_software_version.Get();
        const std::u16string firmware = dlg->Update().new_firmware_version.Get();
        EXPECT_TRUE(software.empty() || software == dlg->Update().software_version)
            << ToUtf8(software);
        EXPECT_TRUE(firmware.empty() || firmware == device_version) << ToUtf8(firmware);
        whole += !software.empty();
        return controller->Tasks().Empty() && !controller->Worker()->Busy();
    }));
    EXPECT_EQ(dlg->Update().new_software_version.Get(), dlg->Update().software_version);
    EXPECT_EQ(dlg->Update().new_firmware_version.Get(), device_version);
    EXPECT_GT(whole, 0);
}

}  // namespace
}  // namespace tessaly::test
