#include "controller/macros_wiring.h"

#include "buttons/key_function_table.h"
#include "macros/macro_upload.h"

namespace tessaly {

void InstallMacros(Controller&, ui::DeviceMainDlg&, DeviceWorker&) {
    // Before the worker runs task 6 for the first time.
    SetPendingMacroUpload(UploadPendingMacro);
}

}  // namespace tessaly
