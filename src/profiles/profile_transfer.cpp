#include "profiles/profile_transfer.h"

#include "ui/dialogs/message_box.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/file_dialog.h"

namespace tessaly {

bool ExportProfile(DUI::MWindow& owner, ProfilesHost& host, int profile) {
    const std::optional<std::u16string> path =
        DUI::ChooseXmlFile(DUI::FileDialogMode::kSave, u"Profile (*.xml)", u"*.xml", &owner);
    return path && ExportProfileTo(host, *path, profile).ok();
}

ProfileImport ImportProfile(DUI::MWindow& owner, ProfilesHost& host) {
    const std::optional<std::u16string> path =
        DUI::ChooseXmlFile(DUI::FileDialogMode::kOpen, u"MouseKey (*.xml)", u"*.xml", &owner);
    if (!path) {
        return {};
    }
    const ProfileImportChange result = ImportProfileFrom(host, *path);
    if (result.change.refusal_text != 0) {
        host.ShowMessageBox(LoadLanguageString(result.change.refusal_text),
                            LoadLanguageString(text::kNoticeTitle), kMessageBoxOk);
    }
    return result.values;
}

}  // namespace tessaly
