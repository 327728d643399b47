#include "macros/macro_names.h"

#include "base/text_format.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {

std::u16string NewMacroName(int macro_count) {
    return Format(u"%s %d", LoadLanguageString(text::kCustom), macro_count + 1);
}

}  // namespace tessaly
