#pragma once
// What profile switching, the profile dialog and profile files need from
// the controller. The controller's wiring implements it; tests use a fake.

#include <cstdint>
#include <string_view>

#include "app/device_state.h"

namespace tessaly {

class ProfilesHost {
  public:
    virtual ~ProfilesHost() = default;

    // The profile every page shows and edits.
    virtual int CurrentProfile() const = 0;
    virtual void SetCurrentProfile(int profile) = 0;
    // Appends a device task. Any thread.
    virtual void QueueTask(int32_t code) = 0;
    // The main window's profile name control shows the current profile.
    virtual void ShowProfileName() = 0;
    // At least one supported mouse is connected.
    virtual bool DevicePresent() const = 0;
    // 1 for the first button, 2 for the second. UI thread.
    virtual int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                               uint32_t buttons) = 0;
    // What is known of the connected mouse: imported values are held to it.
    virtual DeviceState& Device() = 0;
};

}  // namespace tessaly
