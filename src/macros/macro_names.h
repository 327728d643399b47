#pragma once
// The names the macro list and the key page's macro choice show: factory
// prefixes and copy suffixes in the current language. Stored names stay.

#include <string>
#include <string_view>

namespace tessaly {

// With the current language's texts 351 and 31.
std::u16string ShownMacroName(std::u16string_view name);
std::u16string ShownMacroName(std::u16string_view name, std::u16string_view custom_text,
                              std::u16string_view copy_text);

// "%s %d": text 351 and the number of macros plus one.
std::u16string NewMacroName(int macro_count);

}  // namespace tessaly
