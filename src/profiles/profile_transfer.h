#pragma once
// Export and import of a profile through the file dialog. UI thread.

#include "profiles/profile_operations.h"
#include "ui/main/device_main_dlg.h"

namespace tessaly {

// Asks for the file, then exports (see ExportProfileTo). False when
// cancelled or not written.
bool ExportProfile(ui::DeviceMainDlg& dlg, ProfilesHost& host, int profile);

// Asks for the file, then imports (see ImportProfileFrom). Nothing changes
// when it is cancelled, the file is not a profile file or could not be
// stored; a file whose every value is refused says so in a message box.
ProfileImport ImportProfile(ui::DeviceMainDlg& dlg, ProfilesHost& host);

}  // namespace tessaly
