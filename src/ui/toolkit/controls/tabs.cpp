#include "ui/toolkit/controls/tabs.h"

#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {

MControl* MTabLayout::CreateChildArea(std::string_view class_name, int id, Rect rect,
                                      std::u16string_view text, int, int) {
    return GetOwner()->AddByName(class_name, this, id, rect, text, true);
}

MControl* MTabLayout::CreateChildControl(std::string_view class_name, int id, Rect rect,
                                         std::u16string_view text, int, int) {
    return GetOwner()->AddByName(class_name, this, id, rect, text, false);
}

int MTabCtrl::InsertItem(int item_id, std::u16string_view text, std::u16string_view icon,
                         MTabLayout* page, int icon_frames, int flags) {
    auto lock = LockToolkit();
    items_.push_back(
        {item_id, std::u16string(text), std::u16string(icon), page, icon_frames, flags, true});
    Changed(ControlChange::kItems);
    return static_cast<int>(items_.size()) - 1;
}

int MTabCtrl::GetItemID(int index) const {
    auto lock = LockToolkit();
    return InRange(index) ? items_[index].item_id : -1;
}

bool MTabCtrl::SetItemText(int index, std::u16string_view text) {
    auto lock = LockToolkit();
    if (!InRange(index)) {
        return false;
    }
    items_[index].text = text;
    Changed(ControlChange::kItems);
    return true;
}

std::u16string MTabCtrl::GetItemText(int index) const {
    auto lock = LockToolkit();
    return InRange(index) ? items_[index].text : std::u16string();
}

std::u16string MTabCtrl::GetItemIcon(int index) const {
    auto lock = LockToolkit();
    return InRange(index) ? items_[index].icon : std::u16string();
}

int MTabCtrl::GetItemIconFrames(int index) const {
    auto lock = LockToolkit();
    return InRange(index) ? items_[index].icon_frames : 0;
}

bool MTabCtrl::SetItemVisible(int index, bool visible) {
    auto lock = LockToolkit();
    if (!InRange(index)) {
        return false;
    }
    items_[index].visible = visible;
    Changed(ControlChange::kItems);
    return true;
}

bool MTabCtrl::IsItemVisible(int index) const {
    auto lock = LockToolkit();
    return InRange(index) && items_[index].visible;
}

int MTabCtrl::GetItemCount() const {
    auto lock = LockToolkit();
    return static_cast<int>(items_.size());
}

bool MTabCtrl::SelectItem(int index) {
    auto lock = LockToolkit();
    if (!InRange(index)) {
        return false;
    }
    SelectLocked(index);
    return true;
}

void MTabCtrl::SelectLocked(int index) {
    selection_ = index;
    Changed(ControlChange::kSelection);
    MTabLayout* shown = items_[index].page;
    for (const TabItem& item : items_) {
        if (item.page != nullptr && item.page != shown) {
            item.page->SetVisible(false);
        }
    }
    if (shown != nullptr) {
        shown->SetVisible(true);
    }
}

int MTabCtrl::GetCurSel() const {
    auto lock = LockToolkit();
    return selection_;
}

void MTabCtrl::SetTabCtrlVisible(bool visible) {
    SetVisible(visible);
}

void MTabCtrl::SetMetrics(const TabMetrics& metrics) {
    auto lock = LockToolkit();
    metrics_ = metrics;
    Changed(ControlChange::kStyle);
}

TabMetrics MTabCtrl::GetMetrics() const {
    auto lock = LockToolkit();
    return metrics_;
}

void MTabCtrl::ApplyUserEvent(int event, intptr_t param) {
    int index = static_cast<int>(param);
    if (event == kEventActivated && InRange(index) && items_[index].visible) {
        SelectLocked(index);
    }
}

}  // namespace tessaly::DUI
