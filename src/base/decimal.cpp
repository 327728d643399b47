#include "base/decimal.h"

#include <climits>

namespace tessaly {
namespace {

template <typename Char>
int ParseDecimal(std::basic_string_view<Char> text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<int64_t>(INT_MAX) + 1)
            break;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

int DecimalToInt(std::u16string_view text) {
    return ParseDecimal(text);
}
int DecimalToInt(std::string_view text) {
    return ParseDecimal(text);
}

std::u16string IntToDecimal(int64_t value) {
    const std::string narrow = std::to_string(value);
    return std::u16string(narrow.begin(), narrow.end());
}

}  // namespace tessaly
