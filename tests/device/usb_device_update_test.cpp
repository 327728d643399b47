// Hot-plug announcements turned into tasks, with interface names built from
// recorded udev properties and the arrival test answered by the backend.

#include "device/usb_device_update.h"

#include <gtest/gtest.h>

#include "device/hid_backend_memory.h"
#include "platform/device_notifications.h"

namespace tessaly {
namespace {

// The three hidraw nodes of a composite mouse 1A2B:0A01 and what udev
// recorded for each: pointer, upgrade, configuration.
struct Collection {
    std::string node;
    int interface_number;
    uint16_t usage_page;
    uint16_t usage;
};
const Collection kComposite[] = {
    {"/dev/hidraw4", 0, 0x0001, 0x0002},
    {"/dev/hidraw5", 1, kUpgradeUsagePage, kUpgradeUsage},
    {"/dev/hidraw6", 2, kConfigVendorUsagePage, kConfigVendorUsage},
};

UdevHidProperties Recorded(const Collection& c, const std::string& hid_id) {
    const std::string number = std::to_string(c.interface_number);
    return {c.node, hid_id, "usb-0000:00:14.0-2/input" + number, "0" + number};
}

class UsbDeviceUpdateTest : public ::testing::Test {
  protected:
    void Plug(uint16_t vendor, uint16_t product) {
        for (const auto& c : kComposite) {
            backend_->AddDevice(
                {{c.node, vendor, product, 0x100, c.usage_page, c.usage, c.interface_number}});
        }
    }
    std::vector<std::string> Names(const std::string& hid_id) const {
        std::vector<std::string> names;
        for (const auto& c : kComposite)
            names.push_back(*BuildInterfaceName(Recorded(c, hid_id)));
        return names;
    }
    std::vector<int> Tasks(DeviceChangeKind kind, const std::vector<std::string>& names) const {
        std::vector<int> tasks;
        for (const auto& name : names) {
            if (auto task = UpdateUSBDevice(kind, name, context_))
                tasks.push_back(*task);
        }
        return tasks;
    }

    std::shared_ptr<MemoryHidBackend> backend_ = std::make_shared<MemoryHidBackend>();
    ScopedHidBackend scoped_{backend_};
    std::vector<IdentityRecord> identities_ = {{0x1A2B, 0x0A01, 3, 0, u"TM01"},
                                               {0x1A2B, 0x0FA0, 3, 1, u"TM01"}};
    UsbDeviceContext context_{identities_, true};
};

TEST_F(UsbDeviceUpdateTest, CompositeArrivalQueuesTask2Once) {
    Plug(0x1A2B, 0x0A01);
    EXPECT_EQ(Tasks(DeviceChangeKind::kArrival, Names("0003:00001A2B:00000A01")),
              std::vector<int>{kTaskDeviceArrived});
}

TEST_F(UsbDeviceUpdateTest, CompositeRemovalQueuesTask3OnlyForInterface2) {
    EXPECT_EQ(Tasks(DeviceChangeKind::kRemoval, Names("0003:00001A2B:00000A01")),
              std::vector<int>{kTaskDeviceRemoved});
}

TEST_F(UsbDeviceUpdateTest, RemovalWhileNoDeviceIsPresentIsIgnored) {
    context_.device_present = false;
    EXPECT_TRUE(Tasks(DeviceChangeKind::kRemoval, Names("0003:00001A2B:00000A01")).empty());
}

TEST_F(UsbDeviceUpdateTest, LowerCasePathsMatch) {
    Plug(0x1A2B, 0x0A01);
    // As Windows writes them; the arrival test still gets the path as received.
    const std::string lower =
        "\\\\?\\hid#vid_1a2b&pid_0a01&mi_02#/dev/hidraw6#"
        "{4d1e55b2-f16f-11cf-88cb-001111000030}";
    EXPECT_EQ(UpdateUSBDevice(DeviceChangeKind::kArrival, lower, context_), kTaskDeviceArrived);
    EXPECT_EQ(UpdateUSBDevice(DeviceChangeKind::kRemoval, lower, context_), kTaskDeviceRemoved);
}

TEST_F(UsbDeviceUpdateTest, ProductIdBelow0x1000MatchesItsFourDigitForm) {
    Plug(0x1A2B, 0x0FA0);
    const auto names = Names("0003:00001A2B:00000FA0");
    EXPECT_NE(names[2].find("PID_0FA0"), std::string::npos);
    EXPECT_EQ(Tasks(DeviceChangeKind::kArrival, names), std::vector<int>{kTaskDeviceArrived});
}

TEST_F(UsbDeviceUpdateTest, ForeignDeviceQueuesNothing) {
    Plug(0x046D, 0xC077);
    const auto names = Names("0003:0000046D:0000C077");
    EXPECT_TRUE(Tasks(DeviceChangeKind::kArrival, names).empty());
    EXPECT_TRUE(Tasks(DeviceChangeKind::kRemoval, names).empty());
}

TEST_F(UsbDeviceUpdateTest, FirstMatchingIdentityDecidesTheArrival) {
    // An earlier identity that matches by substring ends the search even when
    // the interface is not a configuration interface.
    context_.is_configuration = [](const std::string& path) { return path == "/dev/hidraw6"; };
    const auto names = Names("0003:00001A2B:00000A01");
    EXPECT_EQ(UpdateUSBDevice(DeviceChangeKind::kArrival, names[0], context_), std::nullopt);
    EXPECT_EQ(UpdateUSBDevice(DeviceChangeKind::kArrival, names[2], context_), kTaskDeviceArrived);
}

}  // namespace
}  // namespace tessaly
