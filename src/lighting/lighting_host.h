#pragma once
// What the lighting page needs from the controller that owns it. The
// controller's wiring implements it; tests use a recording fake.

#include <cstdint>
#include <string_view>

#include "app/device_state.h"

namespace tessaly {

class LightingHost {
  public:
    virtual ~LightingHost() = default;

    // The profile whose lighting rows are shown and edited.
    virtual int CurrentProfile() const = 0;
    // Appends a device task. Any thread.
    virtual void QueueTask(int32_t code) = 0;
    // The wait dialog after a write was queued. UI thread.
    virtual void ShowSaveWait() = 0;
    // 1 for the first button, 2 for the second. UI thread.
    virtual int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                               uint32_t buttons) = 0;
    // Holds the effect last known to run on the mouse.
    virtual DeviceState& Device() = 0;
};

}  // namespace tessaly
