#pragma once
// The three-byte function slots the mouse keeps per key code, built from a
// profile's assignments, and the button-table write of task 6.

#include <functional>
#include <span>

#include "base/task.h"
#include "device/commands/button_table.h"
#include "device/hid_transport.h"
#include "storage/rows.h"

namespace tessaly {

// The slot of one assignment; previous is what the slot held before (the
// special functions outside 1 and 2 and unknown macros keep its bytes).
ButtonFunctionTable::Slot SlotFor(const KeyAssignment& assignment,
                                  const ButtonFunctionTable::Slot& previous,
                                  std::span<const MacroInfo> macros);

// The built-in defaults of key codes 0 … 7, then every layer-0 row of the
// profile in database order. Rows whose key code has no slot are skipped.
ButtonFunctionTable BuildKeyFunctionTable(int profile);
// The same from rows and macros already read.
ButtonFunctionTable BuildKeyFunctionTable(std::span<const KeyAssignment> rows,
                                          std::span<const MacroInfo> macros);

// Sends the macro of the button marked pending before the table (the macro
// layer installs it): mouse, profile, key code. False when the mouse did not
// take the macro. Without one the mark is only cleared.
using PendingMacroUpload = std::function<bool(HidInterface* mouse, int profile, int key_code)>;

// The upload task 6 uses; the macro layer installs it before the worker
// starts. An empty one only clears the mark.
void SetPendingMacroUpload(PendingMacroUpload upload);

// Task 6: the pending macro, then the table with command 0x09. False when
// the mouse did not take the macro (the table is then not sent, and the
// button stays marked so the next write sends the macro again) or the table.
bool WriteButtonTable(HidInterface* mouse, int profile);
bool WriteButtonTable(HidInterface* mouse, int profile, const PendingMacroUpload& upload);

}  // namespace tessaly
