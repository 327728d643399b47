// The udev monitor on the mocked kernel: umockdev's uevents reach it through
// the source it picks (the kernel's, where no udev daemon runs), and every
// arrival and removal of the mouse's interfaces is named as Windows would.

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "mocked_kernel/mocked_mouse.h"
#include "platform/device_notifications.h"

namespace tessaly::test {
namespace {

using emulator::MouseLink;

class MockedMonitor : public ::testing::Test {
  protected:
    void StartMonitor() {
        monitor =
            DeviceNotificationMonitor::Start([this](HidChange change, const std::string& name) {
                std::lock_guard guard(lock);
                events.push_back((change == HidChange::kArrival ? "+" : "-") + name);
                arrived.notify_all();
            });
        ASSERT_TRUE(monitor);
    }
    // The events once `count` have come (or after twenty seconds: a loaded
    // machine running sanitised builds can be slow).
    std::vector<std::string> Events(size_t count) {
        std::unique_lock guard(lock);
        arrived.wait_for(guard, std::chrono::seconds(20), [&] { return events.size() >= count; });
        return events;
    }
    static std::string Name(char sign, uint16_t product, int interface_number, int node) {
        return sign + FormatHidInterfaceName(kMockedVendor, product, interface_number,
                                             "/dev/hidraw" + std::to_string(node));
    }

    std::unique_ptr<MockedMouse> mouse;
    std::mutex lock;
    std::condition_variable arrived;
    std::vector<std::string> events;
    std::unique_ptr<DeviceNotificationMonitor> monitor;
};

TEST_F(MockedMonitor, APluggedCableAnnouncesItsThreeInterfaces) {
    // The testbed first: a monitor opened before it listens to the real kernel.
    mouse = std::make_unique<MockedMouse>(MockedWirelessMouse(false, false));
    StartMonitor();
    mouse->Plug(MouseLink::kCable);
    const std::vector<std::string> expected = {Name('+', kMockedCableProduct, 0, 0),
                                               Name('+', kMockedCableProduct, 1, 1),
                                               Name('+', kMockedCableProduct, 2, 2)};
    EXPECT_EQ(Events(3), expected);
}

TEST_F(MockedMonitor, AMousePresentBeforeTheMonitorStartedIsAnnouncedWhenItGoes) {
    mouse = std::make_unique<MockedMouse>(MockedWirelessMouse(true, false));
    StartMonitor();
    mouse->Unplug(MouseLink::kCable);
    const std::vector<std::string> expected = {Name('-', kMockedCableProduct, 0, 0),
                                               Name('-', kMockedCableProduct, 1, 1),
                                               Name('-', kMockedCableProduct, 2, 2)};
    EXPECT_EQ(Events(3), expected);
}

TEST_F(MockedMonitor, AReceiverPluggedAgainIsAnnouncedOnItsNodesAgain) {
    mouse = std::make_unique<MockedMouse>(MockedWirelessMouse(true, true));
    StartMonitor();
    // Each step waits for its news as a hand would: an arrival read after the
    // node is gone again has no parents left to be named by.
    mouse->Unplug(MouseLink::kReceiver);
    ASSERT_EQ(Events(3).size(), 3u);
    mouse->Plug(MouseLink::kReceiver);
    ASSERT_EQ(Events(6).size(), 6u);
    mouse->Unplug(MouseLink::kReceiver);
    const auto got = Events(9);
    ASSERT_EQ(got.size(), 9u);
    // The receiver had nodes 3 to 5 and gets them back.
    EXPECT_EQ(got[2], Name('-', kMockedReceiverProduct, 2, 5));
    EXPECT_EQ(got[5], Name('+', kMockedReceiverProduct, 2, 5));
    EXPECT_EQ(got[8], Name('-', kMockedReceiverProduct, 2, 5));
}

}  // namespace
}  // namespace tessaly::test
