#include "ui/settings/settings_operations.h"

#include "app/language_state.h"
#include "app/registry_values.h"
#include "base/task.h"
#include "platform/autostart.h"
#include "platform/folders.h"
#include "ui/localisation/known_languages.h"
#include "ui/localisation/language_change.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

SettingsChange Refused(SettingsRefusal why, int text = 0) {
    return {why, text};
}

}  // namespace

SettingsChange SetLanguage(int lcid) {
    if (!InLanguageSet(lcid) || LanguageDisplayName(lcid).empty()) {
        return Refused(SettingsRefusal::kLanguageNotOffered);
    }
    ChangeLanguage(lcid);
    return {};
}

Autostart StoredAutostart() {
    Autostart autostart;
    autostart.with_session = AutorunEntryPresent();
    autostart.minimised = autostart.with_session && ReadRegistryNumber(kValueAutorunMinimize) == 1;
    return autostart;
}

SettingsChange SetStartWithSession(bool on, std::u16string_view program) {
    if (on) {
        return WriteAutorunEntry(program) ? SettingsChange{} : Refused(SettingsRefusal::kNotStored);
    }
    WriteRegistryText(kValueAutorunMinimize, u"0");
    return DeleteAutorunEntry() ? SettingsChange{} : Refused(SettingsRefusal::kNotStored);
}

SettingsChange SetStartWithSession(bool on) {
    return SetStartWithSession(on, ExecutablePath());
}

SettingsChange SetStartMinimised(bool on) {
    if (on && !AutorunEntryPresent()) {
        return Refused(SettingsRefusal::kNotStartingWithSession);
    }
    WriteRegistryText(kValueAutorunMinimize, on ? u"1" : u"0");
    return {};
}

CloseMode StoredCloseMode() {
    return ReadRegistryNumber(kValueExitMode) == 1 ? CloseMode::kHideToTray : CloseMode::kExit;
}

void SetCloseMode(CloseMode mode) {
    WriteRegistryText(kValueExitMode, mode == CloseMode::kHideToTray ? u"1" : u"0");
}

SettingsChange FactoryReset(FactoryResetHost& host, const std::function<bool()>& confirmed) {
    if (!host.DeviceOnline()) {
        return Refused(SettingsRefusal::kNotConnected, text::kDeviceNotConnected);
    }
    // Only an explicit confirmation resets; a box closed otherwise does not.
    if (!confirmed || !confirmed()) {
        return Refused(SettingsRefusal::kNotConfirmed);
    }
    host.ClearReadSet();
    host.QueueTask(kTaskRestoreFactorySettings);
    host.ShowSaveWait();
    return {};
}

}  // namespace tessaly
