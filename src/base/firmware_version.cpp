#include "base/firmware_version.h"

#include <cstdio>

namespace tessaly {

std::string FirmwareVersionText(uint32_t release) {
    char text[16];
    std::snprintf(text, sizeof text, "%X.%02X", (release >> 8) & 0xFFFFFF, release & 0xFF);
    return text;
}

std::u16string FirmwareVersionText(std::u16string_view hex) {
    if (hex.empty()) {
        return {};
    }
    // A one-digit text is its minor part alone ("5" is 0.05). Built by
    // appending: GCC 12 at -O3 warns falsely on the concatenation.
    const size_t split = hex.size() > 2 ? hex.size() - 2 : 0;
    std::u16string text;
    text.reserve(hex.size() + 3);
    if (split == 0) {
        text.push_back(u'0');
    }
    for (size_t i = 0; i < split; ++i) {
        text.push_back(hex[i]);
    }
    text.push_back(u'.');
    for (size_t digits = hex.size() - split; digits < 2; ++digits) {
        text.push_back(u'0');
    }
    for (size_t i = split; i < hex.size(); ++i) {
        text.push_back(hex[i]);
    }
    return text;
}

}  // namespace tessaly
