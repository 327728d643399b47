#pragma once
// The text the button list shows for an assignment, in the current language.

#include <string>
#include <string_view>

#include "storage/rows.h"

namespace tessaly {

// The shown text of a stored row; lcid is the current language.
std::u16string DescribeAssignment(const KeyAssignment& assignment, int lcid);
// The shown text of a factory entry (its macro_desc holds a text number).
std::u16string DescribeFactory(const KeyAssignment& factory_entry);

// A macro name made under another language, shown in this one: the
// default prefix and the copy suffix of the other languages are replaced.
std::u16string RelocaliseMacroName(std::u16string_view name, int lcid);

}  // namespace tessaly
