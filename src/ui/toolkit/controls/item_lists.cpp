#include "ui/toolkit/controls/item_lists.h"

#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {

int ListControl::AddItem(std::u16string_view text, intptr_t data, std::u16string_view icon,
                         Color color) {
    auto lock = LockToolkit();
    items_.push_back({std::u16string(text), data, std::u16string(icon), color});
    Changed(ControlChange::kItems);
    return static_cast<int>(items_.size()) - 1;
}

bool ListControl::RemoveItem(int index) {
    auto lock = LockToolkit();
    if (!InRange(index)) {
        return false;
    }
    items_.erase(items_.begin() + index);
    Changed(ControlChange::kItems);
    if (selection_ == index) {
        SelectLocked(-1);
    } else if (selection_ > index) {
        --selection_;
        Changed(ControlChange::kSelection);
    }
    return true;
}

void ListControl::DeleteAllItems() {
    auto lock = LockToolkit();
    items_.clear();
    Changed(ControlChange::kItems);
    SelectLocked(-1);
}

int ListControl::GetItemCount() const {
    auto lock = LockToolkit();
    return static_cast<int>(items_.size());
}

std::vector<ListItem> ListControl::Items() const {
    auto lock = LockToolkit();
    return items_;
}

std::u16string ListControl::GetItemText(int index) const {
    auto lock = LockToolkit();
    return InRange(index) ? items_[index].text : std::u16string();
}

bool ListControl::SetItemText(int index, std::u16string_view text) {
    auto lock = LockToolkit();
    return SetItemTextLocked(index, text);
}

bool ListControl::SetItemTextLocked(int index, std::u16string_view text) {
    if (!InRange(index)) {
        return false;
    }
    items_[index].text = text;
    Changed(ControlChange::kItems);
    if (index == selection_) {
        SetTitleLocked(text);
    }
    return true;
}

intptr_t ListControl::GetItemData(int index) const {
    auto lock = LockToolkit();
    return InRange(index) ? items_[index].data : 0;
}

bool ListControl::SelectItem(int index) {
    auto lock = LockToolkit();
    if (index != -1 && !InRange(index)) {
        return false;
    }
    SelectLocked(index);
    return true;
}

void ListControl::SelectLocked(int index) {
    selection_ = InRange(index) ? index : -1;
    SetTitleLocked(selection_ >= 0 ? std::u16string_view(items_[selection_].text) : u"");
    Changed(ControlChange::kSelection);
}

bool ListControl::SelectData(intptr_t data) {
    auto lock = LockToolkit();
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].data == data) {
            SelectLocked(static_cast<int>(i));
            return true;
        }
    }
    SelectLocked(-1);
    return false;
}

int ListControl::GetCurSel() const {
    auto lock = LockToolkit();
    return selection_;
}

intptr_t ListControl::GetCurData() const {
    auto lock = LockToolkit();
    return selection_ >= 0 ? items_[selection_].data : 0;
}

void ListControl::ApplyUserEvent(int event, intptr_t param) {
    if (event == kEventActivated && InRange(static_cast<int>(param))) {
        SelectLocked(static_cast<int>(param));
    }
}

void MComboBox2::SetCheck(bool checked) {
    auto lock = LockToolkit();
    checked_ = checked;
    Changed(ControlChange::kCheck);
}

bool MComboBox2::GetCheck() const {
    auto lock = LockToolkit();
    return checked_;
}

bool EditableList::ApplyUserText(std::u16string_view text) {
    return SetItemTextLocked(selection(), text);
}

bool MacroList::ModifyItemString(int index, std::u16string_view text) {
    return SetItemText(index, text);
}

}  // namespace tessaly::DUI
