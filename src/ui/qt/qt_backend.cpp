#include "ui/qt/qt_backend.h"

#include <QAction>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <unordered_set>

#include "ui/qt/control_view.h"
#include "ui/qt/file_chooser.h"
#include "ui/qt/theme.h"
#include "ui/qt/window_widget.h"
#include "ui/toolkit/dialog.h"
#include "ui/toolkit/menu_wnd.h"

namespace tessaly::qt {
namespace {

constexpr int kModalPollMs = 15;
constexpr int kWorkerBatchMs = 2;

bool IsMenu(const DUI::MWindow& window) {
    return dynamic_cast<const DUI::MenuWnd*>(&window) != nullptr;
}

}  // namespace

QtBackend::QtBackend() {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { RunToolkit(); });
    worker_batch_.setSingleShot(true);
    worker_batch_.setInterval(kWorkerBatchMs);
    connect(&worker_batch_, &QTimer::timeout, this, [this] { Flush(); });
    modal_poll_.setInterval(kModalPollMs);
    connect(&modal_poll_, &QTimer::timeout, this, [this] { CheckModalLoops(); });
}

QtBackend::~QtBackend() {
    Stop();
}

void QtBackend::Start() {
    if (!started_) {
        DUI::Toolkit::Get().Start(*this, clock_);
        started_ = true;
    }
}

void QtBackend::Stop() {
    if (started_) {
        DUI::Toolkit::Get().Stop();
        started_ = false;
    }
}

void QtBackend::SetHiddenHandler(std::function<void(DUI::WindowHandle)> handler) {
    hidden_handler_ = std::move(handler);
}

// --- notifications: any thread, toolkit lock held --------------------------

void QtBackend::Queue(Note note) {
    bool post = false;
    {
        std::lock_guard lock(mutex_);
        notes_.push_back(note);
        post = !flush_posted_;
        flush_posted_ = true;
    }
    if (!post) {
        return;
    }
    if (QThread::currentThread() == thread()) {
        QMetaObject::invokeMethod(
            this, [this] { Flush(); }, Qt::QueuedConnection);
    } else {
        // The worker changes controls in runs (a list filled item by item):
        // what it changes within a few milliseconds is applied in one go,
        // instead of waking the UI thread for every item.
        QMetaObject::invokeMethod(
            this, [this] { worker_batch_.start(); }, Qt::QueuedConnection);
    }
}

void QtBackend::WindowCreated(const DUI::MWindow& window) {
    if (IsMenu(window)) {
        return;
    }
    {
        std::lock_guard lock(mutex_);
        live_windows_.insert(window.GetSafeHwnd());
    }
    Queue({NoteKind::kWindowCreated, window.GetSafeHwnd()});
    // Controls made before the window existed were never announced.
    if (auto* dialog = dynamic_cast<const DUI::MDialog*>(&window)) {
        for (const DUI::MControl* control : dialog->Controls()) {
            ControlCreated(*control);
        }
    }
}

void QtBackend::WindowChanged(const DUI::MWindow& window, DUI::WindowChange change) {
    if (!IsMenu(window)) {
        Queue({NoteKind::kWindowChanged, window.GetSafeHwnd(), nullptr, static_cast<int>(change)});
    }
}

void QtBackend::WindowDestroyed(const DUI::MWindow& window) {
    const DUI::WindowHandle handle = window.GetSafeHwnd();
    {
        std::lock_guard lock(mutex_);
        if (live_windows_.erase(handle) == 0) {
            return;
        }
        std::erase_if(live_controls_,
                      [handle](const auto& entry) { return entry.second == handle; });
    }
    // On the UI thread (the rule) the views stop feeding input at once; the
    // widgets go when the queue is applied.
    if (QThread::currentThread() == thread()) {
        DetachWindow(handle);
    }
    Queue({NoteKind::kWindowDestroyed, handle});
}

void QtBackend::ControlCreated(const DUI::MControl& control) {
    const DUI::MDialog* owner = control.GetOwner();
    if (owner == nullptr) {
        return;
    }
    const DUI::WindowHandle handle = owner->GetSafeHwnd();
    {
        std::lock_guard lock(mutex_);
        if (live_windows_.count(handle) == 0) {
            return;
        }
        live_controls_[&control] = handle;
    }
    Queue({NoteKind::kControlCreated, handle, &control});
}

void QtBackend::ControlChanged(const DUI::MControl& control, DUI::ControlChange change) {
    Queue({NoteKind::kControlChanged, 0, &control, static_cast<int>(change)});
}

