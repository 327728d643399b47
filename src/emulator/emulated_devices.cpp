#include "emulator/emulated_devices.h"

#include <cstdlib>
#include <string_view>

namespace tessaly::emulator {
namespace {

std::vector<VirtualMouseConfig> One(VirtualMouseConfig config) {
    std::vector<VirtualMouseConfig> configs;
    configs.push_back(std::move(config));
    return configs;
}

}  // namespace

EmulatedDevices::EmulatedDevices(VirtualMouseConfig config)
    : EmulatedDevices(One(std::move(config))) {}

EmulatedDevices::EmulatedDevices(std::vector<VirtualMouseConfig> configs)
    : backend_(std::make_shared<MemoryHidBackend>()) {
    for (VirtualMouseConfig& config : configs) {
        mice_.push_back(std::make_unique<VirtualMouse>(backend_, std::move(config)));
    }
    previous_ = SetHidBackend(backend_);
    // TESSALY_EMULATE_NO_ACCESS=1: the virtual mouse's nodes refuse the user as
    // hidraw nodes do without the udev rule, so that path runs without root.
    const char* no_access = std::getenv("TESSALY_EMULATE_NO_ACCESS");
    if (no_access != nullptr && std::string_view(no_access) == "1")
        backend_->SetOpenDenied(true);
}

EmulatedDevices::~EmulatedDevices() {
    SetHidBackend(std::move(previous_));
    // Interfaces still open keep the backend alive; the mice go first so
    // that they fail instead of reaching their firmware.
    mice_.clear();
}

}  // namespace tessaly::emulator
