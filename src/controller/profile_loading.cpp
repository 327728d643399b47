// The profiles of the selected model: a new database gets its four, each
// with the model's factory values.

#include "base/text_format.h"
#include "controller/device_worker.h"
#include "controller/window_controls.h"
#include "profiles/profile_names.h"
#include "storage/profile_table.h"
#include "storage/settings_database.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly {
namespace {

constexpr int kNewProfiles = 4;

}  // namespace

void DeviceWorker::LoadProfiles() {
    if (!SettingsDatabase::Instance().IsOpened()) {
        // No model yet: there are no profiles to show, and none to create.
        return;
    }
    std::vector<ProfileInfo> profiles;
    ListProfiles(profiles);
    if (profiles.empty()) {
        for (int n = 1; n <= kNewProfiles; ++n) {
            ProfileInfo profile;
            profile.name = Format(u"%s %d", LoadLanguageString(text::kProfile), n);
            AddProfile(profile);
            state_.current_profile.store(n);
            if (factory_values_) {
                factory_values_();
            }
        }
        SetActiveProfile(1);
    }
    int current = GetActiveProfile();
    if (current < 1) {
        SetActiveProfile(1);
        current = GetActiveProfile();
    }
    state_.current_profile.store(current);
    ShowProfileName();
}

void DeviceWorker::ShowProfileName() {
    const int profile = state_.current_profile.load();
    SetLocalisedTitle(dlg_, main_id::kProfile, [profile] {
        std::u16string name;
        GetProfileName(profile, name);
        return DisplayProfileName(name);
    });
    std::u16string name;
    GetProfileName(profile, name);
    DUI::Toolkit::Get().PostToWindow(
        dlg_.GetSafeHwnd(), [shown = DisplayProfileName(name)](DUI::MWindow& window) {
            static_cast<ui::DeviceMainDlg&>(window).tray_status.SetProfile(shown);
        });
}

}  // namespace tessaly