void QtBackend::MenuOpened(const DUI::MenuWnd& menu) {
    Queue({NoteKind::kMenuOpened, menu.GetSafeHwnd()});
}

void QtBackend::Wake() {
    if (!wake_posted_.exchange(true)) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                wake_posted_ = false;
                RunToolkit();
            },
            Qt::QueuedConnection);
    }
}

// --- the UI thread ------------------------------------------------------------

bool QtBackend::IsLiveControl(const DUI::MControl* control) const {
    std::lock_guard lock(mutex_);
    return live_controls_.count(control) != 0;
}

void QtBackend::Flush() {
    std::vector<Note> notes;
    {
        std::lock_guard lock(mutex_);
        notes.swap(notes_);
        flush_posted_ = false;
    }
    // A list filled item by item notes every item, and a view reads the
    // whole list: of a batch, only each control's last item note is applied.
    std::unordered_set<const DUI::MControl*> items_later;
    std::vector<bool> superseded(notes.size(), false);
    for (size_t i = notes.size(); i-- > 0;) {
        const Note& note = notes[i];
        if (note.kind == NoteKind::kControlChanged &&
            note.change == static_cast<int>(DUI::ControlChange::kItems)) {
            superseded[i] = !items_later.insert(note.control).second;
        }
    }
    for (size_t i = 0; i < notes.size(); ++i) {
        if (!superseded[i]) {
            Apply(notes[i]);
        }
    }
    CheckModalLoops();
}

void QtBackend::Apply(const Note& note) {
    switch (note.kind) {
        case NoteKind::kWindowCreated:
            ApplyWindowCreated(note.window);
            break;
        case NoteKind::kWindowChanged: {
            auto found = windows_.find(note.window);
            if (found != windows_.end() && found->second) {
                const auto change = static_cast<DUI::WindowChange>(note.change);
                const bool was_visible = found->second->isVisible();
                found->second->Refresh(change);
                if (change == DUI::WindowChange::kVisibility && was_visible &&
                    !found->second->isVisible() && hidden_handler_) {
                    hidden_handler_(note.window);
                }
            }
            break;
        }
        case NoteKind::kWindowDestroyed:
            ApplyWindowDestroyed(note.window);
            break;
        case NoteKind::kControlCreated:
            if (IsLiveControl(note.control)) {
                ApplyControlCreated(*note.control, note.window);
            }
            break;
        case NoteKind::kControlChanged:
            if (IsLiveControl(note.control)) {
                ApplyControlChanged(*note.control, static_cast<DUI::ControlChange>(note.change));
            }
            break;
        case NoteKind::kMenuOpened:
            ApplyMenu(note.window);
            break;
    }
}

void QtBackend::ApplyWindowCreated(DUI::WindowHandle handle) {
    {
        std::lock_guard lock(mutex_);
        if (live_windows_.count(handle) == 0) {
            return;
        }
    }
    DUI::MWindow* model = DUI::Toolkit::Get().WindowFromHandle(handle);
    if (model == nullptr) {
        return;
    }
    QWidget* parent = WindowWidgetOf(model->GetParentHandle());
    auto* widget = new WindowWidget(handle, parent);
    widget->setStyleSheet(StyleSheet());
    windows_[handle] = widget;
    widget->Refresh(DUI::WindowChange::kVisibility);
}

void QtBackend::DetachWindow(DUI::WindowHandle handle) {
    for (auto& [control, view] : views_) {
        if (view.window == handle) {
            view.view->Detach();
        }
    }
    auto found = windows_.find(handle);
    if (found != windows_.end() && found->second) {
        found->second->Detach();
    }
}

void QtBackend::ApplyWindowDestroyed(DUI::WindowHandle handle) {
    DetachWindow(handle);
    std::erase_if(views_, [handle](const auto& entry) { return entry.second.window == handle; });
    std::erase_if(unmade_, [handle](const auto& entry) { return entry.second.window == handle; });
    auto found = windows_.find(handle);
    if (found == windows_.end()) {
        return;
    }
    if (QPointer<WindowWidget> widget = found->second) {
        widget->hide();
        widget->deleteLater();
    }
    windows_.erase(found);
}

void QtBackend::ApplyControlCreated(const DUI::MControl& control, DUI::WindowHandle handle) {
    auto window = windows_.find(handle);
    if (window == windows_.end() || !window->second || views_.count(&control) != 0 ||
        unmade_.count(&control) != 0) {
        return;
    }
    const Unmade where{handle, next_order_++};
    if (control.IsShown()) {
        MakeView(control, where);
    } else {
        unmade_[&control] = where;
    }
}

