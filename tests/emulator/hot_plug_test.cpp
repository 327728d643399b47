// Plugging the virtual mouse reaches UpdateUSBDevice through the same event
// path as udev, and queues the tasks a real composite mouse would.

#include <gtest/gtest.h>

#include "device/usb_device_update.h"
#include "virtual_mouse_fixture.h"

namespace tessaly::emulator::test {
namespace {

class VirtualHotPlug : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = SetDeviceChangeHandler([this](DeviceChangeKind kind, const std::string& name) {
            UsbDeviceContext context{identities_, device_present_};
            if (auto task = UpdateUSBDevice(kind, name, context))
                tasks_.push_back(*task);
        });
    }
    void TearDown() override { SetDeviceChangeHandler(previous_); }

    VirtualMouseRig rig_{TestConfig(false, false)};
    ScopedHidBackend scoped_{rig_.backend};
    std::vector<IdentityRecord> identities_ = {{kVendor, kCableProduct, 3, 0, u"TM01"},
                                               {kVendor, kReceiverProduct, 3, 1, u"TM01"}};
    bool device_present_ = true;
    std::vector<int> tasks_;
    DeviceChangeHandler previous_;
};

TEST_F(VirtualHotPlug, CableInAndOutQueuesTasks2And3Once) {
    rig_.mouse->Plug(MouseLink::kCable);
    EXPECT_EQ(tasks_, std::vector<int>{kTaskDeviceArrived});
    rig_.mouse->Unplug(MouseLink::kCable);
    EXPECT_EQ(tasks_, (std::vector<int>{kTaskDeviceArrived, kTaskDeviceRemoved}));
}

TEST_F(VirtualHotPlug, ReceiverWithTheOtherConfigurationFormToo) {
    VirtualMouseConfig config = TestConfig(false, false);
    config.name = "other";
    config.vendor_collection = false;
    VirtualMouse other(rig_.backend, config);
    other.Plug(MouseLink::kReceiver);
    EXPECT_EQ(tasks_, std::vector<int>{kTaskDeviceArrived});
    device_present_ = false;
    other.Unplug(MouseLink::kReceiver);
    EXPECT_EQ(tasks_, std::vector<int>{kTaskDeviceArrived}) << "nothing to remove";
}

}  // namespace
}  // namespace tessaly::emulator::test
