#pragma once
// What the toolkit model tells the code that draws it.
//
// The model (windows, dialogs, controls, menus) holds the whole state and is
// the only thing the system talks to. A backend observes it: the headless
// backend records, the Qt backend (ui/qt/) renders. Every change reaches the
// backend as one call, in the order the changes were made, with the toolkit
// lock held and on the thread that made the change (the UI thread or the
// device worker). A backend therefore must not block, must not wait for the
// UI thread and must not call dialog code from these notifications; it reads
// the model's getters (safe under the lock) or copies what it needs and
// marshals it to its own thread.
//
// User input flows the other way through Toolkit's Deliver* operations (UI
// thread only), which update the model as the user's action implies and then
// call the dialog's handlers.

#include <optional>
#include <string>

#include "ui/toolkit/geometry.h"

namespace tessaly::DUI {

class MWindow;
class MControl;
class MenuWnd;

enum class WindowChange {
    kVisibility,
    kPosition,  // window rectangle (move or resize)
    kTitle,
    kIcon,
    kZOrder,      // topmost or brought to the top
    kAppearance,  // background image, back mode, layered, back colours
    kState,       // minimised or maximised
    kRepaint,
    kTimer,
};

enum class ControlChange {
    kRect,
    kVisibility,
    kEnabled,
    kText,  // title, tooltip, tip text or in-place edit text
    kImage,
    kFont,
    kColor,
    kAlignment,
    kStyle,
    kItems,
    kSelection,
    kCheck,
    kValue,  // progress, maximum, battery, DPI values and other numbers
    kFocus,
    kTimer,
    kRepaint,
};

struct FileDialogRequest {
    bool save = false;
    std::u16string filter_description;  // "Macro (*.xml)"
    std::u16string filter_pattern;      // "*.xml"
    uint64_t owner = 0;                 // window handle, 0 for none
};

class Backend {
  public:
    virtual ~Backend() = default;

    virtual void WindowCreated(const MWindow&) {}
    virtual void WindowChanged(const MWindow&, WindowChange) {}
    virtual void WindowDestroyed(const MWindow&) {}
    virtual void ControlCreated(const MControl&) {}
    virtual void ControlChanged(const MControl&, ControlChange) {}
    virtual void MenuOpened(const MenuWnd&) {}

    // Something was posted or a timer was armed: the UI thread should call
    // Toolkit::ProcessPending soon. Any thread, lock held; must not block.
    virtual void Wake() {}

    // UI thread, lock not held. Runs until window.IsModalEnded(): a display
    // backend spins its event loop (calling Toolkit::ProcessPending when woken),
    // the headless backend answers by its policy.
    virtual void RunModal(MWindow& window) = 0;

    // UI thread, lock not held. The chosen path, or nothing when cancelled.
    virtual std::optional<std::u16string> ChooseFile(const FileDialogRequest& request) = 0;

    // Screen facts the layouts ask for.
    virtual Rect WorkArea() const { return {0, 0, 1920, 1040}; }
    virtual Point CursorPos() const { return {}; }
};

}  // namespace tessaly::DUI
