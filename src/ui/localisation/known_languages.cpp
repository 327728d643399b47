#include "ui/localisation/known_languages.h"

#include "app/language_state.h"

namespace tessaly {

std::vector<KnownLanguage> OfferedLanguages() {
    std::vector<KnownLanguage> offered;
    for (const auto& language : kKnownLanguages) {
        if (InLanguageSet(language.lcid))
            offered.push_back(language);
    }
    return offered;
}

std::u16string_view LanguageDisplayName(int lcid) {
    for (const auto& language : kKnownLanguages) {
        if (language.lcid == lcid)
            return language.display_name;
    }
    return {};
}

}  // namespace tessaly
