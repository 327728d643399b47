#pragma once
// The device side of a run as the command line asks for it: the HID traffic
// trace, and the virtual mouse in place of real devices (`--emulate`), which
// mimics the first wireless model of the catalogue.

#include <memory>
#include <optional>
#include <string>
#include <vector>

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
    // `emulated_types` pick the catalogue models the virtual mice mimic, one
    // mouse each; none gives the one mouse of EmulatedModelConfig's choice.
    explicit DeviceSession(const CommandLine& line, std::vector<int> emulated_types = {});
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Empty when everything asked for is in place.
    const std::string& Error() const { return error_; }
    // The first mouse, or the one of the index-th emulated type.
    emulator::VirtualMouse* Mouse(size_t index = 0) {
        return emulated_ && index < emulated_->MouseCount() ? &emulated_->Mouse(index) : nullptr;
    }

  private:
    // The answer faults TESSALY_EMULATE_FAULTS asks for (answer_script_text.h).
    void ApplyFaults();

    std::string error_;
    bool tracing_ = false;
    std::unique_ptr<emulator::EmulatedDevices> emulated_;
};

}  // namespace tessaly
