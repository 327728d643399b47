#pragma once
// The device side of a run as the command line asks for it: the HID traffic
// trace, and the virtual mouse in place of real devices (`--emulate`), which
// mimics the first wireless model of the catalogue.

#include <memory>
#include <optional>
#include <string>

#include "app/command_line.h"
#include "emulator/emulated_devices.h"

namespace tessaly {

// The virtual mouse for the catalogue's first model with both a cable and a
// receiver identity (or its first model), or for the model of `device_type`,
// from config.xml in the program folder; nothing when the catalogue has no
// such model.
std::optional<emulator::VirtualMouseConfig> EmulatedModelConfig(
    const std::u16string& config_path, std::optional<int> device_type = std::nullopt);

class DeviceSession {
  public:
    // `emulated_type` picks the catalogue model the virtual mouse mimics.
    explicit DeviceSession(const CommandLine& line,
                           std::optional<int> emulated_type = std::nullopt);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Empty when everything asked for is in place.
    const std::string& Error() const { return error_; }
    emulator::VirtualMouse* Mouse() { return emulated_ ? &emulated_->Mouse() : nullptr; }

  private:
    std::string error_;
    bool tracing_ = false;
    std::unique_ptr<emulator::EmulatedDevices> emulated_;
};

}  // namespace tessaly
