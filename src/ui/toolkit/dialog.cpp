#include "ui/toolkit/dialog.h"

#include "ui/toolkit/control_factory.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::DUI {

void MDialog::DoOK() {
    EndModal(1);
}

void MDialog::DoCancel() {
    EndModal(2);
}

bool MDialog::OnEscapeKey() {
    if (!IsCreated() || GetParentHandle() == 0 || !IsVisible()) {
        return false;
    }
    if (IsModal()) {
        DoCancel();
    } else {
        ShowWindow(kSwHide);
    }
    return true;
}

MControl* MDialog::Add(std::unique_ptr<MControl> control, MTabLayout* parent, int id, Rect rect,
                       std::u16string_view text, bool area) {
    auto lock = LockToolkit();
    control->Attach(*this, parent, id, area);
    control->rect_ = rect;
    if (auto* font = dynamic_cast<MControlFont*>(control.get())) {
        font->SetTitleLocked(text);
    }
    controls_.push_back(std::move(control));
    MControl* added = controls_.back().get();
    if (IsCreated()) {
        Toolkit::Get().backend().ControlCreated(*added);
    }
    return added;
}

MControl* MDialog::AddByName(std::string_view class_name, MTabLayout* parent, int id, Rect rect,
                             std::u16string_view text, bool area) {
    std::unique_ptr<MControl> control = MakeControl(class_name);
    if (!control) {
        return nullptr;
    }
    return Add(std::move(control), parent, id, rect, text, area);
}

MControl* MDialog::CreateControl(std::string_view class_name, int id, Rect rect,
                                 std::u16string_view text, int, int) {
    return AddByName(class_name, nullptr, id, rect, text, false);
}

MControl* MDialog::CreateArea(std::string_view class_name, int id, Rect rect,
                              std::u16string_view text, int, int) {
    return AddByName(class_name, nullptr, id, rect, text, true);
}

MControl* MDialog::GetControl(int id) const {
    auto lock = LockToolkit();
    for (const auto& control : controls_) {
        if (control->GetId() == id) {
            return control.get();
        }
    }
    return nullptr;
}

std::vector<MControl*> MDialog::Controls() const {
    auto lock = LockToolkit();
    std::vector<MControl*> result;
    result.reserve(controls_.size());
    for (const auto& control : controls_) {
        result.push_back(control.get());
    }
    return result;
}

MControl* MDialog::GetFocusControl() const {
    auto lock = LockToolkit();
    return focused_;
}

void MDialog::LoadBKImage(std::u16string_view file) {
    auto lock = LockToolkit();
    background_ = file;
    NotifyChanged(WindowChange::kAppearance);
}

std::u16string MDialog::GetBKImage() const {
    auto lock = LockToolkit();
    return background_;
}

void MDialog::SetBackMode(int mode, int value) {
    auto lock = LockToolkit();
    back_mode_ = {mode, value};
    NotifyChanged(WindowChange::kAppearance);
}

std::pair<int, int> MDialog::GetBackMode() const {
    auto lock = LockToolkit();
    return back_mode_;
}

void MDialog::SetLayeredWindow(bool layered) {
    auto lock = LockToolkit();
    layered_ = layered;
    NotifyChanged(WindowChange::kAppearance);
}

bool MDialog::IsLayeredWindow() const {
    auto lock = LockToolkit();
    return layered_;
}

void MDialog::SetMTimer(int interval_ms) {
    auto lock = LockToolkit();
    mtimer_ = interval_ms > 0 ? interval_ms : 0;
    if (mtimer_ > 0) {
        SetTimer(kControlTimerId, mtimer_);
    } else {
        KillTimer(kControlTimerId);
    }
}

int MDialog::GetMTimer() const {
    auto lock = LockToolkit();
    return mtimer_;
}

void MDialog::TickControlTimer() {
    auto lock = LockToolkit();
    for (const auto& control : controls_) {
        if (control->mtimer_) {
            control->OnControlTimer();
        }
    }
}

}  // namespace tessaly::DUI
