#include "ui/localisation/language_file.h"

#include <fstream>
#include <iterator>

#include "base/decimal.h"
#include "base/unicode.h"
#include "platform/folders.h"

namespace tessaly {
namespace {

bool IsQuote(char16_t c) {
    return c == u'"' || c == u'\'';
}

// The parser has already trimmed the blanks around the value.
std::u16string AsProfileValue(std::u16string value) {
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.size() > LanguageFile::kMaxTextLength)
        value.resize(LanguageFile::kMaxTextLength);
    return value;
}

}  // namespace

LanguageFile LanguageFile::Read(std::u16string_view path) {
    std::ifstream in(ToUtf8(path), std::ios::binary);
    if (!in)
        return FromBytes({});
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return FromBytes(bytes);
}

LanguageFile LanguageFile::FromBytes(std::string_view bytes) {
    return LanguageFile(IniFile::Parse(bytes));
}

std::u16string LanguageFile::Text(std::u16string_view section, std::u16string_view key) const {
    auto value = ini_.Get(section, key);
    return value ? AsProfileValue(std::move(*value)) : std::u16string();
}

std::u16string LanguageFile::Text(std::u16string_view section, int number) const {
    return Text(section, IntToDecimal(number));
}

std::u16string LanguageFilePath(int lcid) {
    return ProgramFolder() + u"language/" + IntToDecimal(lcid) + u".lan";
}

}  // namespace tessaly
