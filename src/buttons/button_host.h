#pragma once
// What the button page needs from the controller that owns it. The
// controller's wiring implements it; tests use a recording fake.

#include <cstdint>
#include <string_view>

namespace tessaly {

class ButtonHost {
  public:
    virtual ~ButtonHost() = default;
    // The profile the page works on.
    virtual int CurrentProfile() const = 0;
    // Appends a device task (any thread).
    virtual void QueueTask(int32_t code) = 0;
    // The wait dialog after a write was queued (UI thread).
    virtual void ShowSaveWait() = 0;
    // A message box: 1 for the first button, 2 for the second, anything
    // else when it could not run (UI thread).
    virtual int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                               uint32_t buttons) = 0;
    // False when the macro has more events than the mouse can take.
    virtual bool MacroFitsDevice(int macro_id) const = 0;
};

}  // namespace tessaly
