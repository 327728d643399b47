#include "catalogue/button_description.h"

#include <utility>

#include "base/decimal.h"

namespace tessaly {
namespace {

// The part before the first '#' and the rest after it; without a '#' the
// whole text is the first part.
std::pair<std::u16string_view, std::u16string_view> CutAtHash(std::u16string_view text) {
    const size_t hash = text.find(u'#');
    if (hash == std::u16string_view::npos) {
        return {text, {}};
    }
    return {text.substr(0, hash), text.substr(hash + 1)};
}

}  // namespace

ButtonRect ParseButtonRect(std::u16string_view text) {
    const auto [first, rest] = CutAtHash(text);
    const auto [second, third] = CutAtHash(rest);
    return {DecimalToInt(first), DecimalToInt(second), DecimalToInt(third)};
}

}  // namespace tessaly
