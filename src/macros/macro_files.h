#pragma once
// Macro files: one macro ("macroinfo" and "macroitems") or every stored
// macro ("macro_item" elements), both under a root "macro". Readers go
// forward only, ignore what they do not know and hold every value to the
// macro page's ranges (macro_file_values.h).

#include <string_view>
#include <vector>

#include "macros/macro_file_values.h"
#include "storage/rows.h"

namespace tessaly {

// One macro under the given name with its stored events. False when the
// file could not be written.
bool WriteMacroFile(std::u16string_view path, const MacroInfo& macro,
                    std::u16string_view shown_name);
// Every stored macro under its stored name.
bool WriteMacroCollection(std::u16string_view path);

struct MacroImport {
    // The macros stored (ids and names as read); none when the file is
    // missing, not well-formed, its root is not "macro", or every value of it
    // was refused.
    std::vector<MacroInfo> macros;
    MacroValueCounts counts;
};

// Each macro is stored whole (its row and events in one transaction) or not
// at all. The device id sets the play count's bound, as on the page.
MacroImport ReadMacroFile(std::u16string_view path, int device_id);
MacroImport ReadMacroCollection(std::u16string_view path, int device_id);
// What an import of the file would refuse, storing nothing.
MacroValueCounts CheckMacroFileValues(std::u16string_view path, bool collection, int device_id);

}  // namespace tessaly
