// Interface names built from what udev records of a hidraw device.

#include "platform/device_notifications.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

// Recorded from a composite mouse: three hidraw nodes of one USB device.
UdevHidProperties Recorded(const std::string& node, const std::string& interface_number) {
    return {node, "0003:00001A2B:00000A01", "usb-0000:00:14.0-3/input" + interface_number,
            "0" + interface_number};
}

TEST(InterfaceName, HasTheWindowsFormWithTheNodeKept) {
    EXPECT_EQ(BuildInterfaceName(Recorded("/dev/hidraw5", "2")),
              "\\\\?\\HID#VID_1A2B&PID_0A01&MI_02#/dev/hidraw5#"
              "{4d1e55b2-f16f-11cf-88cb-001111000030}");
}

TEST(InterfaceName, InterfaceNumberFromPhysWhenThereIsNoUsbParentAttribute) {
    UdevHidProperties properties = Recorded("/dev/hidraw1", "1");
    properties.interface_number.clear();
    EXPECT_EQ(BuildInterfaceName(properties),
              FormatHidInterfaceName(0x1A2B, 0x0A01, 1, "/dev/hidraw1"));
}

TEST(InterfaceName, NoInterfaceNumberLeavesTheMiPartOut) {
    // A Bluetooth device: HID_PHYS is an address, and there is no USB parent.
    const UdevHidProperties bluetooth{"/dev/hidraw9", "0005:0000046D:0000B01A", "a0:b1:c2:d3:e4:f5",
                                      ""};
    const auto name = BuildInterfaceName(bluetooth);
    ASSERT_TRUE(name);
    EXPECT_EQ(name->find("&MI_"), std::string::npos);
    EXPECT_NE(name->find("VID_046D&PID_B01A#"), std::string::npos);
}

TEST(InterfaceName, SmallIdsKeepFourDigits) {
    UdevHidProperties properties{"/dev/hidraw2", "0003:00000001:00000FA0", "", "02"};
    const auto name = BuildInterfaceName(properties);
    ASSERT_TRUE(name);
    EXPECT_NE(name->find("VID_0001&PID_0FA0&MI_02"), std::string::npos);
}

TEST(InterfaceName, UnreadableHidIdGivesNoName) {
    EXPECT_FALSE(BuildInterfaceName({"/dev/hidraw2", "", "", "02"}));
    EXPECT_FALSE(BuildInterfaceName({"/dev/hidraw2", "garbage", "", "02"}));
    EXPECT_FALSE(BuildInterfaceName({"/dev/hidraw2", "0003:123456:0001", "", "02"}));
    EXPECT_FALSE(BuildInterfaceName({"", "0003:00001A2B:00000A01", "", "02"}));
}

TEST(InterfaceName, NodeIsRecoveredFromTheName) {
    const auto name = FormatHidInterfaceName(0x1A2B, 0x0A01, 2, "virtual:m:cable:2");
    EXPECT_EQ(HidNodeOfInterfaceName(name), "virtual:m:cable:2");
    EXPECT_EQ(HidNodeOfInterfaceName("/dev/hidraw3"), "/dev/hidraw3");
    EXPECT_EQ(HidNodeOfInterfaceName("\\\\?\\HID#broken"), "\\\\?\\HID#broken");
}

TEST(InterfaceNameCache, RemovalUsesTheDetailsCachedOnArrival) {
    InterfaceNameCache cache;
    const auto added = cache.OnArrival(Recorded("/dev/hidraw5", "2"));
    ASSERT_TRUE(added);
    // On removal the parent is gone: only the node is left.
    const UdevHidProperties gone{"/dev/hidraw5", "", "", ""};
    EXPECT_EQ(cache.OnRemoval(gone), added);
    EXPECT_FALSE(cache.OnRemoval(gone)) << "forgotten after its removal";
}

TEST(DeviceNotificationMonitor, StartsOnSomeSourceOrNotAtAll) {
    auto monitor = DeviceNotificationMonitor::Start([](HidChange, const std::string&) {});
    if (!monitor)
        GTEST_SKIP() << "no netlink socket in this environment";
    EXPECT_TRUE(monitor->Source() == "udev" || monitor->Source() == "kernel");
    monitor.reset();  // its thread must stop at once, or the test hangs
}

}  // namespace
}  // namespace tessaly
