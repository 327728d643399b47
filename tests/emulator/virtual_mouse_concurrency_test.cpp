// The virtual mouse on the real clock while a worker exchanges commands and
// another thread presses its button, switches it and plugs it.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "device/commands/command_builders.h"
#include "device/device_change_events.h"
#include "virtual_mouse_fixture.h"

namespace tessaly::emulator::test {
namespace {

TEST(VirtualMouseConcurrency, WorkerExchangesWhileTheMouseIsHandled) {
    auto backend = std::make_shared<MemoryHidBackend>();
    VirtualMouse mouse(backend, TestConfig(true, true));
    std::atomic<int> events{0};
    auto previous = SetDeviceChangeHandler([&](DeviceChangeKind, const std::string&) { ++events; });
    auto open = [&](MouseLink link) {
        const std::string path = mouse.Path(link, kConfigInterface);
        return std::make_unique<HidInterface>(backend, backend->Open(path), path);
    };
    auto receiver = open(MouseLink::kReceiver);
    std::atomic<int> answered{0};
    std::thread worker([&] {
        for (int i = 0; i < 40; ++i) {
            // A 0xC2 or 0xC0 report may take an answer's place; the exchange
            // then still finds the answer among its reads.
            if (CommandExchange(receiver.get(), BuildReportRate(static_cast<uint8_t>(i))).ok())
                ++answered;
        }
    });
    for (int i = 0; i < 20; ++i) {
        mouse.PressDpiButton();
        mouse.SetBattery(static_cast<uint8_t>(i), i % 2 == 0, true);
        if (i % 5 == 0) {
            mouse.Unplug(MouseLink::kCable);
            mouse.Plug(MouseLink::kCable);
        }
    }
    worker.join();
    SetDeviceChangeHandler(previous);
    EXPECT_EQ(answered.load(), 40);
    EXPECT_EQ(events.load(), 4 * 6);
}

}  // namespace
}  // namespace tessaly::emulator::test
