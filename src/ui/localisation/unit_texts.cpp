#include "ui/localisation/unit_texts.h"

#include <array>

#include "base/decimal.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

constexpr std::u16string_view kPlace = u"%1";

struct UnitRow {
    Unit unit;
    int text;
    std::u16string_view fallback;  // without a usable language text
};

constexpr std::array<UnitRow, 3> kUnits{{
    {Unit::kHertz, text::kUnitHertz, u"%1Hz"},
    {Unit::kMillimetre, text::kUnitMillimetre, u"%1mm"},
    {Unit::kMillisecond, text::kUnitMillisecond, u"%1 ms"},
}};

std::u16string Pattern(Unit unit) {
    for (const UnitRow& row : kUnits) {
        if (row.unit != unit) {
            continue;
        }
        std::u16string pattern = LoadLanguageString(row.text);
        // A text without its one place for the number would lose the number.
        const size_t at = pattern.find(kPlace);
        if (at == std::u16string::npos || pattern.find(kPlace, at + 1) != std::u16string::npos) {
            return std::u16string(row.fallback);
        }
        return pattern;
    }
    return std::u16string(kPlace);
}

}  // namespace

std::u16string WithUnit(Unit unit, std::u16string_view number) {
    std::u16string text = Pattern(unit);
    text.replace(text.find(kPlace), kPlace.size(), number);
    return text;
}

std::u16string WithUnit(Unit unit, int number) {
    return WithUnit(unit, IntToDecimal(number));
}

std::u16string UnitName(Unit unit) {
    std::u16string text = WithUnit(unit, u"");
    const size_t first = text.find_first_not_of(u' ');
    const size_t last = text.find_last_not_of(u' ');
    return first == std::u16string::npos ? std::u16string() : text.substr(first, last - first + 1);
}

}  // namespace tessaly
