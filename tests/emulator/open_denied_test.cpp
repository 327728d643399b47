// Discovery on nodes the user may not open: the mouse is remembered as
// present but unopened, with the reason, until access is given.

#include <gtest/gtest.h>

#include "device/device_manager.h"
#include "virtual_mouse_fixture.h"

namespace tessaly::emulator::test {
namespace {

TEST(OpenDenied, DiscoveryKeepsWhatItCouldNotOpenAndWhy) {
    VirtualMouseRig rig;  // cable and receiver
    ScopedHidBackend scoped(rig.backend);
    DeviceManager manager;
    manager.SetPause([](std::chrono::milliseconds) {});
    manager.AddIdentity({kVendor, kCableProduct, 3, 0, u"TM01"});
    manager.AddIdentity({kVendor, kReceiverProduct, 3, 1, u"TM01"});

    rig.backend->SetOpenDenied(true);
    manager.EnumerateDevice();
    EXPECT_TRUE(manager.Entries().empty());
    // Only the configuration interfaces are opened, so only they are listed.
    ASSERT_EQ(manager.Unopened().size(), 2u);
    for (const UnopenedInterface& entry : manager.Unopened()) {
        EXPECT_TRUE(entry.denied);
        EXPECT_EQ(entry.error, "Permission denied");
        EXPECT_EQ(entry.vendor_id, kVendor);
        EXPECT_EQ(entry.path,
                  rig.mouse->Path(
                      entry.product_id == kCableProduct ? MouseLink::kCable : MouseLink::kReceiver,
                      kConfigInterface));
    }
    EXPECT_NE(manager.Unopened()[0].product_id, manager.Unopened()[1].product_id);
    EXPECT_TRUE(rig.backend->LastOpenDenied());

    // Access given (the rule installed, the mouse plugged in again).
    rig.backend->SetOpenDenied(false);
    manager.EnumerateDevice();
    EXPECT_EQ(manager.Entries().size(), 2u);
    EXPECT_TRUE(manager.Unopened().empty());
    EXPECT_FALSE(rig.backend->LastOpenDenied());
    manager.CloseAll();
}

TEST(OpenDenied, AnUnknownPathIsNotADenial) {
    VirtualMouseRig rig;
    rig.backend->SetOpenDenied(true);
    EXPECT_EQ(rig.backend->Open("mem:nothing"), nullptr);
    EXPECT_FALSE(rig.backend->LastOpenDenied());
    EXPECT_EQ(rig.backend->LastOpenError(), "no such device");
}

}  // namespace
}  // namespace tessaly::emulator::test
