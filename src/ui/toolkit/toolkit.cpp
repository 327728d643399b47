#include "ui/toolkit/toolkit.h"

#include <algorithm>
#include <chrono>

#include "ui/toolkit/control.h"
#include "ui/toolkit/dialog.h"
#include "ui/toolkit/headless_backend.h"
#include "ui/toolkit/menu_wnd.h"
#include "ui/toolkit/window.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::DUI {

std::recursive_mutex& ToolkitMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

Toolkit& Toolkit::Get() {
    // Never destroyed: windows and controls may outlive static destruction order.
    static Toolkit* toolkit = new Toolkit();
    return *toolkit;
}

Toolkit::Toolkit()
    : default_backend_(std::make_unique<HeadlessBackend>()),
      backend_(default_backend_.get()),
      clock_(&default_clock_),
      ui_thread_(std::this_thread::get_id()) {}

Toolkit::~Toolkit() = default;

void Toolkit::Start(Backend& backend, Clock& clock) {
    auto lock = LockToolkit();
    backend_ = &backend;
    clock_ = &clock;
    ui_thread_ = std::this_thread::get_id();
}

Backend& Toolkit::ReplaceBackend(Backend& backend) {
    auto lock = LockToolkit();
    Backend& previous = *backend_;
    backend_ = &backend;
    return previous;
}

void Toolkit::Stop() {
    auto lock = LockToolkit();
    posted_.clear();
    timers_.clear();
    menus_.clear();
    backend_ = default_backend_.get();
    clock_ = &default_clock_;
}

void Toolkit::WakeLocked() {
    backend_->Wake();
    wake_.notify_all();
}

WindowHandle Toolkit::Register(MWindow& window) {
    auto lock = LockToolkit();
    WindowHandle handle = next_handle_++;
    windows_.emplace_back(handle, &window);
    return handle;
}

void Toolkit::Unregister(WindowHandle window) {
    auto lock = LockToolkit();
    std::erase_if(windows_, [window](const auto& entry) { return entry.first == window; });
    std::erase_if(timers_, [window](const Timer& timer) { return timer.window == window; });
}

std::vector<MWindow*> Toolkit::Windows() const {
    auto lock = LockToolkit();
    std::vector<MWindow*> result;
    for (const auto& entry : windows_) {
        result.push_back(entry.second);
    }
    return result;
}

MWindow* Toolkit::WindowFromHandle(WindowHandle window) const {
    auto lock = LockToolkit();
    for (const auto& entry : windows_) {
        if (entry.first == window) {
            return entry.second;
        }
    }
    return nullptr;
}

bool Toolkit::PostMessage(WindowHandle window, uint32_t message, uintptr_t wparam,
                          intptr_t lparam) {
    auto lock = LockToolkit();
    if (WindowFromHandle(window) == nullptr) {
        return false;
    }
    PostToWindow(window, [message, wparam, lparam](MWindow& target) {
        target.OnWindowMessage(message, wparam, lparam);
    });
    return true;
}

void Toolkit::PostToWindow(WindowHandle window, std::function<void(MWindow&)> work) {
    auto lock = LockToolkit();
    posted_.push_back({window, std::move(work)});
    WakeLocked();
}

WindowHandle Toolkit::FindWindow(std::string_view class_name, std::u16string_view title) const {
    auto lock = LockToolkit();
    for (const auto& [handle, window] : windows_) {
        if (window->ClassName() == class_name && window->GetTitle() == title) {
            return handle;
        }
    }
    return 0;
}

bool Toolkit::ShowWindow(WindowHandle window, int command) {
    auto lock = LockToolkit();
    MWindow* target = WindowFromHandle(window);
    return target != nullptr && target->ShowWindow(command);
}

void Toolkit::SetTimer(WindowHandle window, uint32_t id, int interval_ms) {
    auto lock = LockToolkit();
    if (WindowFromHandle(window) == nullptr) {
        return;
    }
    interval_ms = std::max(interval_ms, 1);
    int64_t due = clock_->NowMs() + interval_ms;
    auto it = std::find_if(timers_.begin(), timers_.end(), [&](const Timer& timer) {
        return timer.window == window && timer.id == id;
    });
    if (it != timers_.end()) {
        it->interval = interval_ms;
        it->due = due;
    } else {
        timers_.push_back({window, id, interval_ms, due});
    }
    WakeLocked();
}

void Toolkit::KillTimer(WindowHandle window, uint32_t id) {
    auto lock = LockToolkit();
    std::erase_if(timers_,
                  [&](const Timer& timer) { return timer.window == window && timer.id == id; });
}

std::optional<int> Toolkit::TimerInterval(WindowHandle window, uint32_t id) const {
    auto lock = LockToolkit();
    for (const Timer& timer : timers_) {
        if (timer.window == window && timer.id == id) {
            return timer.interval;
        }
    }
    return std::nullopt;
}

