#pragma once
// A top-level window of the toolkit and the virtual operations its
// subclasses override. Windows are created, shown modally and destroyed on
// the UI thread; their other operations may come from any thread.
//
// Lifecycle: construct; Create (registers the window, tells the backend,
// runs OnInitDialog, whose base runs InitUI with the client rectangle);
// ShowModal or ShowWindow; EndModal (DoOK, DoCancel), CloseWindow or
// DestroyWindow; destruct. The object outlives DestroyWindow: its controls
// stay readable until it is destructed.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/toolkit/geometry.h"
#include "ui/toolkit/manager.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {

class MObject {
  public:
    virtual ~MObject() = default;
};

// Background colours of a window (top and bottom of its gradient).
class PaintManager {
  public:
    explicit PaintManager(MWindow& window) : window_(window) {}
    void SetBackColor(Color top, Color bottom);
    Color GetBackColor1() const;
    Color GetBackColor2() const;

  private:
    MWindow& window_;
    Color top_ = 0;
    Color bottom_ = 0;
};

class MWindow : public MObject {
  public:
    static constexpr std::string_view kClassName = "MWindow";

    MWindow();
    ~MWindow() override;
    MWindow(const MWindow&) = delete;
    MWindow& operator=(const MWindow&) = delete;

    // UI thread. False when already created or called off the UI thread.
    bool Create(MWindow* parent, std::u16string_view title, uint32_t style, uint32_t ex_style,
                Rect rect);
    // Centres on the reference window, or on the work area without one.
    void CenterWindow(const MWindow* reference = nullptr);
    // UI thread. Shows the window with the command and runs it modally until
    // EndModal (DoOK gives 1, DoCancel 2) or destruction; -1 when the window
    // does not exist or the call is off the UI thread.
    int ShowModal(int show_command);
    // Returns whether the window was visible before.
    bool ShowWindow(int command);
    void DestroyWindow();
    void MoveWindow(Rect rect, bool repaint = true);
    // insert_after kHwndTopMost keeps the window above others, kHwndTop
    // brings it to the top; flags kSwpNoMove, kSwpNoSize, kSwpShowWindow.
    void SetWindowPos(int insert_after, int x, int y, int cx, int cy, uint32_t flags);
    Rect GetClientRect() const;
    Rect GetWindowRect() const;
    Point ClientToScreen(Point client) const;
    void InvalidateRect();
    void SetTimer(uint32_t id, int interval_ms);
    void KillTimer(uint32_t id);
    bool HasTimer(uint32_t id) const;
    void SetIcon(const Icon& icon);
    // Whether an input method may compose text in the window; on by default.
    // Backends that have input methods honour it (kAppearance).
    void SetInputMethodEnabled(bool enabled);
    bool IsInputMethodEnabled() const;
    Icon GetIcon() const;
    // 0 while the window does not exist.
    WindowHandle GetSafeHwnd() const;
    void OnMinimize();
    bool IsIconic() const;
    bool IsZoomed() const;

    bool IsCreated() const;
    bool IsVisible() const;
    bool IsTopMost() const;
    std::u16string GetTitle() const;
    uint32_t GetStyle() const;
    uint32_t GetExStyle() const;
    WindowHandle GetParentHandle() const;
    std::string_view ClassName() const { return kClassName; }
    PaintManager& GetPaintManager() { return paint_; }
    const PaintManager& GetPaintManager() const { return paint_; }

    // Ends the modal run with the result (any thread); the window is hidden.
    void EndModal(int result);
    bool IsModal() const;
    bool IsModalEnded() const;
    int GetModalResult() const;

    // --- virtual operations, in slot order ---------------------------------
    // Base: WM_CLOSE takes a non-zero wParam as the modal result and calls
    // CloseWindow; everything else gives 0.
    virtual intptr_t OnWindowMessage(uint32_t message, uintptr_t wparam, intptr_t lparam);
    // Base: InitUI with the client rectangle.
    virtual bool OnInitDialog();
    virtual void InitUI(Rect client);
    virtual void UISize(Rect client);
    // A control event: control id, event code, parameter, extra; 1 when handled.
    virtual int OnMessage(int id, int event, intptr_t param, intptr_t extra);
    virtual int OnNcActivate(bool active);
    virtual void OnTimer(uint32_t id);
    virtual int OnDestroy();
    // Base: DestroyWindow.
    virtual void CloseWindow();
    // Escape pressed in the window; true when it was taken. Base: nothing.
    virtual bool OnEscapeKey();

  protected:
    // The control timer of dialogs; windows have no controls.
    virtual void TickControlTimer() {}
    void NotifyChanged(WindowChange change) const;  // lock held

  private:
    friend class Toolkit;
    void Resize(Size client, bool maximized);  // UI thread
    void SetGeometry(Rect rect);               // lock held
    void Detach();                             // lock held

    PaintManager paint_;
    WindowHandle handle_ = 0;
    WindowHandle parent_ = 0;
    std::u16string title_;
    uint32_t style_ = 0;
    uint32_t ex_style_ = 0;
    Rect rect_;
    bool visible_ = false;
    bool topmost_ = false;
    bool input_method_ = true;
    bool minimized_ = false;
    bool maximized_ = false;
    Icon icon_;
    bool modal_ = false;
    bool modal_ended_ = false;
    int modal_result_ = 0;
};

}  // namespace tessaly::DUI
