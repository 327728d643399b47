// The device manager's queries over the entries of a discovery.

#include <gtest/gtest.h>

#include "device/commands/command_builders.h"
#include "device/device_manager.h"
#include "emulator/emulated_devices.h"
#include "virtual_mouse_fixture.h"

namespace tessaly::emulator::test {
namespace {

constexpr int kType = 3;

class DeviceManagerTest : public ::testing::Test {
  protected:
    DeviceManagerTest() {
        manager_.SetPause([](std::chrono::milliseconds) {});
        manager_.AddIdentity({kVendor, kCableProduct, kType, 0, u"TM01"});
        manager_.AddIdentity({kVendor, kReceiverProduct, kType, 1, u"TM01"});
        manager_.AddIdentity({kVendor, kReceiverProduct, 9, 1, u"ZZ00"});
    }
    void Discover() {
        manager_.EnumerateDevice();
        manager_.SetOpened(true);
    }

    VirtualMouseRig rig_;  // cable and receiver
    ScopedHidBackend scoped_{rig_.backend};
    DeviceManager manager_;
};

TEST_F(DeviceManagerTest, IdentityQueries) {
    EXPECT_TRUE(manager_.HasIdentity(kVendor, kReceiverProduct));
    EXPECT_FALSE(manager_.HasIdentity(kVendor, 0x1234));
    EXPECT_EQ(manager_.ModeOf(kVendor, kReceiverProduct), 1);
    EXPECT_EQ(manager_.ModeOf(kVendor, 0x1234), 0);
    EXPECT_EQ(manager_.TypeOf(kVendor, kReceiverProduct, u"ZZ00"), 9);
    manager_.ClearIdentities();
    EXPECT_FALSE(manager_.HasIdentity(kVendor, kCableProduct));
}

TEST_F(DeviceManagerTest, ListsFollowTheSelectedTypeAndState) {
    Discover();
    ASSERT_EQ(manager_.Entries().size(), 2u);
    EXPECT_EQ(manager_.ListOfSelected().size(), 2u) << "type 0 selects all";
    manager_.SetSelectedType(kType);
    EXPECT_EQ(manager_.ListOfSelected().size(), 1u) << "the receiver stayed unidentified";

    manager_.Entries()[0]->state = kStatePolledOffline;
    EXPECT_TRUE(manager_.OnlineOfSelected().empty());
    EXPECT_TRUE(manager_.IsTypeAvailable(kType)) << "state 2 is above 0";
    manager_.SetState(kType, 0, kStateOffline);
    EXPECT_FALSE(manager_.IsTypeAvailable(kType));
    manager_.SetState(kType, 0, kStateOnline);
    EXPECT_EQ(manager_.OnlineOfSelected().size(), 1u);
    EXPECT_FALSE(manager_.IsTypeAvailable(9));
}

TEST_F(DeviceManagerTest, VersionsByModeOnlyWhileOpened) {
    manager_.EnumerateDevice();
    EXPECT_FALSE(manager_.VersionByMode(0));
    manager_.SetOpened(true);
    EXPECT_EQ(manager_.VersionByMode(0), 0x0105u);
    EXPECT_EQ(manager_.VersionByMode(1), 0x0100u);
}

TEST_F(DeviceManagerTest, ChangingTheSelectedTypeDropsTheCachedInterface) {
    Discover();
    manager_.SetSelectedType(kType);
    ASSERT_NE(manager_.CurrentInterface(), nullptr);
    ASSERT_TRUE(manager_.CurrentIds());
    manager_.SetSelectedType(9);
    EXPECT_FALSE(manager_.CurrentIds());
    EXPECT_EQ(manager_.CurrentInterface(), nullptr);
    EXPECT_EQ(manager_.ConnectionKind(), -1);
}

TEST_F(DeviceManagerTest, RediscoveryReplacesTheEntriesAndTheirInterfaces) {
    Discover();
    manager_.SetSelectedType(kType);
    HidInterface* first = manager_.CurrentInterface();
    ASSERT_NE(first, nullptr);
    rig_.mouse->Unplug(MouseLink::kCable);
    manager_.CloseAll();
    Discover();
    ASSERT_EQ(manager_.Entries().size(), 1u);
    EXPECT_EQ(manager_.Entries()[0]->connection_mode, kConnectionReceiver);
    EXPECT_EQ(manager_.Entries()[0]->device_type, kType) << "no cable: the receiver is asked";
    EXPECT_EQ(manager_.ConnectionKind(), kConnectionReceiver);
    EXPECT_TRUE(manager_.Exchange(BuildReportRate(1)).ok());
}

TEST(EmulatedDevices, IsTheProcessBackendWhileItLives) {
    {
        EmulatedDevices emulated(TestConfig(true, false));
        const auto entries = EnumerateHidInterfaces();
        ASSERT_EQ(entries.size(), 3u);
        auto config = OpenHidInterface(emulated.Mouse().Path(MouseLink::kCable, kConfigInterface));
        ASSERT_TRUE(config);
        // The real clock: answers take the default 1 ms.
        EXPECT_TRUE(CommandExchange(config.get(), BuildReadRequest(Command::kReadIdentity)).ok());
    }
    for (const auto& entry : EnumerateHidInterfaces())
        EXPECT_NE(entry.path.rfind("virtual:", 0), 0u);
}

}  // namespace
}  // namespace tessaly::emulator::test
