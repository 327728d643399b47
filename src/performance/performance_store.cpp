#include "performance/performance_store.h"

#include "base/decimal.h"
#include "base/text_format.h"
#include "storage/config_store.h"

namespace tessaly {

int ReadConfigNumber(int profile, std::u16string_view key) {
    return DecimalToInt(ReadConfigText(profile, key));
}

std::u16string ReadConfigText(int profile, std::u16string_view key) {
    std::u16string value;
    GetConfigValue(profile, key, value);
    return value;
}

bool WriteConfigNumber(int profile, std::u16string_view key, int64_t value) {
    return SetConfigValue(profile, key, IntToDecimal(value));
}

std::u16string StageValueKey(int stage) {
    return Format(u"dpi_group%d_value", stage);
}

std::u16string StageColourKey(int stage) {
    return Format(u"dpi_group%d_rgb", stage);
}

int ReadStageValue(int profile, int stage) {
    return ReadConfigNumber(profile, StageValueKey(stage));
}

uint32_t ReadStageColour(int profile, int stage) {
    // Colours are stored as "%d" of 0x00BBGGRR; the top byte is never used.
    return static_cast<uint32_t>(ReadConfigNumber(profile, StageColourKey(stage))) & 0xFFFFFFu;
}

}  // namespace tessaly
