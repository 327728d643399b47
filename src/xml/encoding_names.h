#pragma once
// Encoding names, as files declare them, to Windows code pages.

#include <cstddef>
#include <string_view>

namespace tessaly {

// The system ANSI code page: files without a usable encoding come from
// Windows tools, so Windows-1252 stands for it here.
inline constexpr int kAnsiCodePage = 1252;
inline constexpr int kCodePageUtf16Le = 1200;
inline constexpr int kCodePageUtf16Be = 1201;
inline constexpr int kCodePageUtf8 = 65001;

// Case-insensitive (ASCII); an empty, unknown or over-long name (100
// characters or more) gives the ANSI code page.
int CodePageFromEncodingName(std::u16string_view name);
size_t EncodingNameCount();
// The table's names in order, for listing them; empty past the end.
std::u16string_view EncodingNameAt(size_t i);

}  // namespace tessaly
