#pragma once
// The profile chooser that drops up from the profile name: the list of
// profiles with import and export below it. This file builds its controls;
// the events come with the profile subsystem.

#include <string_view>

#include "ui/toolkit/dialog.h"

namespace tessaly::ui {

class ProfileDlg : public DUI::MDialog {
  public:
    // The toolkit has no window classes; the class name becomes the title.
    static constexpr std::u16string_view kTitle = u"ProfileDlg";
    static constexpr uint32_t kStyle = 0x96000000;

    ProfileDlg(DUI::WindowHandle main_window, int current_profile)
        : main_window_(main_window), current_profile_(current_profile) {}

    // The dialog's screen rectangle over the profile name control: same
    // left and right, from 210 above its top to 5 above it.
    static DUI::Rect RectAbove(DUI::Rect name_control_on_screen);
    bool Open(DUI::MWindow* parent, DUI::Rect name_control_on_screen);

    void InitUI(DUI::Rect client) override;

    DUI::WindowHandle MainWindow() const { return main_window_; }
    int CurrentProfile() const { return current_profile_; }

  private:
    DUI::WindowHandle main_window_;
    int current_profile_;
};

}  // namespace tessaly::ui