ControlView* QtBackend::MakeView(const DUI::MControl& control, Unmade where) {
    auto window = windows_.find(where.window);
    if (window == windows_.end() || !window->second) {
        return nullptr;
    }
    // The model hands out const controls; input goes back through it.
    auto& model = const_cast<DUI::MControl&>(control);
    ControlView* view = MakeControlView(model, *window->second);
    // Stacked as if made in the model's order: under the first later sibling
    // that has its widget already.
    const View* above = nullptr;
    for (const auto& [other, made] : views_) {
        if (made.window == where.window && made.order > where.order &&
            (above == nullptr || made.order < above->order)) {
            above = &made;
        }
    }
    if (above != nullptr) {
        view->widget().stackUnder(&above->view->widget());
    }
    PlaceInTabOrder(*view, where);
    views_[&control] = {where.window, view, where.order};
    if (control.HasFocus()) {
        view->widget().setFocus(Qt::OtherFocusReason);
    }
    return view;
}

void QtBackend::PlaceInTabOrder(ControlView& view, Unmade where) {
    // Tab follows the model's order, the order the pages list their
    // controls in, whenever each widget happens to be made.
    const View* before = nullptr;
    const View* after = nullptr;
    for (const auto& [other, made] : views_) {
        if (made.window != where.window) {
            continue;
        }
        if (made.order < where.order && (before == nullptr || made.order > before->order)) {
            before = &made;
        }
        if (made.order > where.order && (after == nullptr || made.order < after->order)) {
            after = &made;
        }
    }
    if (before != nullptr) {
        QWidget::setTabOrder(&before->view->widget(), &view.widget());
    } else if (after != nullptr) {
        // No "before" in Qt: after whatever precedes the first one.
        QWidget::setTabOrder(after->view->widget().previousInFocusChain(), &view.widget());
    }
}

void QtBackend::MakeShownViews(DUI::WindowHandle handle) {
    std::vector<std::pair<const DUI::MControl*, Unmade>> shown;
    for (const auto& [control, where] : unmade_) {
        if (where.window == handle && control->IsShown()) {
            shown.emplace_back(control, where);
        }
    }
    for (const auto& [control, where] : shown) {
        unmade_.erase(control);
        MakeView(*control, where);
    }
    if (!shown.empty()) {
        ChainInModelOrder(handle);
    }
}

void QtBackend::ChainInModelOrder(DUI::WindowHandle handle) {
    // One placement per new widget can be undone by Qt's own reordering
    // of a widget that moves with its children; a whole chain cannot.
    std::vector<const View*> chain;
    for (const auto& [control, made] : views_) {
        if (made.window == handle) {
            chain.push_back(&made);
        }
    }
    std::sort(chain.begin(), chain.end(),
              [](const View* a, const View* b) { return a->order < b->order; });
    for (size_t i = 1; i < chain.size(); ++i) {
        QWidget::setTabOrder(&chain[i - 1]->view->widget(), &chain[i]->view->widget());
    }
}

void QtBackend::ApplyControlChanged(const DUI::MControl& control, DUI::ControlChange change) {
    auto found = views_.find(&control);
    if (found == views_.end()) {
        // A made view starts from the model's whole state, so an unmade
        // one needs only to know when it is shown.
        auto waiting = unmade_.find(&control);
        if (waiting != unmade_.end() && control.IsShown()) {
            const DUI::WindowHandle handle = waiting->second.window;
            if (change == DUI::ControlChange::kVisibility) {
                RefreshShownStates(handle);
            } else {
                const Unmade where = waiting->second;
                unmade_.erase(waiting);
                MakeView(control, where);
            }
        }
        return;
    }
    found->second.view->Refresh(change);
    // A page shown or hidden shows or hides everything on it.
    if (change == DUI::ControlChange::kVisibility) {
        RefreshShownStates(found->second.window);
    }
    if (change == DUI::ControlChange::kFocus && control.HasFocus()) {
        found->second.view->widget().setFocus(Qt::OtherFocusReason);
    }
}

void QtBackend::RefreshShownStates(DUI::WindowHandle handle) {
    for (auto& [control, view] : views_) {
        if (view.window == handle) {
            view.view->Refresh(DUI::ControlChange::kVisibility);
        }
    }
    MakeShownViews(handle);
}

