#pragma once
// The one rule for showing a macro's name: names made by default carry the
// word for custom, copies the word for copy, of the language active when
// they were made; both words are shown in the current language. Stored
// names stay as they are.

#include <string>
#include <string_view>

namespace tessaly {

// With the current language's texts 351 and 31.
std::u16string ShownMacroName(std::u16string_view name);
std::u16string ShownMacroName(std::u16string_view name, std::u16string_view custom_text,
                              std::u16string_view copy_text);

}  // namespace tessaly
