#include "platform/ini_file.h"

#include "base/unicode.h"

namespace tessaly {
namespace {

bool SameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && AsciiLower(a) == AsciiLower(b);
}

std::u16string_view Trim(std::u16string_view text) {
    auto blank = [](char16_t c) { return c == u' ' || c == u'\t' || c == u'\r'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::u16string DecodeBytes(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string text;
        text.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        }
        return text;
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    return FromUtf8(bytes);
}

}  // namespace

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile ini;
    const std::u16string text = DecodeBytes(bytes);
    Section* current = nullptr;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(u'\n', start);
        if (end == std::u16string::npos)
            end = text.size();
        const std::u16string_view line = Trim(std::u16string_view(text).substr(start, end - start));
        start = end + 1;
        if (line.empty() || line.front() == u';' || line.front() == u'#')
            continue;
        if (line.front() == u'[') {
            const size_t close = line.find(u']');
            const auto name =
                line.substr(1, close == std::u16string_view::npos ? line.size() - 1 : close - 1);
            ini.AddSection(name);
            current = ini.Find(name);
            continue;
        }
        const size_t equals = line.find(u'=');
        if (current == nullptr || equals == std::u16string_view::npos)
            continue;
        const auto name = Trim(line.substr(0, equals));
        const auto value = Trim(line.substr(equals + 1));
        bool seen = false;
        for (const auto& entry : current->entries)
            seen = seen || SameName(entry.name, name);
        // The first of two equal names wins, as the profile API reads it.
        if (!seen)
            current->entries.push_back({std::u16string(name), std::u16string(value)});
    }
    return ini;
}

std::string IniFile::Serialise() const {
    // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on chained
    // string concatenation at -O3.
    std::string out;
    for (const auto& section : sections_) {
        out.append("[").append(ToUtf8(section.name)).append("]\n");
        for (const auto& entry : section.entries) {
            out.append(ToUtf8(entry.name)).append("=").append(ToUtf8(entry.value)).append("\n");
        }
    }
    return out;
}

IniFile::Section* IniFile::Find(std::u16string_view section) {
    for (auto& s : sections_) {
        if (SameName(s.name, section))
            return &s;
    }
    return nullptr;
}

const IniFile::Section* IniFile::Find(std::u16string_view section) const {
    for (const auto& s : sections_) {
        if (SameName(s.name, section))
            return &s;
    }
    return nullptr;
}

bool IniFile::HasSection(std::u16string_view section) const {
    return Find(section) != nullptr;
}

void IniFile::AddSection(std::u16string_view section) {
    if (!HasSection(section))
        sections_.push_back({std::u16string(section), {}});
}

std::optional<std::u16string> IniFile::Get(std::u16string_view section,
                                           std::u16string_view name) const {
    const Section* s = Find(section);
    if (s == nullptr)
        return std::nullopt;
    for (const auto& entry : s->entries) {
        if (SameName(entry.name, name))
            return entry.value;
    }
    return std::nullopt;
}

void IniFile::Set(std::u16string_view section, std::u16string_view name,
                  std::u16string_view value) {
    AddSection(section);
    Section* s = Find(section);
    for (auto& entry : s->entries) {
        if (SameName(entry.name, name)) {
            entry.value = value;
            return;
        }
    }
    s->entries.push_back({std::u16string(name), std::u16string(value)});
}

}  // namespace tessaly
