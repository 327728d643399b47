#pragma once
// A window with controls: the base of every dialog of the system.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/toolkit/control.h"
#include "ui/toolkit/window.h"

namespace tessaly::DUI {

class MTabLayout;

class MDialog : public MWindow {
  public:
    // The window timer id that drives the control timer.
    static constexpr uint32_t kControlTimerId = 0xFFFFFFFF;

    MDialog() = default;

    // End the modal run with 1 and 2.
    void DoOK();
    void DoCancel();

    // A control of a class named as in the skin ("MButton", "CDeviceList",
    // ...); ids may repeat. The text becomes the title of controls that have
    // one. The two flags are kept for the call's shape and have no effect.
    // Null for an unknown class name.
    MControl* CreateControl(std::string_view class_name, int id, Rect rect,
                            std::u16string_view text = {}, int flag1 = 1, int flag2 = 1);
    // The same for decorative areas (pictures, texts, frames).
    MControl* CreateArea(std::string_view class_name, int id, Rect rect,
                         std::u16string_view text = {}, int flag1 = 1, int flag2 = 1);
    // Typed forms: T is the control class.
    template <typename T>
    T* CreateControl(int id, Rect rect, std::u16string_view text = {}) {
        return static_cast<T*>(Add(std::make_unique<T>(), nullptr, id, rect, text, false));
    }
    template <typename T>
    T* CreateArea(int id, Rect rect, std::u16string_view text = {}) {
        return static_cast<T*>(Add(std::make_unique<T>(), nullptr, id, rect, text, true));
    }

    // The first control created with the id, or null.
    MControl* GetControl(int id) const;
    template <typename T>
    T* GetControlAs(int id) const {
        return dynamic_cast<T*>(GetControl(id));
    }
    // Every control in creation order.
    std::vector<MControl*> Controls() const;
    MControl* GetFocusControl() const;

    // Escape in an owned dialog: a modal run ends as DoCancel, a popup shown
    // without one is hidden. The main window (no owner) keeps it.
    bool OnEscapeKey() override;

    void LoadBKImage(std::u16string_view file);
    std::u16string GetBKImage() const;
    void SetBackMode(int mode, int value);
    std::pair<int, int> GetBackMode() const;
    void SetLayeredWindow(bool layered);
    bool IsLayeredWindow() const;
    // The control timer: every interval_ms the controls that asked for it
    // (MControl::AddMTimer) advance their animation. 0 stops it.
    void SetMTimer(int interval_ms);
    int GetMTimer() const;

  protected:
    void TickControlTimer() override;

  private:
    friend class MControl;
    friend class MTabLayout;
    MControl* Add(std::unique_ptr<MControl> control, MTabLayout* parent, int id, Rect rect,
                  std::u16string_view text, bool area);
    MControl* AddByName(std::string_view class_name, MTabLayout* parent, int id, Rect rect,
                        std::u16string_view text, bool area);

    std::vector<std::unique_ptr<MControl>> controls_;
    MControl* focused_ = nullptr;
    std::u16string background_;
    std::pair<int, int> back_mode_{0, 0};
    bool layered_ = false;
    int mtimer_ = 0;
};

}  // namespace tessaly::DUI
