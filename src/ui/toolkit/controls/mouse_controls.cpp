#include "ui/toolkit/controls/mouse_controls.h"

#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {

int MouseKeyCtrl::AddItem(std::u16string_view name, std::u16string_view key_desc, int key_value) {
    auto lock = LockToolkit();
    rows_.push_back({std::u16string(name), std::u16string(key_desc), key_value});
    Changed(ControlChange::kItems);
    return static_cast<int>(rows_.size()) - 1;
}

void MouseKeyCtrl::DeleteAllItems() {
    auto lock = LockToolkit();
    rows_.clear();
    selection_ = -1;
    Changed(ControlChange::kItems);
    Changed(ControlChange::kSelection);
}

bool MouseKeyCtrl::SetItemText(int index, std::u16string_view name) {
    auto lock = LockToolkit();
    if (!InRange(index)) {
        return false;
    }
    rows_[index].name = name;
    Changed(ControlChange::kItems);
    return true;
}

bool MouseKeyCtrl::SetItemKeyDesc(int key_value, std::u16string_view key_desc) {
    auto lock = LockToolkit();
    bool found = false;
    for (KeyRow& row : rows_) {
        if (row.key_value == key_value) {
            row.key_desc = key_desc;
            found = true;
        }
    }
    if (found) {
        Changed(ControlChange::kItems);
    }
    return found;
}

std::vector<KeyRow> MouseKeyCtrl::Items() const {
    auto lock = LockToolkit();
    return rows_;
}

int MouseKeyCtrl::GetItemCount() const {
    auto lock = LockToolkit();
    return static_cast<int>(rows_.size());
}

int MouseKeyCtrl::GetItemKeyValue(int index) const {
    auto lock = LockToolkit();
    return InRange(index) ? rows_[index].key_value : 0;
}

std::u16string MouseKeyCtrl::GetItemText(int index) const {
    auto lock = LockToolkit();
    return InRange(index) ? rows_[index].name : std::u16string();
}

std::u16string MouseKeyCtrl::GetItemKeyDesc(int index) const {
    auto lock = LockToolkit();
    return InRange(index) ? rows_[index].key_desc : std::u16string();
}

bool MouseKeyCtrl::SelectItem(int index) {
    auto lock = LockToolkit();
    if (index != -1 && !InRange(index)) {
        return false;
    }
    selection_ = index;
    Changed(ControlChange::kSelection);
    return true;
}

int MouseKeyCtrl::GetCurSel() const {
    auto lock = LockToolkit();
    return selection_;
}

void MouseKeyCtrl::FitToItems() {
    auto lock = LockToolkit();
    Rect rect = GetRect();
    rect.bottom = rect.top + kRowHeight * static_cast<int>(rows_.size());
    SetRect(rect);
}

void MouseKeyCtrl::ApplyUserEvent(int event, intptr_t param) {
    if (event == kEventActivated && InRange(static_cast<int>(param))) {
        selection_ = static_cast<int>(param);
        Changed(ControlChange::kSelection);
    }
}

int MouseCtrl::AddItem(std::u16string_view name, int key_value, int direction, Point from,
                       Point to) {
    auto lock = LockToolkit();
    markers_.push_back({std::u16string(name), key_value, direction, from, to});
    Changed(ControlChange::kItems);
    return static_cast<int>(markers_.size()) - 1;
}

void MouseCtrl::DeleteAllItems() {
    auto lock = LockToolkit();
    markers_.clear();
    selection_ = -1;
    Changed(ControlChange::kItems);
    Changed(ControlChange::kSelection);
}

bool MouseCtrl::SetItemText(int index, std::u16string_view name) {
    auto lock = LockToolkit();
    if (!InRange(index)) {
        return false;
    }
    markers_[index].name = name;
    Changed(ControlChange::kItems);
    return true;
}

std::vector<KeyMarker> MouseCtrl::Items() const {
    auto lock = LockToolkit();
    return markers_;
}

int MouseCtrl::GetItemCount() const {
    auto lock = LockToolkit();
    return static_cast<int>(markers_.size());
}

int MouseCtrl::GetItemKeyValue(int index) const {
    auto lock = LockToolkit();
    return InRange(index) ? markers_[index].key_value : 0;
}

bool MouseCtrl::SelectItem(int index) {
    auto lock = LockToolkit();
    if (index != -1 && !InRange(index)) {
        return false;
    }
    selection_ = index;
    Changed(ControlChange::kSelection);
    return true;
}

int MouseCtrl::GetCurSel() const {
    auto lock = LockToolkit();
    return selection_;
}

void MouseCtrl::ApplyUserEvent(int event, intptr_t param) {
    if (event == kEventActivated && InRange(static_cast<int>(param))) {
        selection_ = static_cast<int>(param);
        Changed(ControlChange::kSelection);
    }
}

}  // namespace tessaly::DUI
