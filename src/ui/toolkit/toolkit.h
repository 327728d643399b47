#pragma once
// The process-wide toolkit: one lock that serialises the whole model, the
// registry of live windows, the UI-thread loop (posted messages and timers)
// and the entry points through which a backend feeds user input back.
//
// Threads. The UI thread is the thread that called Start (or first used the
// toolkit). Every control and window operation may be called from any thread:
// it takes the toolkit lock for the length of the call only, so the device
// worker never waits for UI-thread handlers. Dialog code (OnMessage,
// OnWindowMessage, OnTimer, UISize, ...) runs on the UI thread only: a change
// made elsewhere that needs it is posted and delivered by ProcessPending.
//
// Driving the loop. ProcessPending runs everything posted so far and every
// timer that is due, then returns, so an outer event loop (Qt) can drive the
// toolkit: it calls ProcessPending whenever Backend::Wake fires and when
// NextTimerDueMs comes. RunUntil is the same loop as a blocking call, for the
// headless backend and the CLI.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "ui/toolkit/backend.h"
#include "ui/toolkit/clock.h"
#include "ui/toolkit/geometry.h"

namespace tessaly::DUI {

using WindowHandle = uint64_t;

class MControl;
class MWindow;
class MenuWnd;

// The one lock of the model; recursive because model operations call each
// other (a radio button unchecking its group, a tab showing its page).
std::recursive_mutex& ToolkitMutex();
[[nodiscard]] inline std::unique_lock<std::recursive_mutex> LockToolkit() {
    return std::unique_lock<std::recursive_mutex>(ToolkitMutex());
}

class Toolkit {
  public:
    static Toolkit& Get();

    // Installs a backend and a clock (both outlive the use) and makes the
    // calling thread the UI thread. Stop returns to the built-in headless
    // backend and the steady clock. Neither may be called while windows live.
    void Start(Backend& backend, Clock& clock);
    void Stop();

    Backend& backend() const { return *backend_; }
    // While windows live: a stand-in that passes every change on to the
    // backend it replaces (UI thread). Returns the one it replaced.
    Backend& ReplaceBackend(Backend& backend);
    const Clock& clock() const { return *clock_; }
    bool IsUiThread() const { return std::this_thread::get_id() == ui_thread_; }

    // --- any thread ---------------------------------------------------------
    // Queues a window message for the window's OnWindowMessage; false when
    // the window does not exist (then nothing is queued).
    bool PostMessage(WindowHandle window, uint32_t message, uintptr_t wparam, intptr_t lparam);
    // Queues work for a window on the UI thread; dropped if the window is
    // destroyed before it runs.
    void PostToWindow(WindowHandle window, std::function<void(MWindow&)> work);
    // First live window with this class name and title; 0 when none.
    WindowHandle FindWindow(std::string_view class_name, std::u16string_view title) const;
    // The live window with this handle, or null; the lock must be held for as
    // long as the pointer is used off the UI thread.
    MWindow* WindowFromHandle(WindowHandle window) const;
    bool ShowWindow(WindowHandle window, int command);

    // Timers of a window (id unique per window); repeating until killed.
    void SetTimer(WindowHandle window, uint32_t id, int interval_ms);
    void KillTimer(WindowHandle window, uint32_t id);
    std::optional<int> TimerInterval(WindowHandle window, uint32_t id) const;

    // --- UI thread: the loop -----------------------------------------------
    // Runs what was posted before the call and every due timer; returns how
    // many items ran.
    int ProcessPending();
    // When the next timer is due on the toolkit clock, if any.
    std::optional<int64_t> NextTimerDueMs() const;
    // Processes until done() holds. Waits between rounds for a post or the
    // next timer (at most max_wait_ms of real time per wait).
    void RunUntil(const std::function<bool()>& done, int max_wait_ms = 50);

    // --- UI thread: user input from the backend ------------------------------
    // The user acted on a control (event 2 is a click or choice; the
    // parameter an index, a position or a colour depending on the control).
    // The control's state changes as the action implies, then its dialog's
    // OnMessage runs. False (nothing happens) when the control is disabled or
    // not on screen.
    bool DeliverControlEvent(MControl& control, int event, intptr_t param);
    // The user typed into a control (edit fields, in-place edits of lists).
    bool DeliverUserText(MControl& control, std::u16string_view text);
    // The user moved the keyboard focus to or away from a control.
    bool DeliverFocus(MControl& control, bool focused);
    // The user closed the window (title bar, Alt+F4): WM_CLOSE.
    void DeliverClose(WindowHandle window);
    // The user pressed Escape in the window; true when the window took it.
    bool DeliverEscape(WindowHandle window);
    // The window's client area got this size (left and top are 0).
    void DeliverResize(WindowHandle window, Size client, bool maximized);
    void DeliverActivate(WindowHandle window, bool active);
    void DeliverMenuChoice(MenuWnd& menu, int item_id);

    Rect WorkArea() const { return backend_->WorkArea(); }
    Point CursorPos() const { return backend_->CursorPos(); }

    // --- model internals -----------------------------------------------------
    WindowHandle Register(MWindow& window);
    void Unregister(WindowHandle window);
    std::vector<MWindow*> Windows() const;
    // Toolkit-owned popup menus; closed ones are released on the UI thread.
    MenuWnd& AdoptMenu(std::unique_ptr<MenuWnd> menu);
    std::vector<MenuWnd*> OpenMenus() const;

  private:
    Toolkit();
    ~Toolkit();
    struct Posted {
        WindowHandle window;
        std::function<void(MWindow&)> work;
    };
    struct Timer {
        WindowHandle window;
        uint32_t id;
        int interval;
        int64_t due;
    };
    void WakeLocked();
    void ReleaseClosedMenus();

    std::unique_ptr<Backend> default_backend_;
    SteadyClock default_clock_;
    Backend* backend_;
    Clock* clock_;
    std::thread::id ui_thread_;

    WindowHandle next_handle_ = 1;
    std::vector<std::pair<WindowHandle, MWindow*>> windows_;
    std::vector<Posted> posted_;
    std::vector<Timer> timers_;
    std::vector<std::unique_ptr<MenuWnd>> menus_;
    std::condition_variable_any wake_;
};

}  // namespace tessaly::DUI
