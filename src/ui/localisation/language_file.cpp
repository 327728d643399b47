#include "ui/localisation/language_file.h"

#include <fstream>
#include <iterator>
#include <unordered_set>

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

std::u16string IndexKey(std::u16string_view section, std::u16string_view key) {
    std::u16string joined;
    joined.reserve(section.size() + 1 + key.size());
    joined.append(section).push_back(u'\n');
    joined.append(key);
    return joined;
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

// As the profile API reads: of two sections or keys of one name, the first.
LanguageFile::LanguageFile(const IniFile& ini) {
    std::unordered_set<std::u16string> sections;
    for (const IniFile::Section& section : ini.sections()) {
        const std::u16string lower = AsciiLower(section.name);
        if (!sections.insert(lower).second)
            continue;
        for (const auto& entry : section.entries)
            texts_.emplace(IndexKey(lower, AsciiLower(entry.name)), AsProfileValue(entry.value));
    }
}

std::u16string LanguageFile::Text(std::u16string_view section, std::u16string_view key) const {
    const auto found = texts_.find(IndexKey(AsciiLower(section), AsciiLower(key)));
    return found == texts_.end() ? std::u16string() : found->second;
}

std::u16string LanguageFile::Text(std::u16string_view section, int number) const {
    return Text(section, IntToDecimal(number));
}

std::u16string LanguageFilePath(int lcid) {
    return ProgramFolder() + u"language/" + IntToDecimal(lcid) + u".lan";
}

}  // namespace tessaly
