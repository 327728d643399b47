#include "ui/toolkit/controls/dpi_control.h"

#include "ui/toolkit/control_events.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {

void DPIControl::SetDPIValue(int stage, int value) {
    auto lock = LockToolkit();
    if (IsSlot(stage)) {
        values_[stage] = value;
        Changed(ControlChange::kValue);
    }
}

int DPIControl::GetDPIValue(int stage) const {
    auto lock = LockToolkit();
    return IsSlot(stage) ? values_[stage] : 0;
}

void DPIControl::SetDPIColorValue(int stage, Color color) {
    auto lock = LockToolkit();
    if (IsSlot(stage)) {
        colors_[stage] = color;
        Changed(ControlChange::kColor);
    }
}

Color DPIControl::GetDPIColorValue(int stage) const {
    auto lock = LockToolkit();
    return IsSlot(stage) ? colors_[stage] : 0;
}

void DPIControl::ClearList() {
    auto lock = LockToolkit();
    listed_ = 0;
    selection_ = -1;
    Changed(ControlChange::kItems);
    Changed(ControlChange::kSelection);
}

int DPIControl::AddItem(int value, Color color) {
    auto lock = LockToolkit();
    if (listed_ >= kStageSlots) {
        return -1;
    }
    int stage = listed_++;
    values_[stage] = value;
    colors_[stage] = color;
    Changed(ControlChange::kItems);
    return stage;
}

int DPIControl::GetItemCount() const {
    auto lock = LockToolkit();
    return listed_;
}

bool DPIControl::SetSelectItem(int stage) {
    auto lock = LockToolkit();
    if (stage != -1 && (stage < 0 || stage >= listed_)) {
        return false;
    }
    selection_ = stage;
    Changed(ControlChange::kSelection);
    return true;
}

int DPIControl::GetSelectItem() const {
    auto lock = LockToolkit();
    return selection_;
}

void DPIControl::SetEditText(std::u16string_view text) {
    auto lock = LockToolkit();
    edit_text_ = text;
    Changed(ControlChange::kText);
}

std::u16string DPIControl::GetEditText() const {
    auto lock = LockToolkit();
    return edit_text_;
}

void DPIControl::ApplyUserEvent(int event, intptr_t param) {
    bool stage_event = event == kEventActivated || event == kEventSecondary;
    if (stage_event && param >= 0 && param < listed_) {
        selection_ = static_cast<int>(param);
        Changed(ControlChange::kSelection);
    }
}

bool DPIControl::ApplyUserText(std::u16string_view text) {
    if (selection_ < 0) {
        return false;
    }
    edit_text_ = text;
    Changed(ControlChange::kText);
    return true;
}

}  // namespace tessaly::DUI
