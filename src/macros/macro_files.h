#pragma once
// Macro files: one macro ("macroinfo" and "macroitems") or every stored
// macro ("macro_item" elements), both under a root "macro". Readers go
// forward only, ignore what they do not know and store values unchecked.

#include <string_view>
#include <vector>

#include "storage/rows.h"

namespace tessaly {

// One macro under the given name with its stored events. False when the
// file could not be written.
bool WriteMacroFile(std::u16string_view path, const MacroInfo& macro,
                    std::u16string_view shown_name);
// Every stored macro under its stored name.
bool WriteMacroCollection(std::u16string_view path);

// The macros stored from the file (ids and names as read); empty when the
// file is missing, not well-formed or its root is not "macro".
std::vector<MacroInfo> ReadMacroFile(std::u16string_view path);
std::vector<MacroInfo> ReadMacroCollection(std::u16string_view path);

}  // namespace tessaly
