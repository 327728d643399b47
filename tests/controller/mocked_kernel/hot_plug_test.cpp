// The whole program on the mocked kernel: hidapi discovery, the full read
// over hidraw and hot-plug through the real udev monitor, with the window
// following the mouse.

#include <set>

#include "controller/worker_fixture.h"
#include "mocked_kernel/mocked_mouse.h"

namespace tessaly::test {
namespace {

using emulator::MouseLink;

std::u16string Text(int number) {
    return LoadLanguageString(number);
}

class MockedProgram : public WorkerTest {
  protected:
    MockedProgram() { SetHidBackend(nullptr); }  // hidapi, as in the shipped program
    ~MockedProgram() override {
        // The window and its worker go before the devices they hold open.
        if (dlg) {
            dlg->CloseWindow();
            dlg.reset();
        }
        controller.reset();
    }
    // Before Open: the monitor the controller starts must find the testbed.
    void Attach(bool cable, bool receiver) {
        kernel = std::make_unique<MockedMouse>(MockedWirelessMouse(cable, receiver));
    }
    std::set<uint8_t> CommandsReceived(MouseLink link) const {
        std::set<uint8_t> commands;
        for (const auto& report : kernel->Received(link, emulator::kConfigInterface))
            commands.insert(report[1]);
        return commands;
    }

    std::unique_ptr<MockedMouse> kernel;
};

TEST_F(MockedProgram, TheFullReadGoesOverHidraw) {
    Attach(true, false);
    Open();
    ASSERT_TRUE(Connected());
    EXPECT_EQ(Title(44), Text(51));
    EXPECT_EQ(Stored(1, u"dpi_count"), u"4");
    EXPECT_EQ(Stored(1, u"dpi_group0_value"), u"800");
    const std::set<uint8_t> reads = {0x10, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17};
    const auto received = CommandsReceived(MouseLink::kCable);
    EXPECT_TRUE(std::includes(received.begin(), received.end(), reads.begin(), reads.end()));
}

TEST_F(MockedProgram, AMousePresentAtStartAndThenPulledIsShownGone) {
    Attach(true, false);
    Open();
    ASSERT_TRUE(Connected());
    ASSERT_TRUE(kernel->Unplug(MouseLink::kCable));
    EXPECT_TRUE(
        WaitFor([&] { return !dlg->Device().device_present.load() && Title(44) == Text(50); }));
}

TEST_F(MockedProgram, APluggedCableConnects) {
    Attach(false, false);
    Open();
    ASSERT_TRUE(Settled());
    EXPECT_FALSE(dlg->Device().device_present.load());
    ASSERT_TRUE(kernel->Plug(MouseLink::kCable));
    ASSERT_TRUE(Connected());
    EXPECT_EQ(Title(44), Text(51));
}

TEST_F(MockedProgram, TheReceiverPluggedAgainConnectsAgain) {
    Attach(false, true);
    Open();
    ASSERT_TRUE(Connected());
    EXPECT_EQ(Title(44), Text(52));
    ASSERT_TRUE(kernel->Unplug(MouseLink::kReceiver));
    ASSERT_TRUE(
        WaitFor([&] { return !dlg->Device().device_present.load() && Title(44) == Text(50); }));
    ASSERT_TRUE(Settled());
    ASSERT_TRUE(kernel->Plug(MouseLink::kReceiver));
    EXPECT_TRUE(
        WaitFor([&] { return dlg->Device().device_online.load() && Title(44) == Text(52); }));
}

}  // namespace
}  // namespace tessaly::test
