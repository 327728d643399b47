#pragma once
// What the performance settings need from the controller that owns them.
// The controller implements it; tests use a recording fake.

#include <cstdint>
#include <string>
#include <string_view>

#include "app/device_state.h"

namespace tessaly {

class PerformanceHost {
  public:
    virtual ~PerformanceHost() = default;

    // The profile whose settings are read and written.
    virtual int CurrentProfile() const = 0;
    // Appends a device task; the worker runs it later. Any thread.
    virtual void QueueTask(int32_t code) = 0;
    // The wait dialog after a write was queued (it checks the model's
    // save-tips option itself). UI thread.
    virtual void ShowSaveWait() = 0;
    // The model's show-DPI-tips option.
    virtual bool ShowDpiTips() const = 0;
    // The DPI popup with the value; callers check ShowDpiTips first.
    virtual void ShowDpiPopup(int dpi) = 0;
    // A message box: 1 for the first button, 2 for the second, anything
    // else when it could not run. UI thread.
    virtual int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                               uint32_t buttons) = 0;
    // The selected model's description file (device/<attribute>.xml).
    virtual std::u16string DescriptionFilePath() const = 0;
    // What the controller knows of the connected mouse.
    virtual DeviceState& Device() = 0;
    // The desktop's own mouse settings.
    virtual void OpenSystemMouseSettings() = 0;
};

}  // namespace tessaly
