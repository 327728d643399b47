#pragma once
// Text in memory is UTF-16; these are the only conversions to and from UTF-8,
// used at the boundaries (SQLite, file paths, trace, terminal output).

#include <string>
#include <string_view>

namespace tessaly {

// Invalid input (lone surrogates, malformed UTF-8) becomes U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

// Lower-cases ASCII letters only; everything else is kept.
std::u16string AsciiLower(std::u16string_view text);

}  // namespace tessaly
