#include "ui/toolkit/controls/report_ctrl.h"

#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {

int ReporteCtrl::AddItem(std::u16string_view text, int key_value, Color color) {
    auto lock = LockToolkit();
    items_.push_back({std::u16string(text), key_value, color});
    Changed(ControlChange::kItems);
    return static_cast<int>(items_.size()) - 1;
}

void ReporteCtrl::DeleteAllItems() {
    auto lock = LockToolkit();
    items_.clear();
    Changed(ControlChange::kItems);
    SetSelection(-1);
}

std::vector<RateItem> ReporteCtrl::Items() const {
    auto lock = LockToolkit();
    return items_;
}

int ReporteCtrl::GetItemCount() const {
    auto lock = LockToolkit();
    return static_cast<int>(items_.size());
}

int ReporteCtrl::GetItemKeyValue(int index) const {
    auto lock = LockToolkit();
    return InRange(index) ? items_[index].key_value : 0;
}

bool ReporteCtrl::SelectItem(int index) {
    auto lock = LockToolkit();
    if (index != -1 && !InRange(index)) {
        return false;
    }
    SetSelection(index);
    return true;
}

bool ReporteCtrl::SelectKeyValue(int key_value) {
    auto lock = LockToolkit();
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].key_value == key_value) {
            SetSelection(static_cast<int>(i));
            return true;
        }
    }
    SetSelection(-1);
    return false;
}

int ReporteCtrl::GetCurSel() const {
    auto lock = LockToolkit();
    return selection_;
}

void ReporteCtrl::SetSelection(int index) {
    selection_ = index;
    Changed(ControlChange::kSelection);
}

void ReporteCtrl::ApplyUserEvent(int event, intptr_t param) {
    if (event == kEventActivated && InRange(static_cast<int>(param))) {
        SetSelection(static_cast<int>(param));
    }
}

}  // namespace tessaly::DUI