void QtBackend::ApplyMenu(DUI::WindowHandle handle) {
    auto* menu = dynamic_cast<DUI::MenuWnd*>(DUI::Toolkit::Get().WindowFromHandle(handle));
    if (menu == nullptr) {
        return;
    }
    auto* popup = new QMenu(WindowWidgetOf(menu->GetOwnerHandle()));
    popup->setAttribute(Qt::WA_DeleteOnClose);
    popup->setStyleSheet(StyleSheet());
    popup->setMinimumWidth(menu->GetWindowRect().Width());
    for (const DUI::MenuItem& item : menu->Items()) {
        QAction* action = popup->addAction(ToQString(item.text));
        const int id = item.id;
        connect(action, &QAction::triggered, this, [handle, id] {
            if (auto* open =
                    dynamic_cast<DUI::MenuWnd*>(DUI::Toolkit::Get().WindowFromHandle(handle))) {
                DUI::Toolkit::Get().DeliverMenuChoice(*open, id);
            }
        });
    }
    // Dismissed without a choice: the model's menu closes too. The choice,
    // if any, is delivered before this runs.
    connect(popup, &QMenu::aboutToHide, this, [handle] {
        QTimer::singleShot(0, [handle] {
            if (DUI::Toolkit::Get().WindowFromHandle(handle) != nullptr) {
                DUI::Toolkit::Get().DeliverClose(handle);
            }
        });
    });
    const DUI::Rect at = menu->GetWindowRect();
    popup->popup(QPoint(at.left, at.top));
}

void QtBackend::RunToolkit() {
    DUI::Toolkit& toolkit = DUI::Toolkit::Get();
    toolkit.ProcessPending();
    if (const std::optional<int64_t> due = toolkit.NextTimerDueMs()) {
        const int64_t wait = std::max<int64_t>(0, *due - toolkit.clock().NowMs());
        timer_.start(static_cast<int>(std::min<int64_t>(wait, 60'000)));
    } else {
        timer_.stop();
    }
    CheckModalLoops();
}

void QtBackend::CheckModalLoops() {
    for (auto& [window, loop] : modal_loops_) {
        if (window->IsModalEnded() || !window->IsCreated()) {
            loop->quit();
        }
    }
}

void QtBackend::RunModal(DUI::MWindow& window) {
    Flush();
    QEventLoop loop;
    modal_loops_.emplace_back(&window, &loop);
    // A window without an owner (the main window) blocks nothing; a modal
    // flag on it would only make the window manager treat it as a dialog.
    QWidget* widget = WindowWidgetOf(window.GetSafeHwnd());
    if (widget != nullptr && widget->parentWidget() != nullptr) {
        const bool shown = widget->isVisible();
        widget->hide();
        widget->setWindowModality(Qt::WindowModal);
        if (shown) {
            widget->show();
            widget->raise();
            widget->activateWindow();
        }
    }
    modal_poll_.start();
    if (!window.IsModalEnded() && window.IsCreated()) {
        loop.exec();
    }
    modal_loops_.pop_back();
    if (modal_loops_.empty()) {
        modal_poll_.stop();
    }
    if (QWidget* after = WindowWidgetOf(window.GetSafeHwnd())) {
        after->setWindowModality(Qt::NonModal);
    }
}

std::optional<std::u16string> QtBackend::ChooseFile(const DUI::FileDialogRequest& request) {
    const std::optional<QString> chosen =
        RunFileDialog(WindowWidgetOf(request.owner), request.save,
                      ToQString(request.filter_description), ToQString(request.filter_pattern));
    if (!chosen) {
        return std::nullopt;
    }
    return FromQString(*chosen);
}

DUI::Rect QtBackend::WorkArea() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return Backend::WorkArea();
    }
    const QRect area = screen->availableGeometry();
    return {area.left(), area.top(), area.right() + 1, area.bottom() + 1};
}

DUI::Point QtBackend::CursorPos() const {
    const QPoint at = QCursor::pos();
    return {at.x(), at.y()};
}

QWidget* QtBackend::WindowWidgetOf(DUI::WindowHandle window) const {
    auto found = windows_.find(window);
    return found == windows_.end() ? nullptr : found->second.data();
}

QWidget* QtBackend::ControlWidgetOf(const DUI::MControl& control) {
    auto found = views_.find(&control);
    if (found != views_.end()) {
        return &found->second.view->widget();
    }
    auto waiting = unmade_.find(&control);
    if (waiting == unmade_.end() || !IsLiveControl(&control)) {
        return nullptr;
    }
    const Unmade where = waiting->second;
    unmade_.erase(waiting);
    ControlView* view = MakeView(control, where);
    return view != nullptr ? &view->widget() : nullptr;
}

}  // namespace tessaly::qt
