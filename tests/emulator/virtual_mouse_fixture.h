#pragma once
// A virtual mouse on a manual clock, so that read time-outs cost no time.

#include <memory>
#include <string>

#include "device/hid_backend_memory.h"
#include "device/hid_transport.h"
#include "emulator/virtual_mouse.h"

namespace tessaly::emulator::test {

inline constexpr uint16_t kVendor = 0x1A2B;
inline constexpr uint16_t kCableProduct = 0x0A01;
inline constexpr uint16_t kReceiverProduct = 0x0FA0;

inline VirtualMouseConfig TestConfig(bool cable = true, bool receiver = true) {
    VirtualMouseConfig config;
    config.cable = {kVendor, kCableProduct, 0x0105, cable};
    config.receiver = {kVendor, kReceiverProduct, 0x0100, receiver};
    return config;
}

struct VirtualMouseRig {
    std::shared_ptr<ManualHidClock> clock = std::make_shared<ManualHidClock>();
    std::shared_ptr<MemoryHidBackend> backend = std::make_shared<MemoryHidBackend>(clock);
    std::unique_ptr<VirtualMouse> mouse;

    explicit VirtualMouseRig(VirtualMouseConfig config = TestConfig())
        : mouse(std::make_unique<VirtualMouse>(backend, std::move(config))) {}

    std::unique_ptr<HidInterface> Open(MouseLink link, int interface_number = kConfigInterface) {
        const std::string path = mouse->Path(link, interface_number);
        auto connection = backend->Open(path);
        if (!connection)
            return nullptr;
        return std::make_unique<HidInterface>(backend, std::move(connection), path);
    }
};

}  // namespace tessaly::emulator::test
