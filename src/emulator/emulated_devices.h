#pragma once
// `--emulate`: the virtual mouse of one model, on the real clock, as the
// process's HID backend for as long as this object lives.

#include <memory>

#include "device/hid_backend.h"
#include "device/hid_backend_memory.h"
#include "emulator/virtual_mouse.h"

namespace tessaly::emulator {

class EmulatedDevices {
  public:
    // The links marked plugged in `config` are present from the start.
    explicit EmulatedDevices(VirtualMouseConfig config);
    ~EmulatedDevices();
    EmulatedDevices(const EmulatedDevices&) = delete;
    EmulatedDevices& operator=(const EmulatedDevices&) = delete;

    VirtualMouse& Mouse() { return *mouse_; }

  private:
    std::shared_ptr<MemoryHidBackend> backend_;
    std::unique_ptr<VirtualMouse> mouse_;
    std::shared_ptr<HidBackend> previous_;
};

}  // namespace tessaly::emulator
