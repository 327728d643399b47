#pragma once
// The profile chooser that drops up from the profile name: the list of
// profiles with import and export below it. Its requests reach the main
// window as message 1705: wParam 0 switch, 1 import, 2 export, lParam the
// profile id. Storing a new name is the caller's (SetRenameHandler); a name
// it refuses is shown again as it was, and the refusal is told.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/toolkit/dialog.h"

namespace tessaly::ui {

inline constexpr uint32_t kProfileRequestMessage = 1705;
enum class ProfileRequest : uintptr_t { kSwitch = 0, kImport = 1, kExport = 2 };

struct ProfileListItem {
    std::u16string name;  // as displayed
    int id = 0;
};

class ProfileDlg : public DUI::MDialog {
  public:
    // The toolkit has no window classes; the class name becomes the title.
    static constexpr std::u16string_view kTitle = u"ProfileDlg";

    // The number of the text that says why the name was not stored, or 0
    // when it was.
    using RenameHandler = std::function<int(int profile, std::u16string_view name)>;

    ProfileDlg(DUI::WindowHandle main_window, int current_profile)
        : main_window_(main_window), current_profile_(current_profile) {}

    // Before Open: the list's items and who stores a name typed in place.
    void SetProfiles(std::vector<ProfileListItem> profiles) { profiles_ = std::move(profiles); }
    void SetRenameHandler(RenameHandler rename) { rename_ = std::move(rename); }

    // The dialog's screen rectangle over the profile name control: same
    // left and right, from 210 above its top to 5 above it.
    static DUI::Rect RectAbove(DUI::Rect name_control_on_screen);
    bool Open(DUI::MWindow* parent, DUI::Rect name_control_on_screen);

    void InitUI(DUI::Rect client) override;
    int OnMessage(int id, int event, intptr_t param, intptr_t extra) override;
    int OnNcActivate(bool active) override;
    // As losing activation.
    bool OnEscapeKey() override;

    DUI::WindowHandle MainWindow() const { return main_window_; }
    int CurrentProfile() const { return current_profile_; }
    bool Renamed() const { return renamed_; }

  private:
    void Post(ProfileRequest request, int profile) const;
    // A renamed profile becomes current before anything else is asked for.
    void SwitchToRenamed() const;
    int SelectedProfile() const;
    void OnRenamed();
    void Refuse(int index, int text_number);
    void Close(bool ok);

    DUI::WindowHandle main_window_;
    int current_profile_;
    std::vector<ProfileListItem> profiles_;
    RenameHandler rename_;
    bool renamed_ = false;
    int renamed_profile_ = 0;
    bool closing_ = false;
    bool telling_ = false;  // a refusal is shown over the dialog
};

}  // namespace tessaly::ui
