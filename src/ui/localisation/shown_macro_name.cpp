#include "ui/localisation/shown_macro_name.h"

#include <array>

#include "base/text_format.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

// Names made under English and Chinese, tried in this order.
constexpr std::array<std::u16string_view, 2> kCustomPrefixes = {u"Custom", u"\u81ea\u5b9a\u4e49"};
constexpr std::array<std::u16string_view, 2> kCopySuffixes = {u"Copy", u"\u590d\u5236"};

std::u16string ReplacePrefix(std::u16string_view name, std::u16string_view custom_text) {
    for (std::u16string_view prefix : kCustomPrefixes) {
        if (name.starts_with(prefix)) {
            return Format(u"%s%s", custom_text, name.substr(prefix.size()));
        }
    }
    return std::u16string(name);
}

std::u16string ReplaceSuffix(std::u16string_view name, std::u16string_view copy_text) {
    for (std::u16string_view suffix : kCopySuffixes) {
        if (name.ends_with(suffix)) {
            // The part before the first occurrence, as the name was written.
            return Format(u"%s %s", name.substr(0, name.find(suffix)), copy_text);
        }
    }
    return std::u16string(name);
}

}  // namespace

std::u16string ShownMacroName(std::u16string_view name, std::u16string_view custom_text,
                              std::u16string_view copy_text) {
    return ReplaceSuffix(ReplacePrefix(name, custom_text), copy_text);
}

std::u16string ShownMacroName(std::u16string_view name) {
    return ShownMacroName(name, LoadLanguageString(text::kCustom), LoadLanguageString(text::kCopy));
}

}  // namespace tessaly
