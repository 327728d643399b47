#include "ui/toolkit/window.h"

#include <algorithm>

#include "ui/toolkit/window_constants.h"

namespace tessaly::DUI {

void PaintManager::SetBackColor(Color top, Color bottom) {
    auto lock = LockToolkit();
    top_ = top;
    bottom_ = bottom;
    if (window_.IsCreated()) {
        Toolkit::Get().backend().WindowChanged(window_, WindowChange::kAppearance);
    }
}

Color PaintManager::GetBackColor1() const {
    auto lock = LockToolkit();
    return top_;
}

Color PaintManager::GetBackColor2() const {
    auto lock = LockToolkit();
    return bottom_;
}

MWindow::MWindow() : paint_(*this) {}

MWindow::~MWindow() {
    auto lock = LockToolkit();
    Detach();
}

void MWindow::NotifyChanged(WindowChange change) const {
    if (handle_ != 0) {
        Toolkit::Get().backend().WindowChanged(*this, change);
    }
}

bool MWindow::Create(MWindow* parent, std::u16string_view title, uint32_t style, uint32_t ex_style,
                     Rect rect) {
    Toolkit& toolkit = Toolkit::Get();
    {
        auto lock = LockToolkit();
        if (handle_ != 0 || !toolkit.IsUiThread()) {
            return false;
        }
        parent_ = parent != nullptr ? parent->GetSafeHwnd() : 0;
        title_ = title;
        style_ = style;
        ex_style_ = ex_style;
        rect_ = rect;
        visible_ = (style & kWsVisible) != 0;
        minimized_ = maximized_ = false;
        handle_ = toolkit.Register(*this);
        toolkit.backend().WindowCreated(*this);
    }
    OnInitDialog();
    return true;
}

void MWindow::CenterWindow(const MWindow* reference) {
    Rect area = reference != nullptr ? reference->GetWindowRect() : Toolkit::Get().WorkArea();
    auto lock = LockToolkit();
    int width = rect_.Width();
    int height = rect_.Height();
    int left = area.left + (area.Width() - width) / 2;
    int top = area.top + (area.Height() - height) / 2;
    // Kept on the screen's free area; a window larger than it keeps its
    // caption and top-left corner reachable.
    const Rect screen = Toolkit::Get().WorkArea();
    if (!screen.IsEmpty()) {
        left = std::max(screen.left, std::min(left, screen.right - width));
        top = std::max(screen.top, std::min(top, screen.bottom - height));
    }
    SetGeometry({left, top, left + width, top + height});
}

int MWindow::ShowModal(int show_command) {
    Toolkit& toolkit = Toolkit::Get();
    {
        auto lock = LockToolkit();
        if (handle_ == 0 || !toolkit.IsUiThread()) {
            return -1;
        }
        modal_ = true;
        modal_ended_ = false;
        modal_result_ = 0;
    }
    ShowWindow(show_command);
    toolkit.backend().RunModal(*this);
    auto lock = LockToolkit();
    if (!modal_ended_) {
        // A backend that gives up leaves the run unanswered.
        modal_ended_ = true;
    }
    modal_ = false;
    return modal_result_;
}

bool MWindow::ShowWindow(int command) {
    auto lock = LockToolkit();
    bool was_visible = visible_;
    bool show = command != kSwHide;
    if (show) {
        minimized_ = false;
    }
    if (visible_ != show) {
        visible_ = show;
        NotifyChanged(WindowChange::kVisibility);
    }
    return was_visible;
}

void MWindow::DestroyWindow() {
    {
        auto lock = LockToolkit();
        if (handle_ == 0) {
            return;
        }
    }
    OnDestroy();
    auto lock = LockToolkit();
    Detach();
}

void MWindow::Detach() {
    if (handle_ == 0) {
        return;
    }
    Toolkit& toolkit = Toolkit::Get();
    toolkit.backend().WindowDestroyed(*this);
    toolkit.Unregister(handle_);
    handle_ = 0;
    visible_ = false;
    if (modal_) {
        modal_ended_ = true;
    }
}

void MWindow::SetGeometry(Rect rect) {
    bool resized = rect.Width() != rect_.Width() || rect.Height() != rect_.Height();
    if (rect == rect_) {
        return;
    }
    rect_ = rect;
    NotifyChanged(WindowChange::kPosition);
    if (!resized || handle_ == 0) {
        return;
    }
    Toolkit& toolkit = Toolkit::Get();
    Size client{rect.Width(), rect.Height()};
    // The layout is dialog code: it runs on the UI thread, after this call.
    toolkit.PostToWindow(handle_, [client](MWindow& window) {
        window.UISize({0, 0, client.width, client.height});
    });
}

void MWindow::MoveWindow(Rect rect, bool repaint) {
    auto lock = LockToolkit();
    SetGeometry(rect);
    if (repaint) {
        NotifyChanged(WindowChange::kRepaint);
    }
}

void MWindow::SetWindowPos(int insert_after, int x, int y, int cx, int cy, uint32_t flags) {
    auto lock = LockToolkit();
    Rect rect = rect_;
    if ((flags & kSwpNoMove) == 0) {
        rect = {x, y, x + rect.Width(), y + rect.Height()};
    }
    if ((flags & kSwpNoSize) == 0) {
        rect.right = rect.left + cx;
        rect.bottom = rect.top + cy;
    }
    SetGeometry(rect);
    if (insert_after == kHwndTopMost) {
        topmost_ = true;
    }
    NotifyChanged(WindowChange::kZOrder);
    if ((flags & kSwpShowWindow) != 0) {
        ShowWindow(kSwShow);
    }
}

Rect MWindow::GetClientRect() const {
    auto lock = LockToolkit();
    return {0, 0, rect_.Width(), rect_.Height()};
}

Rect MWindow::GetWindowRect() const {
    auto lock = LockToolkit();
    return rect_;
}

Point MWindow::ClientToScreen(Point client) const {
    auto lock = LockToolkit();
    return {client.x + rect_.left, client.y + rect_.top};
}

void MWindow::InvalidateRect() {
    auto lock = LockToolkit();
    NotifyChanged(WindowChange::kRepaint);
}

void MWindow::SetTimer(uint32_t id, int interval_ms) {
    Toolkit::Get().SetTimer(GetSafeHwnd(), id, interval_ms);
}

void MWindow::KillTimer(uint32_t id) {
    Toolkit::Get().KillTimer(GetSafeHwnd(), id);
}

bool MWindow::HasTimer(uint32_t id) const {
    return Toolkit::Get().TimerInterval(GetSafeHwnd(), id).has_value();
}

void MWindow::SetIcon(const Icon& icon) {
    auto lock = LockToolkit();
    icon_ = icon;
    NotifyChanged(WindowChange::kIcon);
}

void MWindow::SetInputMethodEnabled(bool enabled) {
    auto lock = LockToolkit();
    input_method_ = enabled;
    NotifyChanged(WindowChange::kAppearance);
}

bool MWindow::IsInputMethodEnabled() const {
    auto lock = LockToolkit();
    return input_method_;
}

Icon MWindow::GetIcon() const {
    auto lock = LockToolkit();
    return icon_;
}

WindowHandle MWindow::GetSafeHwnd() const {
    auto lock = LockToolkit();
    return handle_;
}

void MWindow::OnMinimize() {
    auto lock = LockToolkit();
    if (!minimized_) {
        minimized_ = true;
        NotifyChanged(WindowChange::kState);
    }
}

bool MWindow::IsIconic() const {
    auto lock = LockToolkit();
    return minimized_;
}

bool MWindow::IsZoomed() const {
    auto lock = LockToolkit();
    return maximized_;
}

bool MWindow::IsCreated() const {
    return GetSafeHwnd() != 0;
}

bool MWindow::IsVisible() const {
    auto lock = LockToolkit();
    return visible_;
}

bool MWindow::IsTopMost() const {
    auto lock = LockToolkit();
    return topmost_;
}

std::u16string MWindow::GetTitle() const {
    auto lock = LockToolkit();
    return title_;
}

uint32_t MWindow::GetStyle() const {
    auto lock = LockToolkit();
    return style_;
}

uint32_t MWindow::GetExStyle() const {
    auto lock = LockToolkit();
    return ex_style_;
}

WindowHandle MWindow::GetParentHandle() const {
    auto lock = LockToolkit();
    return parent_;
}

void MWindow::EndModal(int result) {
    auto lock = LockToolkit();
    modal_result_ = result;
    if (modal_) {
        modal_ended_ = true;
    }
    ShowWindow(kSwHide);
    Toolkit::Get().backend().Wake();
}

bool MWindow::IsModal() const {
    auto lock = LockToolkit();
    return modal_ && !modal_ended_;
}

bool MWindow::IsModalEnded() const {
    auto lock = LockToolkit();
    return modal_ended_;
}

int MWindow::GetModalResult() const {
    auto lock = LockToolkit();
    return modal_result_;
}

void MWindow::Resize(Size client, bool maximized) {
    {
        auto lock = LockToolkit();
        maximized_ = maximized;
        Rect rect{rect_.left, rect_.top, rect_.left + client.width, rect_.top + client.height};
        if (rect == rect_) {
            NotifyChanged(WindowChange::kState);
            return;
        }
        rect_ = rect;
        NotifyChanged(WindowChange::kPosition);
    }
    UISize({0, 0, client.width, client.height});
}

intptr_t MWindow::OnWindowMessage(uint32_t message, uintptr_t wparam, intptr_t) {
    if (message == kWmClose) {
        if (wparam != 0) {
            auto lock = LockToolkit();
            modal_result_ = static_cast<int>(wparam);
        }
        CloseWindow();
    }
    return 0;
}

bool MWindow::OnInitDialog() {
    InitUI(GetClientRect());
    return true;
}

void MWindow::InitUI(Rect) {}
void MWindow::UISize(Rect) {}
int MWindow::OnMessage(int, int, intptr_t, intptr_t) {
    return 0;
}
int MWindow::OnNcActivate(bool) {
    return 1;
}
void MWindow::OnTimer(uint32_t) {}
int MWindow::OnDestroy() {
    return 0;
}
void MWindow::CloseWindow() {
    DestroyWindow();
}
bool MWindow::OnEscapeKey() {
    return false;
}

}  // namespace tessaly::DUI
