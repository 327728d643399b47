#pragma once
// Colours written as "#RRGGBB" in description files, kept as 0x00BBGGRR.

#include <cstdint>
#include <string_view>

namespace tessaly {

// The first character is dropped; of the rest, two digits of red, then one
// or two of green, then one or two of blue. Lengths other than 2 … 6 give 0.
uint32_t ColourFromText(std::u16string_view text);

}  // namespace tessaly
