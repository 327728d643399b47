#pragma once
// Export and import of a profile through the file dialog. UI thread.

#include "base/task.h"
#include "profiles/profile_file.h"
#include "profiles/profiles_host.h"
#include "ui/main/device_main_dlg.h"

namespace tessaly {

// Saves the profile's buttons (and the current profile's other settings,
// which the dialog made the same profile) to a file the user chooses.
// False when cancelled or not written.
bool ExportProfile(ui::DeviceMainDlg& dlg, ProfilesHost& host, int profile);

// Reads a file the user chooses into the current profile, renames the
// profile after the file and sends everything. Nothing changes when it is
// cancelled, the file is not a profile file or could not be stored; a file
// whose every value is refused says so in a message box.
ProfileImport ImportProfile(ui::DeviceMainDlg& dlg, ProfilesHost& host);

// What the last export and import through the window did (they run on the
// window's thread as the profile dialog's requests); UI thread.
bool LastProfileExportSaved();
ProfileImport LastProfileImport();

}  // namespace tessaly
