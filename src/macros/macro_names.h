#pragma once
// The names the macro list and the key page's macro choice show (the rule
// itself is the localisation layer's, shared with the macro page's texts)
// and the name of a new macro.

#include <string>

#include "ui/localisation/shown_macro_name.h"

namespace tessaly {

// "%s %d": text 351 and the number of macros plus one.
std::u16string NewMacroName(int macro_count);

}  // namespace tessaly
