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
    // A one-digit text is its minor part alone ("5" is 0.05).
    const size_t split = hex.size() > 2 ? hex.size() - 2 : 0;
    std::u16string major(hex.substr(0, split));
    std::u16string minor(hex.substr(split));
    if (major.empty()) {
        major = u"0";
    }
    if (minor.size() < 2) {
        minor.insert(0, 2 - minor.size(), u'0');
    }
    return major + u"." + minor;
}

}  // namespace tessaly
