#include "ui/toolkit/controls/static_controls.h"

#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {

void MPicture::SetShowMode(int horizontal, int vertical) {
    auto lock = LockToolkit();
    show_mode_ = {horizontal, vertical};
    Changed(ControlChange::kStyle);
}

std::array<int, 2> MPicture::GetShowMode() const {
    auto lock = LockToolkit();
    return show_mode_;
}

void MPicture::SetMiddleMode(int left, int top, int right, int bottom) {
    auto lock = LockToolkit();
    middle_mode_ = {left, top, right, bottom};
    Changed(ControlChange::kStyle);
}

std::array<int, 4> MPicture::GetMiddleMode() const {
    auto lock = LockToolkit();
    return middle_mode_;
}

void MPicture::SetLightZone(LightZone zone) {
    auto lock = LockToolkit();
    if (zone == light_zone_) {
        return;
    }
    light_zone_ = std::move(zone);
    Changed(ControlChange::kColor);
}

MPicture::LightZone MPicture::GetLightZone() const {
    auto lock = LockToolkit();
    return light_zone_;
}

void CArea::SetColor(Color color) {
    auto lock = LockToolkit();
    color_ = color;
    Changed(ControlChange::kColor);
}

Color CArea::GetColor() const {
    auto lock = LockToolkit();
    return color_;
}

void BatteryCtrl::SetBatteryInfo(int value, int charge) {
    auto lock = LockToolkit();
    value_ = value;
    charge_ = charge;
    Changed(ControlChange::kValue);
}

int BatteryCtrl::GetBatteryValue() const {
    auto lock = LockToolkit();
    return value_;
}

int BatteryCtrl::GetChargeValue() const {
    auto lock = LockToolkit();
    return charge_;
}

}  // namespace tessaly::DUI
