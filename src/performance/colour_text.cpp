#include "performance/colour_text.h"

namespace tessaly {
namespace {

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// A non-digit ends the number, as a text-to-number conversion would.
uint32_t HexValue(std::u16string_view digits) {
    uint32_t value = 0;
    for (char16_t c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) {
            break;
        }
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    return value;
}

}  // namespace

uint32_t ColourFromText(std::u16string_view text) {
    if (text.empty()) {
        return 0;
    }
    const std::u16string_view rest = text.substr(1);
    if (rest.size() < 2 || rest.size() > 6) {
        return 0;
    }
    const uint32_t red = HexValue(rest.substr(0, 2));
    const std::u16string_view after_red = rest.substr(2);
    const size_t green_digits = after_red.size() >= 2 ? 2 : after_red.size();
    const uint32_t green = HexValue(after_red.substr(0, green_digits));
    const uint32_t blue = HexValue(after_red.substr(green_digits));
    return blue * 65536 + green * 256 + red;
}

}  // namespace tessaly
