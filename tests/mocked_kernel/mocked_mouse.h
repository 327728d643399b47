#pragma once
// The virtual mouse on the mocked kernel: its cable (port 1) and receiver
// (port 2) are USB devices whose hidraw nodes carry every report to and from
// the virtual mouse's own firmware, on the real clock. Nothing else changes
// the process's HID backend: the program under test goes through hidapi.

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "device/hid_backend_memory.h"
#include "emulator/virtual_mouse.h"
#include "mocked_kernel/hidraw_testbed.h"

namespace tessaly::test {

class MockedMouse {
  public:
    // The links marked plugged are there from the start (announced to
    // whoever listens already, as umockdev adds every device with a uevent).
    explicit MockedMouse(emulator::VirtualMouseConfig config);
    ~MockedMouse();
    MockedMouse(const MockedMouse&) = delete;
    MockedMouse& operator=(const MockedMouse&) = delete;

    // A plug is announced by its uevents; an unplug too with `announce`.
    // False when the link is in that state already.
    bool Plug(emulator::MouseLink link);
    bool Unplug(emulator::MouseLink link, bool announce = true);

    emulator::VirtualMouse& Mouse() { return *mouse_; }
    HidrawTestbed& Testbed() { return testbed_; }
    // The node of an interface of a plugged link; null when unplugged.
    std::shared_ptr<HidrawNode> Node(emulator::MouseLink link, int interface_number) const;
    // What the firmware side of an interface received, report ID first.
    std::vector<std::vector<uint8_t>> Received(emulator::MouseLink link,
                                               int interface_number) const;

  private:
    // Carries one interface's reports between its node and the virtual mouse.
    struct Bridge {
        std::shared_ptr<HidrawNode> node;
        std::unique_ptr<HidConnection> connection;
        std::atomic<bool> stop{false};
        std::thread pump;
    };
    static int Port(emulator::MouseLink link);
    void PlugKernelSide(emulator::MouseLink link);
    void StopBridges(emulator::MouseLink link);

    const emulator::VirtualMouseConfig config_;
    HidrawTestbed testbed_;
    std::shared_ptr<MemoryHidBackend> backend_ = std::make_shared<MemoryHidBackend>();
    std::unique_ptr<emulator::VirtualMouse> mouse_;
    std::vector<std::unique_ptr<Bridge>> bridges_[2];
};

}  // namespace tessaly::test

namespace tessaly::test {

// The shipped wireless model (type 1007) as the mocked kernel shows it.
inline constexpr uint16_t kMockedVendor = 0x1A2B;
inline constexpr uint16_t kMockedCableProduct = 0x7001;
inline constexpr uint16_t kMockedReceiverProduct = 0x7002;

inline emulator::VirtualMouseConfig MockedWirelessMouse(bool cable, bool receiver) {
    emulator::VirtualMouseConfig config;
    config.name = "mocked";
    config.cable = {kMockedVendor, kMockedCableProduct, emulator::kFirmwareRelease, cable};
    config.receiver = {kMockedVendor, kMockedReceiverProduct, emulator::kFirmwareRelease, receiver};
    config.identity.device_id = {'T', 'X', '7', 'W'};
    config.identity.sensor_code = 17;
    return config;
}

}  // namespace tessaly::test
