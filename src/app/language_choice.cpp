#include "app/language_choice.h"

#include <array>
#include <cstdlib>
#include <string>

#include "app/language_state.h"
#include "app/registry_values.h"

namespace tessaly {
namespace {

struct LocaleLanguage {
    std::string_view prefix;  // language, or language_territory
    int lcid;
};

// Longer prefixes first: zh_TW must not be taken for zh.
constexpr std::array<LocaleLanguage, 13> kLocaleLanguages{{
    {"zh_CN", 2052},
    {"zh_SG", 2052},
    {"zh_TW", 1028},
    {"zh_HK", 1028},
    {"zh", 2052},
    {"ja", 1041},
    {"ko", 1042},
    {"uk", 1058},
    {"ru", 1049},
    {"de", 1031},
    {"fr", 1036},
    {"es", 3082},
    {"en", 1033},
}};

bool StartsWithLocale(std::string_view locale, std::string_view prefix) {
    if (locale.substr(0, prefix.size()) != prefix)
        return false;
    if (locale.size() == prefix.size())
        return true;
    const char next = locale[prefix.size()];
    return next == '_' || next == '.' || next == '@' || next == '-';
}

}  // namespace

int LcidFromLocaleName(std::string_view locale) {
    for (const auto& entry : kLocaleLanguages) {
        if (StartsWithLocale(locale, entry.prefix))
            return entry.lcid;
    }
    return kLcidEnglish;
}

int UserDefaultUILanguage() {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return LcidFromLocaleName(value);
    }
    return kLcidEnglish;
}

void ChooseLanguageAtStart() {
    SetCurrentLcid(ReadStoredLanguage());
    if (CurrentLcid() == 0) {
        SetCurrentLcid(UserDefaultUILanguage());
        WriteStoredLanguage(InLanguageSet(CurrentLcid()) ? CurrentLcid() : kLcidEnglish);
    }
    if (!InLanguageSet(CurrentLcid())) {
        WriteStoredLanguage(kLcidEnglish);
        SetCurrentLcid(kLcidEnglish);
    }
}

}  // namespace tessaly
