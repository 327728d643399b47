#pragma once
// A language file, read as an INI file: trimmed values, one pair of
// enclosing quotes dropped, at most 259 UTF-16 units, and an empty text for
// anything missing, so a damaged file still gives a usable window.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/ini_file.h"

namespace tessaly {

inline constexpr std::u16string_view kLanguageSection = u"LAN";

class LanguageFile {
  public:
    // The lookup buffer holds 260 units including the terminator.
    static constexpr size_t kMaxTextLength = 259;

    // A file that is missing or cannot be read gives an empty file.
    static LanguageFile Read(std::u16string_view path);
    // UTF-16LE with its mark, or UTF-8 with or without one.
    static LanguageFile FromBytes(std::string_view bytes);

    // Section and key compare without regard to ASCII case.
    std::u16string Text(std::u16string_view section, std::u16string_view key) const;
    // The key is the number in decimal, as "%d" writes it.
    std::u16string Text(std::u16string_view section, int number) const;

  private:
    explicit LanguageFile(const IniFile& ini);

    // Every text, cut and unquoted once, by lower-case "section\nkey": the
    // window asks for thousands of texts (a name per macro) while it starts.
    std::unordered_map<std::u16string, std::u16string> texts_;
};

// "<program folder>language/<lcid>.lan".
std::u16string LanguageFilePath(int lcid);

}  // namespace tessaly
