#pragma once
// What the tray icon tells without opening the window: a tooltip with the
// mouse, its battery and the profile, and a desktop notice when the battery
// runs low or has finished charging, once each time it gets there.

#include <optional>
#include <string>

#include "ui/main/tray_icon.h"

namespace tessaly::ui {

// Below this level the battery counts as low.
inline constexpr int kLowBatteryPercent = 15;

class TrayStatus {
  public:
    explicit TrayStatus(TrayIcon& tray) : tray_(tray) {}

    // Empty: no mouse.
    void SetMouse(std::u16string_view name);
    // A level outside 0..100 is no reading.
    void SetBattery(int level, bool charging);
    void SetProfile(std::u16string_view name);
    // The program's name and, with a mouse, its name, battery and profile,
    // one a line; in the current language.
    std::u16string Tooltip() const;

  private:
    void Publish();
    void NoticeBattery();

    TrayIcon& tray_;
    std::u16string mouse_;
    std::optional<int> level_;
    bool charging_ = false;
    std::u16string profile_;
    bool low_told_ = false;
    bool full_told_ = false;
};

}  // namespace tessaly::ui
