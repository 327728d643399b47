#include "emulator/emulated_devices.h"

namespace tessaly::emulator {

EmulatedDevices::EmulatedDevices(VirtualMouseConfig config)
    : backend_(std::make_shared<MemoryHidBackend>()),
      mouse_(std::make_unique<VirtualMouse>(backend_, std::move(config))),
      previous_(SetHidBackend(backend_)) {}

EmulatedDevices::~EmulatedDevices() {
    SetHidBackend(std::move(previous_));
    // Interfaces still open keep the backend alive; the mouse goes first so
    // that they fail instead of reaching its firmware.
    mouse_.reset();
}

}  // namespace tessaly::emulator
