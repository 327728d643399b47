#pragma once
// The toolkit model rendered as Qt Widgets. Model changes arrive on any
// thread with the toolkit lock held; they are queued and applied on the Qt
// UI thread in order, so the worker never waits for the GUI. The toolkit's
// posted messages and timers run from the Qt event loop, modal runs are
// nested event loops, file dialogs are QFileDialog.
//
// Window destruction happens on the UI thread only (as the toolkit demands);
// the backend keeps its own list of live windows and controls, updated in
// the notifications themselves, so a queued change never touches a control
// whose dialog is gone.

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <set>
#include <unordered_map>
#include <vector>

#include "ui/toolkit/backend.h"
#include "ui/toolkit/clock.h"
#include "ui/toolkit/toolkit.h"

class QEventLoop;
class QWidget;

namespace tessaly::qt {

class ControlView;
class WindowWidget;

class QtBackend : public QObject, public DUI::Backend {
  public:
    // A QApplication must exist; the calling thread becomes the UI thread.
    QtBackend();
    ~QtBackend() override;
    QtBackend(const QtBackend&) = delete;
    QtBackend& operator=(const QtBackend&) = delete;

    // Installs this backend in the toolkit (and removes it again).
    void Start();
    void Stop();

    // UI thread: applies every queued change now.
    void Flush();
    // The widgets that show a window or control; null when none (yet). A
    // control's widget is made when it is first shown, or asked for here.
    QWidget* WindowWidgetOf(DUI::WindowHandle window) const;
    QWidget* ControlWidgetOf(const DUI::MControl& control);
    // Called on the UI thread when a window's widget was hidden by the
    // model (the host keeps the main window reachable without a tray).
    void SetHiddenHandler(std::function<void(DUI::WindowHandle)> handler);

    // --- Backend ---------------------------------------------------------------
    void WindowCreated(const DUI::MWindow& window) override;
    void WindowChanged(const DUI::MWindow& window, DUI::WindowChange change) override;
    void WindowDestroyed(const DUI::MWindow& window) override;
    void ControlCreated(const DUI::MControl& control) override;
    void ControlChanged(const DUI::MControl& control, DUI::ControlChange change) override;
    void MenuOpened(const DUI::MenuWnd& menu) override;
    void Wake() override;
    void RunModal(DUI::MWindow& window) override;
    std::optional<std::u16string> ChooseFile(const DUI::FileDialogRequest& request) override;
    DUI::Rect WorkArea() const override;
    DUI::Point CursorPos() const override;

  private:
    enum class NoteKind {
        kWindowCreated,
        kWindowChanged,
        kWindowDestroyed,
        kControlCreated,
        kControlChanged,
        kMenuOpened
    };
    struct Note {
        NoteKind kind;
        DUI::WindowHandle window = 0;
        const DUI::MControl* control = nullptr;
        int change = 0;
    };
    struct View {
        DUI::WindowHandle window;
        ControlView* view;  // owned by its window widget
        uint64_t order;     // creation order: the stacking of siblings
    };
    struct Unmade {
        DUI::WindowHandle window;
        uint64_t order;
    };

    void Queue(Note note);  // lock of the toolkit held
    void Apply(const Note& note);
    void ApplyWindowCreated(DUI::WindowHandle handle);
    void ApplyWindowDestroyed(DUI::WindowHandle handle);
    void ApplyControlCreated(const DUI::MControl& control, DUI::WindowHandle handle);
    void ApplyControlChanged(const DUI::MControl& control, DUI::ControlChange change);
    ControlView* MakeView(const DUI::MControl& control, Unmade where);
    void PlaceInTabOrder(ControlView& view, Unmade where);
    void ChainInModelOrder(DUI::WindowHandle handle);
    void MakeShownViews(DUI::WindowHandle handle);
    void ApplyMenu(DUI::WindowHandle handle);
    void DetachWindow(DUI::WindowHandle handle);
    void RefreshShownStates(DUI::WindowHandle handle);
    void RunToolkit();
    void CheckModalLoops();
    bool IsLiveControl(const DUI::MControl* control) const;

    DUI::SteadyClock clock_;
    mutable std::mutex mutex_;  // the queue and the live lists
    std::vector<Note> notes_;
    bool flush_posted_ = false;
    std::set<DUI::WindowHandle> live_windows_;
    std::unordered_map<const DUI::MControl*, DUI::WindowHandle> live_controls_;
    std::atomic<bool> wake_posted_{false};

    // UI thread only.
    std::unordered_map<DUI::WindowHandle, QPointer<WindowWidget>> windows_;
    std::unordered_map<const DUI::MControl*, View> views_;
    // Controls not shown yet (most of them belong to pages not open): their
    // widgets wait, since making them is most of a start's work.
    std::unordered_map<const DUI::MControl*, Unmade> unmade_;
    uint64_t next_order_ = 0;
    std::vector<std::pair<DUI::MWindow*, QEventLoop*>> modal_loops_;
    QTimer timer_;
    QTimer modal_poll_;
    QTimer worker_batch_;  // applies what the worker changed, a batch at a time
    std::function<void(DUI::WindowHandle)> hidden_handler_;
    bool started_ = false;
};

}  // namespace tessaly::qt