std::optional<int64_t> Toolkit::NextTimerDueMs() const {
    auto lock = LockToolkit();
    std::optional<int64_t> next;
    for (const Timer& timer : timers_) {
        if (!next || timer.due < *next) {
            next = timer.due;
        }
    }
    return next;
}

int Toolkit::ProcessPending() {
    std::vector<Posted> batch;
    std::vector<std::pair<WindowHandle, uint32_t>> due;
    {
        auto lock = LockToolkit();
        ReleaseClosedMenus();
        batch.swap(posted_);
        int64_t now = clock_->NowMs();
        std::vector<Timer*> ready;
        for (Timer& timer : timers_) {
            if (timer.due <= now) {
                ready.push_back(&timer);
            }
        }
        std::stable_sort(ready.begin(), ready.end(),
                         [](const Timer* a, const Timer* b) { return a->due < b->due; });
        for (Timer* timer : ready) {
            timer->due = now + timer->interval;
            due.emplace_back(timer->window, timer->id);
        }
    }
    int count = 0;
    for (Posted& item : batch) {
        // Windows are destroyed on this thread only, so a window found here
        // stays alive while its work runs.
        if (MWindow* window = WindowFromHandle(item.window)) {
            item.work(*window);
            ++count;
        }
    }
    for (const auto& [handle, id] : due) {
        MWindow* window = nullptr;
        {
            auto lock = LockToolkit();
            // A handler before this one may have killed the timer.
            if (!TimerInterval(handle, id)) {
                continue;
            }
            window = WindowFromHandle(handle);
        }
        if (window == nullptr) {
            continue;
        }
        if (id == MDialog::kControlTimerId) {
            window->TickControlTimer();
        } else {
            window->OnTimer(id);
        }
        ++count;
    }
    return count;
}

void Toolkit::RunUntil(const std::function<bool()>& done, int max_wait_ms) {
    while (!done()) {
        if (ProcessPending() > 0) {
            continue;
        }
        auto lock = LockToolkit();
        if (!posted_.empty()) {
            continue;
        }
        int64_t wait = max_wait_ms;
        if (auto next = NextTimerDueMs()) {
            wait = std::clamp<int64_t>(*next - clock_->NowMs(), 0, max_wait_ms);
        }
        if (wait > 0) {
            wake_.wait_for(lock, std::chrono::milliseconds(wait));
        }
    }
}

bool Toolkit::DeliverControlEvent(MControl& control, int event, intptr_t param) {
    MDialog* owner = control.GetOwner();
    {
        auto lock = LockToolkit();
        if (owner == nullptr || !owner->IsVisible() || !control.IsShown() || !control.IsEnabled()) {
            return false;
        }
        control.ApplyUserEvent(event, param);
    }
    owner->OnMessage(control.GetId(), event, param, 0);
    return true;
}

bool Toolkit::DeliverUserText(MControl& control, std::u16string_view text) {
    auto lock = LockToolkit();
    if (!control.IsShown() || !control.IsEnabled()) {
        return false;
    }
    return control.ApplyUserText(text);
}

bool Toolkit::DeliverFocus(MControl& control, bool focused) {
    {
        auto lock = LockToolkit();
        if (focused && (!control.IsShown() || !control.IsEnabled())) {
            return false;
        }
    }
    control.OnFocus(focused ? 1 : 0);
    return true;
}

void Toolkit::DeliverClose(WindowHandle window) {
    if (MWindow* target = WindowFromHandle(window)) {
        target->OnWindowMessage(kWmClose, 0, 0);
    }
}

bool Toolkit::DeliverEscape(WindowHandle window) {
    MWindow* target = WindowFromHandle(window);
    return target != nullptr && target->OnEscapeKey();
}

void Toolkit::DeliverResize(WindowHandle window, Size client, bool maximized) {
    if (MWindow* target = WindowFromHandle(window)) {
        target->Resize(client, maximized);
    }
}

void Toolkit::DeliverActivate(WindowHandle window, bool active) {
    if (MWindow* target = WindowFromHandle(window)) {
        target->OnNcActivate(active);
    }
}

void Toolkit::DeliverMenuChoice(MenuWnd& menu, int item_id) {
    menu.Choose(item_id);
}

MenuWnd& Toolkit::AdoptMenu(std::unique_ptr<MenuWnd> menu) {
    auto lock = LockToolkit();
    menus_.push_back(std::move(menu));
    return *menus_.back();
}

std::vector<MenuWnd*> Toolkit::OpenMenus() const {
    auto lock = LockToolkit();
    std::vector<MenuWnd*> open;
    for (const auto& menu : menus_) {
        if (menu->IsCreated()) {
            open.push_back(menu.get());
        }
    }
    return open;
}

void Toolkit::ReleaseClosedMenus() {
    std::erase_if(menus_, [](const auto& menu) { return !menu->IsCreated(); });
}

}  // namespace tessaly::DUI
