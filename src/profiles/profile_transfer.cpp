#include "profiles/profile_transfer.h"

#include "catalogue/device_catalogue.h"
#include "profiles/profile_file.h"
#include "storage/profile_table.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/file_dialog.h"

namespace tessaly {
namespace {

constexpr int kProfileNameControl = 45;

ProfileFileOptions FileOptions() {
    return {.lighting = DeviceCatalogue::Instance().Options().lighting_page};
}

std::u16string ShownProfileName(const ui::DeviceMainDlg& dlg) {
    auto* name = dlg.GetControlAs<DUI::MControlFont>(kProfileNameControl);
    return name != nullptr ? name->GetTitle() : std::u16string();
}

}  // namespace

bool ExportProfile(ui::DeviceMainDlg& dlg, ProfilesHost& host, int profile) {
    const std::optional<std::u16string> path =
        DUI::ChooseXmlFile(DUI::FileDialogMode::kSave, u"Profile (*.xml)", u"*.xml", &dlg);
    if (!path) {
        return false;
    }
    return WriteProfileFile(*path, profile, host.CurrentProfile(), ShownProfileName(dlg),
                            FileOptions());
}

bool ImportProfile(ui::DeviceMainDlg& dlg, ProfilesHost& host) {
    const std::optional<std::u16string> path =
        DUI::ChooseXmlFile(DUI::FileDialogMode::kOpen, u"MouseKey (*.xml)", u"*.xml", &dlg);
    if (!path) {
        return false;
    }
    const int profile = host.CurrentProfile();
    if (!ReadProfileFile(*path, profile, FileOptions())) {
        return false;
    }
    // A file named only ".xml" leaves the name as it was rather than empty.
    if (const std::u16string name = ProfileNameFromPath(*path); !name.empty()) {
        RenameProfile(profile, name);
    }
    host.ShowProfileName();
    host.QueueTask(kTaskWriteEverything);
    return true;
}

}  // namespace tessaly
