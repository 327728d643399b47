// A firmware image written to the mouse's loader through the upgrade
// interface's hidraw node, as task 27 writes it.

#include <gtest/gtest.h>

#include "device/device_manager.h"
#include "device/hid_backend_hidapi.h"
#include "mocked_kernel/mocked_mouse.h"
#include "support/temp_dir.h"
#include "update/firmware_upgrade.h"

namespace tessaly::test {
namespace {

using emulator::MouseLink;

TEST(MockedUpgrade, TheImageReachesTheLoaderWholeOverHidraw) {
    ScopedHidBackend hidapi(std::make_shared<HidapiBackend>());
    MockedMouse mouse(MockedWirelessMouse(true, false));
    DeviceManager devices;
    devices.AddIdentity({kMockedVendor, kMockedCableProduct, 1007, 0, u"TX7W"});
    devices.EnumerateDevice();
    devices.SetOpened(true);
    devices.SetSelectedType(1007);
    ASSERT_TRUE(devices.CurrentInterface());
    HidInterface* upgrade = OpenUpgradeInterface(devices);
    ASSERT_TRUE(upgrade);
    EXPECT_EQ(upgrade->Path(),
              mouse.Node(MouseLink::kCable, emulator::kUpgradeInterface)->DevNode());

    TempDir dir;
    std::string image(1000, '\0');
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>(i * 37 + 11);
    const auto path = dir.Write("firmware.bin", image);
    UpgradeEnvironment environment;
    environment.sleep = [](int) {};
    environment.progress = [](int, int) {};
    EXPECT_EQ(UpgradeFirmware(devices, path.string(), environment), UpgradeOutcome::kComplete);

    const auto loader = mouse.Mouse().Loader(MouseLink::kCable);
    EXPECT_TRUE(loader.Started());
    EXPECT_TRUE(loader.Finished());
    EXPECT_TRUE(loader.Contiguous());
    EXPECT_EQ(loader.Errors(), 0);
    const auto received = loader.Image();
    ASSERT_GE(received.size(), image.size());
    EXPECT_EQ(std::string(received.begin(), received.begin() + image.size()), image);
    for (const auto& report : mouse.Received(MouseLink::kCable, emulator::kUpgradeInterface)) {
        EXPECT_EQ(report.size(), 64u);
        EXPECT_EQ(report[0], 0x05);
    }
}

}  // namespace
}  // namespace tessaly::test
