#pragma once
// `--emulate`: the virtual mice of one or more models, on the real clock, as
// the process's HID backend for as long as this object lives.

#include <memory>
#include <vector>

#include "device/hid_backend.h"
#include "device/hid_backend_memory.h"
#include "emulator/virtual_mouse.h"

namespace tessaly::emulator {

class EmulatedDevices {
  public:
    // The links marked plugged in each config are present from the start.
    // The configs' names must differ.
    explicit EmulatedDevices(VirtualMouseConfig config);
    explicit EmulatedDevices(std::vector<VirtualMouseConfig> configs);
    ~EmulatedDevices();
    EmulatedDevices(const EmulatedDevices&) = delete;
    EmulatedDevices& operator=(const EmulatedDevices&) = delete;

    // In the order of the configs.
    VirtualMouse& Mouse(size_t index = 0) { return *mice_.at(index); }
    size_t MouseCount() const { return mice_.size(); }

  private:
    std::shared_ptr<MemoryHidBackend> backend_;
    std::vector<std::unique_ptr<VirtualMouse>> mice_;
    std::shared_ptr<HidBackend> previous_;
};

}  // namespace tessaly::emulator
