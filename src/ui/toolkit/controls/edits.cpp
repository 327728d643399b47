#include "ui/toolkit/controls/edits.h"

#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {

void MEdit::SetTipInfo(std::u16string_view tip) {
    auto lock = LockToolkit();
    tip_ = tip;
    Changed(ControlChange::kText);
}

std::u16string MEdit::GetTipInfo() const {
    auto lock = LockToolkit();
    return tip_;
}

void MEdit::SetLimitText(int characters) {
    auto lock = LockToolkit();
    limit_ = characters < 0 ? 0 : characters;
}

int MEdit::GetLimitText() const {
    auto lock = LockToolkit();
    return limit_;
}

void MEdit::SetInputMode(EditMode mode) {
    auto lock = LockToolkit();
    mode_ = mode;
    Changed(ControlChange::kStyle);
}

EditMode MEdit::GetInputMode() const {
    auto lock = LockToolkit();
    return mode_;
}

bool MEdit::ApplyUserText(std::u16string_view text) {
    if (mode_ == EditMode::kCapture) {
        return false;
    }
    std::u16string accepted;
    for (char16_t c : text) {
        if (mode_ == EditMode::kNumber && (c < u'0' || c > u'9')) {
            continue;
        }
        if (limit_ > 0 && static_cast<int>(accepted.size()) >= limit_) {
            break;
        }
        accepted += c;
    }
    SetTitleLocked(accepted);
    return true;
}

}  // namespace tessaly::DUI
