#include "ui/toolkit/controls/record_list.h"

#include <algorithm>

#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {

int CRecordList::AddString(std::u16string_view text, int type, int value, uint32_t stamp) {
    return InsertString(GetEventCount(), RecordInfo{std::u16string(text), type, value, stamp});
}

int CRecordList::InsertString(int index, const RecordInfo& record) {
    auto lock = LockToolkit();
    int size = static_cast<int>(records_.size());
    index = std::clamp(index, 0, size);
    records_.insert(records_.begin() + index, record);
    Changed(ControlChange::kItems);
    if (selection_ >= index) {
        SetSelection(selection_ + 1);
    }
    return index;
}

bool CRecordList::DeleteString(int index) {
    auto lock = LockToolkit();
    if (!InRange(index)) {
        return false;
    }
    records_.erase(records_.begin() + index);
    Changed(ControlChange::kItems);
    if (selection_ == index) {
        SetSelection(-1);
    } else if (selection_ > index) {
        SetSelection(selection_ - 1);
    }
    return true;
}

bool CRecordList::MoveString(int from, int to) {
    auto lock = LockToolkit();
    if (!InRange(from) || !InRange(to)) {
        return false;
    }
    RecordInfo moved = records_[from];
    records_.erase(records_.begin() + from);
    records_.insert(records_.begin() + to, std::move(moved));
    Changed(ControlChange::kItems);
    if (selection_ == from) {
        SetSelection(to);
    } else if (from < selection_ && selection_ <= to) {
        SetSelection(selection_ - 1);
    } else if (to <= selection_ && selection_ < from) {
        SetSelection(selection_ + 1);
    }
    return true;
}

bool CRecordList::SetRecordInfo(int index, const RecordInfo& record) {
    auto lock = LockToolkit();
    if (!InRange(index)) {
        return false;
    }
    records_[index] = record;
    Changed(ControlChange::kItems);
    return true;
}

std::optional<RecordInfo> CRecordList::GetRecordInfo(int index) const {
    auto lock = LockToolkit();
    if (!InRange(index)) {
        return std::nullopt;
    }
    return records_[index];
}

std::vector<RecordInfo> CRecordList::Records() const {
    auto lock = LockToolkit();
    return records_;
}

int CRecordList::GetEventCount() const {
    auto lock = LockToolkit();
    return static_cast<int>(records_.size());
}

void CRecordList::DeleteAllItems() {
    auto lock = LockToolkit();
    records_.clear();
    Changed(ControlChange::kItems);
    SetSelection(-1);
}

bool CRecordList::SelectItem(int index) {
    auto lock = LockToolkit();
    if (index != -1 && !InRange(index)) {
        return false;
    }
    SetSelection(index);
    return true;
}

int CRecordList::GetCurSel() const {
    auto lock = LockToolkit();
    return selection_;
}

void CRecordList::SetSelection(int index) {
    selection_ = index;
    Changed(ControlChange::kSelection);
}

void CRecordList::ApplyUserEvent(int event, intptr_t param) {
    if (event == kEventActivated && InRange(static_cast<int>(param))) {
        SetSelection(static_cast<int>(param));
    }
}

void CRecordList::SetColumns(int number_width, int text_width) {
    auto lock = LockToolkit();
    if (columns_ == std::array<int, 2>{number_width, text_width}) {
        return;
    }
    columns_ = {number_width, text_width};
    Changed(ControlChange::kStyle);
}

std::array<int, 2> CRecordList::GetColumns() const {
    auto lock = LockToolkit();
    return columns_;
}

}  // namespace tessaly::DUI
