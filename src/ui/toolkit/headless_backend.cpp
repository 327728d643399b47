#include "ui/toolkit/headless_backend.h"

#include <algorithm>

#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::DUI {

void HeadlessBackend::SetModalAnswer(ModalAnswer answer) {
    auto lock = LockToolkit();
    fixed_answer_ = answer;
    policy_ = nullptr;
}

void HeadlessBackend::SetModalPolicy(ModalPolicy policy) {
    auto lock = LockToolkit();
    policy_ = std::move(policy);
}

std::vector<ModalRecord> HeadlessBackend::ModalRuns() const {
    auto lock = LockToolkit();
    return modal_runs_;
}

void HeadlessBackend::SetFileAnswer(std::optional<std::u16string> path) {
    auto lock = LockToolkit();
    file_answer_ = std::move(path);
}

std::vector<FileDialogRequest> HeadlessBackend::FileRequests() const {
    auto lock = LockToolkit();
    return file_requests_;
}

void HeadlessBackend::SetWorkArea(Rect area) {
    auto lock = LockToolkit();
    work_area_ = area;
}

void HeadlessBackend::SetCursorPos(Point point) {
    auto lock = LockToolkit();
    cursor_ = point;
}

void HeadlessBackend::RecordChanges(bool on) {
    auto lock = LockToolkit();
    recording_ = on;
}

std::vector<ChangeRecord> HeadlessBackend::Changes() const {
    auto lock = LockToolkit();
    return changes_;
}

void HeadlessBackend::Record(ChangeRecord record) {
    if (recording_) {
        changes_.push_back(record);
    }
}

void HeadlessBackend::WindowCreated(const MWindow& window) {
    Record({ChangeRecord::Kind::kWindowCreated, window.GetSafeHwnd()});
}

void HeadlessBackend::WindowChanged(const MWindow& window, WindowChange change) {
    Record({ChangeRecord::Kind::kWindowChanged, window.GetSafeHwnd(), 0, nullptr,
            static_cast<int>(change)});
}

void HeadlessBackend::WindowDestroyed(const MWindow& window) {
    Record({ChangeRecord::Kind::kWindowDestroyed, window.GetSafeHwnd()});
}

void HeadlessBackend::ControlCreated(const MControl& control) {
    Record({ChangeRecord::Kind::kControlCreated, control.GetOwner()->GetSafeHwnd(), control.GetId(),
            &control});
}

void HeadlessBackend::ControlChanged(const MControl& control, ControlChange change) {
    Record({ChangeRecord::Kind::kControlChanged, control.GetOwner()->GetSafeHwnd(), control.GetId(),
            &control, static_cast<int>(change)});
}

void HeadlessBackend::MenuOpened(const MenuWnd& menu) {
    Record({ChangeRecord::Kind::kMenuOpened, menu.GetSafeHwnd()});
}

void HeadlessBackend::RunModal(MWindow& window) {
    ModalRecord record;
    record.title = window.GetTitle();
    if (auto* dialog = dynamic_cast<MDialog*>(&window)) {
        for (MControl* control : dialog->Controls()) {
            if (auto* font = dynamic_cast<MControlFont*>(control)) {
                record.texts.push_back(font->GetTitle());
            }
        }
    }
    ModalPolicy policy;
    ModalAnswer answer;
    {
        auto lock = LockToolkit();
        policy = policy_;
        answer = fixed_answer_;
    }
    if (policy) {
        answer = policy(window);
    }
    if (!window.IsModalEnded()) {
        switch (answer.kind) {
            case ModalAnswer::Kind::kFirstButton:
                window.EndModal(1);
                break;
            case ModalAnswer::Kind::kSecondButton:
                window.EndModal(2);
                break;
            case ModalAnswer::Kind::kClose:
                Toolkit::Get().DeliverClose(window.GetSafeHwnd());
                break;
            case ModalAnswer::Kind::kValue:
                window.EndModal(answer.value);
                break;
            case ModalAnswer::Kind::kNone:
                break;
        }
    }
    // Whatever the answer posted (a close, focus events) belongs to this run.
    Toolkit::Get().ProcessPending();
    if (!window.IsModalEnded()) {
        window.EndModal(0);
    }
    record.answer = answer.kind;
    record.result = window.GetModalResult();
    auto lock = LockToolkit();
    modal_runs_.push_back(std::move(record));
}

std::optional<std::u16string> HeadlessBackend::ChooseFile(const FileDialogRequest& request) {
    auto lock = LockToolkit();
    file_requests_.push_back(request);
    return file_answer_;
}

Rect HeadlessBackend::WorkArea() const {
    auto lock = LockToolkit();
    return work_area_;
}

Point HeadlessBackend::CursorPos() const {
    auto lock = LockToolkit();
    return cursor_;
}

MControl* HeadlessBackend::Find(const MDialog& dialog, int id, int nth) {
    for (MControl* control : dialog.Controls()) {
        if (control->GetId() == id && nth-- == 0) {
            return control;
        }
    }
    return nullptr;
}

bool HeadlessBackend::Deliver(const MDialog& dialog, int id, int event, intptr_t param, int nth) {
    MControl* control = Find(dialog, id, nth);
    return control != nullptr && Toolkit::Get().DeliverControlEvent(*control, event, param);
}

bool HeadlessBackend::Click(const MDialog& dialog, int id, int nth) {
    return Deliver(dialog, id, kEventActivated, 0, nth);
}

bool HeadlessBackend::Type(const MDialog& dialog, int id, std::u16string_view text, int nth) {
    MControl* control = Find(dialog, id, nth);
    return control != nullptr && Toolkit::Get().DeliverUserText(*control, text);
}

bool HeadlessBackend::Focus(const MDialog& dialog, int id, bool focused, int nth) {
    MControl* control = Find(dialog, id, nth);
    return control != nullptr && Toolkit::Get().DeliverFocus(*control, focused);
}

MenuWnd* HeadlessBackend::OpenMenu() {
    std::vector<MenuWnd*> open = Toolkit::Get().OpenMenus();
    return open.empty() ? nullptr : open.back();
}

bool HeadlessBackend::ChooseMenuItem(int item_id) {
    MenuWnd* menu = OpenMenu();
    if (menu == nullptr) {
        return false;
    }
    Toolkit::Get().DeliverMenuChoice(*menu, item_id);
    return true;
}

HeadlessSession::HeadlessSession() {
    Toolkit::Get().Start(backend_, clock_);
}

HeadlessSession::~HeadlessSession() {
    Toolkit::Get().Stop();
}

int HeadlessSession::ProcessPending() {
    return Toolkit::Get().ProcessPending();
}

void HeadlessSession::AdvanceTime(int64_t ms) {
    Toolkit& toolkit = Toolkit::Get();
    int64_t target = clock_.NowMs() + ms;
    toolkit.ProcessPending();
    while (true) {
        std::optional<int64_t> next = toolkit.NextTimerDueMs();
        if (!next || *next > target) {
            break;
        }
        clock_.Set(std::max(clock_.NowMs(), *next));
        toolkit.ProcessPending();
    }
    clock_.Set(target);
    toolkit.ProcessPending();
}

}  // namespace tessaly::DUI
