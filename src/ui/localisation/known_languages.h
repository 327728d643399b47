#pragma once
// The languages the program knows, in the order the settings page lists
// them, each named in its own language (never translated).

#include <array>
#include <string_view>
#include <vector>

namespace tessaly {

struct KnownLanguage {
    int lcid;
    std::u16string_view display_name;
};

inline constexpr std::array<KnownLanguage, 7> kKnownLanguages{{
    {2052, u"简体中文"},
    {1033, u"English"},
    {1028, u"繁體中文"},
    {1041, u"日本語"},
    {1042, u"한국어"},
    {1058, u"Українська"},
    {1049, u"Русский"},
}};

// The known languages that config.xml offers, in the order above.
std::vector<KnownLanguage> OfferedLanguages();

// Empty for a language that is not known.
std::u16string_view LanguageDisplayName(int lcid);

}  // namespace tessaly
