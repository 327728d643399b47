#include "profiles/profile_dialog.h"

#include <vector>

#include "profiles/profile_names.h"
#include "profiles/profile_rename.h"
#include "profiles/profile_transfer.h"
#include "storage/profile_table.h"
#include "ui/dialogs/message_box.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/profile_dlg.h"
#include "ui/toolkit/dui.h"

namespace tessaly {
namespace {

std::vector<ui::ProfileListItem> DisplayedProfiles() {
    std::vector<ProfileInfo> profiles;
    ListProfiles(profiles);
    std::vector<ui::ProfileListItem> items;
    for (const ProfileInfo& profile : profiles) {
        items.push_back({DisplayProfileName(profile.name), profile.id});
    }
    return items;
}

DUI::Rect ScreenRect(const DUI::MWindow& window, DUI::Rect client) {
    const DUI::Point origin = window.ClientToScreen({client.left, client.top});
    return {origin.x, origin.y, origin.x + client.Width(), origin.y + client.Height()};
}

}  // namespace

void OpenProfileDialog(ui::DeviceMainDlg& dlg, ProfilesHost& host) {
    if (!host.DevicePresent()) {
        host.ShowMessageBox(LoadLanguageString(text::kDeviceNotConnected),
                            LoadLanguageString(text::kNoticeTitle), kMessageBoxOk);
        return;
    }
    DUI::MControl* name = dlg.GetControl(main_id::kProfile);
    if (name == nullptr) {
        return;
    }
    ui::ProfileDlg dialog(dlg.GetSafeHwnd(), host.CurrentProfile());
    dialog.SetProfiles(DisplayedProfiles());
    dialog.SetRenameHandler([](int profile, std::u16string_view text) {
        return RenameStoredProfile(profile, text).refusal_text;
    });
    if (!dialog.Open(&dlg, ScreenRect(dlg, name->GetRect()))) {
        return;
    }
    dialog.ShowModal(DUI::kSwShow);
    dialog.DestroyWindow();
}

void InstallProfiles(ui::DeviceMainDlg& dlg, ProfilesHost& host) {
    dlg.SetPageHandler(ui::RouteSlot::kProfileChooser, [&dlg, &host](int, int, intptr_t) {
        OpenProfileDialog(dlg, host);
        return 1;
    });
    dlg.SetMessageHandler(ui::MessageSlot::kProfileSwitched, [&host](uintptr_t, intptr_t profile) {
        ActivateProfile(host, static_cast<int>(profile));
        return intptr_t{1};
    });
    dlg.SetMessageHandler(ui::MessageSlot::kProfileFile,
                          [&dlg, &host](uintptr_t request, intptr_t profile) {
                              if (request == static_cast<uintptr_t>(ui::ProfileRequest::kImport)) {
                                  ImportProfile(dlg, host);
                              } else {
                                  ExportProfile(dlg, host, static_cast<int>(profile));
                              }
                              return intptr_t{1};
                          });
}

}  // namespace tessaly
