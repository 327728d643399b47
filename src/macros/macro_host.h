#pragma once
// What the macro page needs from the controller that owns it.

#include <cstdint>
#include <string_view>

namespace tessaly {

class MacroHost {
  public:
    virtual ~MacroHost() = default;
    virtual int CurrentProfile() const = 0;
    // The identifier of the current device in the device list.
    virtual int CurrentDeviceId() const = 0;
    // A message box with one button (UI thread).
    virtual void ShowMessage(std::u16string_view message, std::u16string_view title) = 0;
    // GetTickCount-style milliseconds.
    virtual uint32_t Now() const = 0;
};

}  // namespace tessaly
