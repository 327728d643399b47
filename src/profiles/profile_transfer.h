#pragma once
// Export and import of a profile through the file dialog, owned by the
// window given. UI thread.

#include "profiles/profile_operations.h"
#include "ui/toolkit/window.h"

namespace tessaly {

// Asks for the file, then exports (see ExportProfileTo). False when
// cancelled or not written.
bool ExportProfile(DUI::MWindow& owner, ProfilesHost& host, int profile);

// Asks for the file, then imports (see ImportProfileFrom). Nothing changes
// when it is cancelled, the file is not a profile file or could not be
// stored; a file whose every value is refused says so in a message box.
ProfileImport ImportProfile(DUI::MWindow& owner, ProfilesHost& host);

}  // namespace tessaly
