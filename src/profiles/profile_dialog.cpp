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

void OpenProfileDialog(DUI::MDialog& window, ProfilesHost& host) {
    if (!host.DevicePresent()) {
        host.ShowMessageBox(LoadLanguageString(text::kDeviceNotConnected),
                            LoadLanguageString(text::kNoticeTitle), kMessageBoxOk);
        return;
    }
    DUI::MControl* name = window.GetControl(main_id::kProfile);
    if (name == nullptr) {
        return;
    }
    ui::ProfileDlg dialog(window.GetSafeHwnd(), host.CurrentProfile());
    dialog.SetProfiles(DisplayedProfiles());
    dialog.SetRenameHandler([](int profile, std::u16string_view text) {
        return RenameStoredProfile(profile, text).refusal_text;
    });
    if (!dialog.Open(&window, ScreenRect(window, name->GetRect()))) {
        return;
    }
    dialog.ShowModal(DUI::kSwShow);
    dialog.DestroyWindow();
}

void InstallProfiles(const ui::ProfilesContext& context, ProfilesHost& host) {
    DUI::MDialog* window = &context.window;
    ui::PageRouter& router = context.router;
    router.SetPageHandler(ui::RouteSlot::kProfileChooser, [window, &host](int, int, intptr_t) {
        OpenProfileDialog(*window, host);
        return 1;
    });
    router.SetMessageHandler(ui::MessageSlot::kProfileSwitched,
                             [&host](uintptr_t, intptr_t profile) {
                                 ActivateProfile(host, static_cast<int>(profile));
                                 return intptr_t{1};
                             });
    router.SetMessageHandler(
        ui::MessageSlot::kProfileFile, [window, &host](uintptr_t request, intptr_t profile) {
            if (request == static_cast<uintptr_t>(ui::ProfileRequest::kImport)) {
                ImportProfile(*window, host);
            } else {
                ExportProfile(*window, host, static_cast<int>(profile));
            }
            return intptr_t{1};
        });
}

}  // namespace tessaly
