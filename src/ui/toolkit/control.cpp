#include "ui/toolkit/control.h"

#include "ui/toolkit/controls/tabs.h"
#include "ui/toolkit/dialog.h"
#include "ui/toolkit/image_size.h"
#include "ui/toolkit/manager.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {

void MControl::Attach(MDialog& owner, MTabLayout* parent, int id, bool area) {
    owner_ = &owner;
    parent_ = parent;
    id_ = id;
    area_ = area;
}

void MControl::Changed(ControlChange change) const {
    if (owner_ != nullptr && owner_->IsCreated()) {
        Toolkit::Get().backend().ControlChanged(*this, change);
    }
}

void MControl::SetVisible(bool visible) {
    auto lock = LockToolkit();
    if (visible_ != visible) {
        visible_ = visible;
        Changed(ControlChange::kVisibility);
    }
}

bool MControl::IsVisible() const {
    auto lock = LockToolkit();
    return visible_;
}

bool MControl::IsShown() const {
    auto lock = LockToolkit();
    return visible_ && !rect_.IsEmpty() && (parent_ == nullptr || parent_->IsShown());
}

void MControl::SetEnabled(bool enabled) {
    auto lock = LockToolkit();
    if (enabled_ != enabled) {
        enabled_ = enabled;
        Changed(ControlChange::kEnabled);
    }
}

bool MControl::IsEnabled() const {
    auto lock = LockToolkit();
    return enabled_;
}

void MControl::SetRect(Rect rect) {
    auto lock = LockToolkit();
    if (rect_ != rect) {
        rect_ = rect;
        Changed(ControlChange::kRect);
    }
}

Rect MControl::GetRect() const {
    auto lock = LockToolkit();
    return rect_;
}

void MControl::SetTooltip(std::u16string_view text) {
    auto lock = LockToolkit();
    tooltip_ = text;
    Changed(ControlChange::kText);
}

std::u16string MControl::GetTooltip() const {
    auto lock = LockToolkit();
    return tooltip_;
}

void MControl::UpdateControl() {
    auto lock = LockToolkit();
    Changed(ControlChange::kRepaint);
}

void MControl::AddMTimer(bool on) {
    auto lock = LockToolkit();
    mtimer_ = on;
    Changed(ControlChange::kTimer);
}

bool MControl::HasMTimer() const {
    auto lock = LockToolkit();
    return mtimer_;
}

void MControl::SetFocusState(bool focus) {
    focus_ = focus;
    Changed(ControlChange::kFocus);
    if (owner_ == nullptr) {
        return;
    }
    int event = focus ? kEventSetFocus : kEventKillFocus;
    int id = id_;
    Toolkit::Get().PostToWindow(
        owner_->GetSafeHwnd(), [id, event](MWindow& window) { window.OnMessage(id, event, 0, 0); });
}

void MControl::OnFocus(int focus) {
    auto lock = LockToolkit();
    if (owner_ == nullptr || (focus != 0) == focus_) {
        return;
    }
    if (focus == 0) {
        owner_->focused_ = nullptr;
        SetFocusState(false);
        return;
    }
    if (MControl* previous = owner_->focused_) {
        previous->SetFocusState(false);
    }
    owner_->focused_ = this;
    SetFocusState(true);
}

bool MControl::HasFocus() const {
    auto lock = LockToolkit();
    return focus_;
}

void MControl::SetStyle(int style) {
    auto lock = LockToolkit();
    style_ = style;
    Changed(ControlChange::kStyle);
}

int MControl::GetStyle() const {
    auto lock = LockToolkit();
    return style_;
}

void MControl::SetSubImage(ImageRole role, std::u16string_view file) {
    auto lock = LockToolkit();
    sub_images_.at(static_cast<size_t>(role)) = file;
    Changed(ControlChange::kImage);
}

std::u16string MControl::GetSubImage(ImageRole role) const {
    auto lock = LockToolkit();
    return sub_images_.at(static_cast<size_t>(role));
}

void MControl::SetTextColor(Color color) {
    auto lock = LockToolkit();
    text_color_ = color;
    Changed(ControlChange::kColor);
}

void MControl::SetImage(std::u16string_view file, int frames) {
    auto lock = LockToolkit();
    image_ = file;
    image_frames_ = frames < 1 ? 1 : frames;
    Changed(ControlChange::kImage);
}

Color MControl::GetTextColor() const {
    auto lock = LockToolkit();
    return text_color_;
}

std::u16string MControl::GetImage() const {
    auto lock = LockToolkit();
    return image_;
}

int MControl::GetImageFrames() const {
    auto lock = LockToolkit();
    return image_frames_;
}

Size MControl::GetImageSize() const {
    std::u16string image = GetImage();
    if (image.empty()) {
        return {};
    }
    // File reading stays outside the lock.
    return ReadImageSize(Manager::ResolveImage(image));
}

void MControl::ApplyUserEvent(int, intptr_t) {}

bool MControl::ApplyUserText(std::u16string_view) {
    return false;
}

void MControlFont::SetTitle(std::u16string_view text) {
    auto lock = LockToolkit();
    SetTitleLocked(text);
}

void MControlFont::SetTitleLocked(std::u16string_view text) {
    if (title_ != text) {
        title_ = text;
        Changed(ControlChange::kText);
    }
}

std::u16string MControlFont::GetTitle() const {
    auto lock = LockToolkit();
    return title_;
}

void MControlFont::SetFont(std::u16string_view name, int size, int style) {
    auto lock = LockToolkit();
    font_name_ = name;
    font_width_ = size;
    font_style_ = style;
    Changed(ControlChange::kFont);
}

void MControlFont::SetFontName(std::u16string_view name) {
    auto lock = LockToolkit();
    font_name_ = name;
    Changed(ControlChange::kFont);
}

void MControlFont::SetFontWidth(int size) {
    auto lock = LockToolkit();
    font_width_ = size;
    Changed(ControlChange::kFont);
}

std::u16string MControlFont::GetFontName() const {
    auto lock = LockToolkit();
    return font_name_;
}

int MControlFont::GetFontWidth() const {
    auto lock = LockToolkit();
    return font_width_;
}

int MControlFont::GetFontStyle() const {
    auto lock = LockToolkit();
    return font_style_;
}

void MControlFont::SetAlignment(int alignment) {
    auto lock = LockToolkit();
    alignment_ = alignment;
    Changed(ControlChange::kAlignment);
}

int MControlFont::GetAlignment() const {
    auto lock = LockToolkit();
    return alignment_;
}

void MControlFont::SetVAlignment(int alignment) {
    auto lock = LockToolkit();
    v_alignment_ = alignment;
    Changed(ControlChange::kAlignment);
}

int MControlFont::GetVAlignment() const {
    auto lock = LockToolkit();
    return v_alignment_;
}

void MControlFont::SetMultiLine(bool multi_line) {
    auto lock = LockToolkit();
    multi_line_ = multi_line;
    Changed(ControlChange::kStyle);
}

bool MControlFont::IsMultiLine() const {
    auto lock = LockToolkit();
    return multi_line_;
}

}  // namespace tessaly::DUI
