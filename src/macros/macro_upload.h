#pragma once
// The macro half of the button-table write: the macro assigned to the
// pending button goes to the mouse with command 0x08 before the table.

#include "device/hid_transport.h"

namespace tessaly {

// False when the macro has more records than one macro-data command can
// carry; such a macro is never sent.
bool MacroFitsDevice(int macro_id);

// The PendingMacroUpload of the button table: sends the macro of the
// profile's button when it is assigned one that fits; otherwise nothing.
// False only when a macro was sent and the mouse did not take every packet.
bool UploadPendingMacro(HidInterface* mouse, int profile, int key_code);

}  // namespace tessaly
