#include "ui/main/tray_status.h"

#include "base/application_name.h"
#include "base/decimal.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly::ui {

void TrayStatus::SetMouse(std::u16string_view name) {
    if (name != mouse_) {
        mouse_ = name;
        if (mouse_.empty()) {
            level_.reset();
        }
        Publish();
    }
}

void TrayStatus::SetBattery(int level, bool charging) {
    const std::optional<int> reading =
        level >= 0 && level <= 100 ? std::optional<int>(level) : std::nullopt;
    if (reading == level_ && charging == charging_) {
        return;
    }
    level_ = reading;
    charging_ = charging;
    NoticeBattery();
    Publish();
}

void TrayStatus::SetProfile(std::u16string_view name) {
    if (name != profile_) {
        profile_ = name;
        Publish();
    }
}

std::u16string TrayStatus::Tooltip() const {
    std::u16string tip = ApplicationName();
    if (mouse_.empty()) {
        return tip;
    }
    tip += u"\n" + mouse_;
    if (level_) {
        tip +=
            u"\n" + LoadLanguageString(text::kTrayBattery) + u": " + IntToDecimal(*level_) + u" %";
        if (charging_) {
            tip += u" (" + LoadLanguageString(text::kTrayCharging) + u")";
        }
    }
    if (!profile_.empty()) {
        tip += u"\n" + profile_;
    }
    return tip;
}

void TrayStatus::Publish() {
    tray_.SetTip(Tooltip().substr(0, kTrayTipLength));
}

// Each notice once per crossing: told again only after the level was back
// above the line (or charging stopped short of full).
void TrayStatus::NoticeBattery() {
    const bool low = level_ && *level_ < kLowBatteryPercent && !charging_;
    const bool full = level_ && *level_ >= 100 && charging_;
    if (low && !low_told_) {
        tray_.Notify(ApplicationName(), LoadLanguageString(text::kTrayBatteryLow));
    }
    if (full && !full_told_) {
        tray_.Notify(ApplicationName(), LoadLanguageString(text::kTrayBatteryFull));
    }
    if (level_) {
        low_told_ = low || (low_told_ && *level_ < kLowBatteryPercent);
        full_told_ = full;
    }
}

}  // namespace tessaly::ui
