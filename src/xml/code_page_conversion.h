#pragma once
// Conversions between a Windows code page's bytes and UTF-16, through iconv.

#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// Nothing when the platform has no converter for the code page.
std::optional<std::u16string> DecodeCodePage(std::string_view bytes, int code_page);

struct EncodedText {
    std::string bytes;
    bool loss = false;  // characters with no equivalent were replaced by '?'
};
std::optional<EncodedText> EncodeCodePage(std::u16string_view text, int code_page);

// 32-bit little-endian code points, done here rather than by iconv.
std::u16string DecodeUtf32Le(std::string_view bytes);
std::string EncodeUtf32Le(std::u16string_view text);

// The code pages whose converters cannot report a lost character.
bool CodePageReportsLoss(int code_page);

}  // namespace tessaly
