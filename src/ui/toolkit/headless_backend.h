#pragma once
// The toolkit without a display, for tests and the command-line tool. It
// records what the model tells it, answers modal runs and file dialogs by a
// policy the caller sets, and offers a small API to act as the user: find a
// control by id, deliver an event to it as a click would, type text, pick a
// menu item. HeadlessSession installs one with a clock the caller advances.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/toolkit/backend.h"
#include "ui/toolkit/clock.h"
#include "ui/toolkit/dialog.h"
#include "ui/toolkit/menu_wnd.h"

namespace tessaly::DUI {

// How a modal run is answered: the first button (result 1, as DoOK), the
// second (2, DoCancel), closing the window (WM_CLOSE, as its close box), a
// chosen result, or nothing: the policy acted itself (clicked controls) and
// an unanswered run ends with 0.
struct ModalAnswer {
    enum class Kind { kFirstButton, kSecondButton, kClose, kValue, kNone };
    Kind kind = Kind::kFirstButton;
    int value = 0;

    static ModalAnswer FirstButton() { return {Kind::kFirstButton, 1}; }
    static ModalAnswer SecondButton() { return {Kind::kSecondButton, 2}; }
    static ModalAnswer Close() { return {Kind::kClose, 0}; }
    static ModalAnswer Value(int result) { return {Kind::kValue, result}; }
    static ModalAnswer None() { return {Kind::kNone, 0}; }
};

using ModalPolicy = std::function<ModalAnswer(MWindow&)>;

struct ModalRecord {
    std::u16string title;
    // Titles of the dialog's controls as the run began, in creation order.
    std::vector<std::u16string> texts;
    ModalAnswer::Kind answer = ModalAnswer::Kind::kNone;
    int result = 0;
};

struct ChangeRecord {
    enum class Kind {
        kWindowCreated,
        kWindowChanged,
        kWindowDestroyed,
        kControlCreated,
        kControlChanged,
        kMenuOpened,
    };
    Kind kind;
    WindowHandle window = 0;
    int control_id = 0;
    const MControl* control = nullptr;
    int change = 0;  // the WindowChange or ControlChange value
};

class HeadlessBackend : public Backend {
  public:
    // --- policies -------------------------------------------------------------
    // Every modal run gets this answer (first button until set).
    void SetModalAnswer(ModalAnswer answer);
    // Or a function decides per window; it may act on the dialog first.
    void SetModalPolicy(ModalPolicy policy);
    std::vector<ModalRecord> ModalRuns() const;
    // The next file dialogs answer this path, or cancel (the default).
    void SetFileAnswer(std::optional<std::u16string> path);
    std::vector<FileDialogRequest> FileRequests() const;
    void SetWorkArea(Rect area);
    void SetCursorPos(Point point);
    // The change log is kept only while recording.
    void RecordChanges(bool on);
    std::vector<ChangeRecord> Changes() const;

    // --- acting as the user (UI thread) ---------------------------------------
    // The nth control (0 first) of the dialog with the id, or null.
    static MControl* Find(const MDialog& dialog, int id, int nth = 0);
    template <typename T>
    static T* FindAs(const MDialog& dialog, int id, int nth = 0) {
        return dynamic_cast<T*>(Find(dialog, id, nth));
    }
    // False when there is no such control or it does not take user input.
    static bool Deliver(const MDialog& dialog, int id, int event, intptr_t param = 0, int nth = 0);
    static bool Click(const MDialog& dialog, int id, int nth = 0);
    static bool Type(const MDialog& dialog, int id, std::u16string_view text, int nth = 0);
    static bool Focus(const MDialog& dialog, int id, bool focused, int nth = 0);
    // The open menu, or null; ChooseMenuItem picks from it.
    static MenuWnd* OpenMenu();
    static bool ChooseMenuItem(int item_id);

    // --- Backend ------------------------------------------------------------------
    void WindowCreated(const MWindow& window) override;
    void WindowChanged(const MWindow& window, WindowChange change) override;
    void WindowDestroyed(const MWindow& window) override;
    void ControlCreated(const MControl& control) override;
    void ControlChanged(const MControl& control, ControlChange change) override;
    void MenuOpened(const MenuWnd& menu) override;
    void RunModal(MWindow& window) override;
    std::optional<std::u16string> ChooseFile(const FileDialogRequest& request) override;
    Rect WorkArea() const override;
    Point CursorPos() const override;

  private:
    void Record(ChangeRecord record);
    ModalAnswer fixed_answer_ = ModalAnswer::FirstButton();
    ModalPolicy policy_;
    std::vector<ModalRecord> modal_runs_;
    std::optional<std::u16string> file_answer_;
    std::vector<FileDialogRequest> file_requests_;
    Rect work_area_{0, 0, 1920, 1040};
    Point cursor_;
    bool recording_ = false;
    std::vector<ChangeRecord> changes_;
};

// Installs a headless backend and a manual clock for its lifetime; the
// constructing thread becomes the UI thread.
class HeadlessSession {
  public:
    HeadlessSession();
    ~HeadlessSession();
    HeadlessSession(const HeadlessSession&) = delete;
    HeadlessSession& operator=(const HeadlessSession&) = delete;

    HeadlessBackend& backend() { return backend_; }
    ManualClock& clock() { return clock_; }
    // Runs what is posted now.
    int ProcessPending();
    // Moves the clock forward, firing each timer at its due time in order.
    void AdvanceTime(int64_t ms);

  private:
    HeadlessBackend backend_;
    ManualClock clock_;
};

}  // namespace tessaly::DUI
