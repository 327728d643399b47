#include "ui/toolkit/controls/buttons.h"

#include "ui/toolkit/dialog.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {

void CIconButton::SetIcon(std::u16string_view file, int frames) {
    auto lock = LockToolkit();
    icon_frames_ = frames < 1 ? 1 : frames;
    SetSubImage(ImageRole::kIcon, file);
}

int CIconButton::GetIconFrames() const {
    auto lock = LockToolkit();
    return icon_frames_;
}

void CIconButton::SetTextRect(Rect rect) {
    auto lock = LockToolkit();
    text_rect_ = rect;
    Changed(ControlChange::kRect);
}

Rect CIconButton::GetTextRect() const {
    auto lock = LockToolkit();
    return text_rect_;
}

void CIconButton::SetIconRect(Rect rect) {
    auto lock = LockToolkit();
    icon_rect_ = rect;
    Changed(ControlChange::kRect);
}

Rect CIconButton::GetIconRect() const {
    auto lock = LockToolkit();
    return icon_rect_;
}

void CheckableButton::SetCheck(bool checked) {
    auto lock = LockToolkit();
    SetCheckLocked(checked);
}

void CheckableButton::SetCheckLocked(bool checked) {
    if (checked && rule_ == ClickRule::kSelect && !group_.empty() && GetOwner() != nullptr) {
        for (MControl* control : GetOwner()->Controls()) {
            auto* peer = dynamic_cast<CheckableButton*>(control);
            if (peer != nullptr && peer != this && peer->ClassName() == ClassName() &&
                peer->group_ == group_ && peer->checked_) {
                peer->checked_ = false;
                peer->Changed(ControlChange::kCheck);
            }
        }
    }
    if (checked_ != checked) {
        checked_ = checked;
        Changed(ControlChange::kCheck);
    }
}

bool CheckableButton::GetCheck() const {
    auto lock = LockToolkit();
    return checked_;
}

void CheckableButton::SetGroup(std::u16string_view group) {
    auto lock = LockToolkit();
    group_ = group;
}

std::u16string CheckableButton::GetGroup() const {
    auto lock = LockToolkit();
    return group_;
}

void CheckableButton::ApplyUserEvent(int event, intptr_t) {
    if (event != kEventActivated) {
        return;
    }
    if (rule_ == ClickRule::kToggle) {
        SetCheckLocked(!checked_);
    } else if (rule_ == ClickRule::kSelect) {
        SetCheckLocked(true);
    }
}

void CColorButton::SetColor(Color color) {
    auto lock = LockToolkit();
    color_ = color;
    Changed(ControlChange::kColor);
}

Color CColorButton::GetColor() const {
    auto lock = LockToolkit();
    return color_;
}

}  // namespace tessaly::DUI
