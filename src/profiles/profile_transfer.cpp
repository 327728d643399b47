#include "profiles/profile_transfer.h"

#include "catalogue/device_catalogue.h"
#include "profiles/profile_file.h"
#include "storage/profile_table.h"
#include "ui/dialogs/message_box.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/file_dialog.h"

namespace tessaly {
namespace {

bool last_export_saved = false;
ProfileImport last_import;

ProfileFileOptions FileOptions() {
    return {.lighting = DeviceCatalogue::Instance().Options().lighting_page};
}

ProfileImportLimits ImportLimits(ProfilesHost& host) {
    ProfileImportLimits limits;
    limits.sensor = host.Device().Limits();
    limits.report_capability = host.Device().report_capability.load();
    return limits;
}

std::u16string ShownProfileName(const ui::DeviceMainDlg& dlg) {
    auto* name = dlg.GetControlAs<DUI::MControlFont>(main_id::kProfile);
    return name != nullptr ? name->GetTitle() : std::u16string();
}

}  // namespace

bool ExportProfile(ui::DeviceMainDlg& dlg, ProfilesHost& host, int profile) {
    last_export_saved = false;
    const std::optional<std::u16string> path =
        DUI::ChooseXmlFile(DUI::FileDialogMode::kSave, u"Profile (*.xml)", u"*.xml", &dlg);
    if (!path) {
        return false;
    }
    last_export_saved = WriteProfileFile(*path, profile, host.CurrentProfile(),
                                         ShownProfileName(dlg), FileOptions());
    return last_export_saved;
}

ProfileImport ImportProfile(ui::DeviceMainDlg& dlg, ProfilesHost& host) {
    last_import = {};
    const std::optional<std::u16string> path =
        DUI::ChooseXmlFile(DUI::FileDialogMode::kOpen, u"MouseKey (*.xml)", u"*.xml", &dlg);
    if (!path) {
        return last_import;
    }
    const int profile = host.CurrentProfile();
    last_import = ReadProfileFile(*path, profile, FileOptions(), ImportLimits(host));
    if (!last_import.stored) {
        if (last_import.loaded && last_import.refused > 0 && last_import.taken == 0) {
            host.ShowMessageBox(LoadLanguageString(text::kProfileFileUnusable),
                                LoadLanguageString(text::kNoticeTitle), kMessageBoxOk);
        }
        return last_import;
    }
    // A file named only ".xml" leaves the name as it was rather than empty.
    if (const std::u16string name = ProfileNameFromPath(*path); !name.empty()) {
        RenameProfile(profile, name);
    }
    host.ShowProfileName();
    host.QueueTask(kTaskWriteEverything);
    return last_import;
}

bool LastProfileExportSaved() {
    return last_export_saved;
}

ProfileImport LastProfileImport() {
    return last_import;
}

}  // namespace tessaly
