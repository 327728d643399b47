#include "profiles/profile_names.h"

#include "base/text_format.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {}  // namespace

std::u16string DisplayProfileName(std::u16string_view stored) {
    for (std::u16string_view prefix :
         {std::u16string_view(u"Profile"), std::u16string_view(u"配置")}) {
        if (stored.starts_with(prefix)) {
            // The remainder keeps its leading blank.
            return Format(u"%s %s", LoadLanguageString(text::kProfile),
                          stored.substr(prefix.size()));
        }
    }
    return std::u16string(stored);
}

}  // namespace tessaly
