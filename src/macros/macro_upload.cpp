#include "macros/macro_upload.h"

#include <cstdint>

#include "base/trace.h"
#include "buttons/assignment_model.h"
#include "device/commands/command_sender.h"
#include "macros/macro_encoding.h"
#include "storage/key_table.h"
#include "storage/macro_table.h"

namespace tessaly {

bool MacroFitsDevice(int macro_id) {
    return EncodeMacroEvents(macro_id).size() <= kMaxMacroEvents;
}

bool UploadPendingMacro(HidInterface* mouse, int profile, int key_code) {
    KeyAssignment assignment;
    if (!GetKeyAssignment(profile, key_code, assignment) ||
        assignment.macro_type != kCategoryMacro) {
        return true;
    }
    // A deleted macro has no events to send; the button table then keeps
    // the button's slot as it was.
    MacroInfo macro;
    if (!GetMacro(assignment.macro_value, macro)) {
        Trace(kTraceDevice, "macro %d of key %d no longer exists: not sent", assignment.macro_value,
              key_code);
        return true;
    }
    const std::vector<MacroEventBytes> records = EncodeMacroEvents(assignment.macro_value);
    if (records.size() > kMaxMacroEvents) {
        Trace(kTraceDevice, "macro %d: %zu records, more than one macro command carries",
              assignment.macro_value, records.size());
        return true;
    }
    return SendMacro(mouse, static_cast<uint8_t>(key_code), records).ok();
}

}  // namespace tessaly
