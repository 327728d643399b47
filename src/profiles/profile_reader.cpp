#include "profiles/profile_reader.h"

#include <array>

#include "base/decimal.h"
#include "base/imported_name.h"
#include "base/text_format.h"
#include "base/trace.h"
#include "base/unicode.h"
#include "buttons/assignment_ranges.h"
#include "lighting/light_defaults.h"
#include "performance/performance_store.h"
#include "performance/setting_ranges.h"
#include "profiles/profile_file_keys.h"
#include "storage/config_store.h"
#include "storage/key_table.h"
#include "storage/light_table.h"
#include "storage/macro_table.h"
#include "ui/pages/lighting_page.h"

namespace tessaly {
namespace {

// Optional sign and decimal digits, nothing else, within 32 bits.
std::optional<int> WholeNumber(std::u16string_view text) {
    const bool negative = !text.empty() && text.front() == u'-';
    const std::u16string_view digits = negative ? text.substr(1) : text;
    if (digits.empty() || digits.size() > 10) {
        return std::nullopt;
    }
    int64_t value = 0;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - u'0');
    }
    value = negative ? -value : value;
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

bool AnyNumber(int) {
    return true;
}

bool IsLightLevel(int level) {
    return level >= 0 && level <= ui::kLightSliderSteps;
}

bool IsLightColour(int colour) {
    return IsColour(colour);
}

void TraceRefused(std::u16string_view what, std::u16string_view text) {
    Trace(kTraceDevice, "profile import: %s \"%s\" refused", ToUtf8(what).c_str(),
          ToUtf8(text).c_str());
}

struct MouseKey {
    std::u16string_view key;
    bool (*allowed)(int);
};

// The keys of the Mouse section; report_rate is checked against the mouse.
constexpr MouseKey kMouseChecks[] = {
    {u"button_respondtime", IsResponseTime},
    {u"sensor_flag", IsSensorFlag},
    {u"liftoff_height", IsLiftOffHeight},
    // Kept for the file's sake only: no page shows them and nothing sends them.
    {u"scroll_flag", AnyNumber},
    {u"e-sports_flag", AnyNumber},
    {u"sleep_light", IsSleepTime},
    {u"move_wakeup", IsSwitch},
    {u"move_closelight", IsSwitch},
};

// A button row's numbers: a missing one reads as 0, as the file has always
// been read; one that is no number refuses the row.
constexpr std::u16string_view kKeyNumbers[] = {u"key_code", u"macro_type", u"macro_value",
                                               u"macro_value2", u"macro_value3"};

}  // namespace

bool ProfileReader::MayWrite() const {
    return !limits_.before_write || limits_.before_write();
}

bool ProfileReader::Store(std::u16string_view key, int value) {
    return MayWrite() && SetConfigValue(profile_, key, IntToDecimal(value));
}

std::optional<int> ProfileReader::Checked(std::u16string_view attribute, std::u16string_view what,
                                          const std::function<bool(int)>& allowed) {
    const std::u16string text = doc_.GetAttribute(attribute);
    if (text.empty()) {
        return std::nullopt;
    }
    const std::optional<int> value = WholeNumber(text);
    if (!value || !allowed(*value)) {
        ++refused_;
        TraceRefused(what, text);
        return std::nullopt;
    }
    ++taken_;
    return value;
}

bool ProfileReader::ReadAll() {
    return ReadKeys() && (!options_.lighting || ReadLights()) && ReadStages() && ReadMouse();
}

// --- buttons -------------------------------------------------------------------

bool ProfileReader::ReadKeys() {
    // The assignments are cleared even when the file has none.
    if (!MayWrite() || !DeleteProfileKeys(profile_)) {
        return false;
    }
    if (!doc_.FindElement(u"keyitems")) {
        return true;
    }
    ListMacros(macros_);
    doc_.EnterElement();
    bool ok = true;
    while (ok && doc_.FindElement(u"item")) {
        ok = ReadKeyItem();
    }
    doc_.LeaveElement();
    return ok;
}

bool ProfileReader::ReadKeyItem() {
    std::array<int, std::size(kKeyNumbers)> numbers{};
    for (size_t i = 0; i < numbers.size(); ++i) {
        const std::u16string text = doc_.GetAttribute(kKeyNumbers[i]);
        const std::optional<int> number = text.empty() ? 0 : WholeNumber(text);
        if (!number) {
            ++refused_;
            TraceRefused(kKeyNumbers[i], text);
            return true;
        }
        numbers[i] = *number;
    }
    KeyAssignment key;
    key.profile = profile_;
    key.layer = 0;
    key.key_code = numbers[0];
    key.macro_type = numbers[1];
    key.macro_value = numbers[2];
    key.macro_value2 = numbers[3];
    key.macro_value3 = numbers[4];
    key.macro_desc = ImportedName(doc_.GetAttribute(u"macro_desc"));
    if (!IsAssignable(key, model_.key_codes, macros_)) {
        ++refused_;
        Trace(kTraceDevice, "profile import: button row %d %d %d %d refused", key.key_code,
              key.macro_type, key.macro_value, key.macro_value2);
        return true;
    }
    if (!MayWrite() || SaveKeyAssignment(key) <= 0) {
        return false;
    }
    ++taken_;
    return true;
}

// --- lighting --------------------------------------------------------------------

bool ProfileReader::ReadLights() {
    if (!doc_.FindElement(u"Lightitems")) {
        return true;
    }
    // A profile whose page was never shown has no rows yet; the items need them.
    if (!MayWrite()) {
        return false;
    }
    CreateDefaultLights(profile_, model_.options);
    const std::optional<int> active = Checked(u"lightmode", u"lightmode", [this](int mode) {
        LightSetting row;
        return GetLight(profile_, mode, row);
    });
    if (active && (!MayWrite() || !SetActiveLight(profile_, *active))) {
        return false;
    }
    doc_.EnterElement();
    bool ok = true;
    while (ok && doc_.FindElement(u"item")) {
        ok = ReadLightItem();
    }
    doc_.LeaveElement();
    return ok;
}

bool ProfileReader::ReadLightItem() {
    const std::u16string mode_text = doc_.GetAttribute(u"light_mode");
    const std::optional<int> mode = WholeNumber(mode_text);
    LightSetting light;
    // An effect the model does not offer: the profile has no row for it.
    if (!mode || !GetLight(profile_, *mode, light)) {
        ++refused_;
        TraceRefused(u"light_mode", mode_text);
        return true;
    }
    struct Field {
        std::u16string attribute;
        int* value;
        bool (*allowed)(int);
    };
    std::vector<Field> fields{
        {u"brightness", &light.brightness, IsLightLevel},
        {u"speed", &light.speed, IsLightLevel},
        // Not edited by the page and not sent: kept as the file has them.
        {u"direction", &light.direction, AnyNumber},
        {u"colorful", &light.colorful, AnyNumber},
        {u"colorindex", &light.color_index, AnyNumber},
    };
    for (size_t i = 0; i < light.color_values.size(); ++i) {
        fields.push_back({Format(u"color_value%d", static_cast<int>(i + 1)), &light.color_values[i],
                          IsLightColour});
    }
    for (const Field& field : fields) {
        if (const std::optional<int> value =
                Checked(field.attribute, field.attribute, field.allowed)) {
            *field.value = *value;
        }
    }
    return MayWrite() && UpdateLight(*mode, light);
}

// --- DPI stages and the performance values ----------------------------------------

bool ProfileReader::ReadStages() {
    if (!doc_.FindElement(u"Mouse_DPI")) {
        return true;
    }
    const std::optional<int> flag = Checked(u"dpi_flag", u"dpi_flag", IsStageCount);
    const std::optional<int> count = Checked(u"dpi_count", u"dpi_count", IsStageCount);
    const int stages = count.value_or(ReadConfigNumber(profile_, u"dpi_count"));
    std::optional<int> index =
        Checked(u"dpi_index", u"dpi_index", [stages](int i) { return IsStageIndex(i, stages); });
    // As the page's count list does: a current stage beyond the new count
    // becomes the last stage.
    if (!index && count && ReadConfigNumber(profile_, u"dpi_index") > *count - 1) {
        index = *count - 1;
    }
    if ((flag && !Store(u"dpi_flag", *flag)) || (count && !Store(u"dpi_count", *count)) ||
        (index && !Store(u"dpi_index", *index))) {
        return false;
    }
    doc_.EnterElement();
    const bool ok = StoreStageValues();
    doc_.LeaveElement();
    return ok;
}

bool ProfileReader::StoreStageValues() {
    const SensorLimits limits = limits_.sensor;
    for (int stage = 0; stage < kProfileFileStages; ++stage) {
        if (!doc_.FindElement(Format(u"DPI%d", stage + 1))) {
            continue;
        }
        const std::u16string value_key = StageValueKey(stage);
        const std::u16string colour_key = StageColourKey(stage);
        const std::optional<int> dpi =
            Checked(u"value", value_key, [&limits](int v) { return IsStageDpi(v, limits); });
        const std::optional<int> colour = Checked(u"color", colour_key, IsLightColour);
        if ((dpi && !Store(value_key, *dpi)) || (colour && !Store(colour_key, *colour))) {
            return false;
        }
    }
    return true;
}

// The nine keys in the file's order, as they are written.
bool ProfileReader::ReadMouse() {
    if (!doc_.FindElement(u"Mouse")) {
        return true;
    }
    doc_.EnterElement();
    bool ok = true;
    for (std::u16string_view key : kProfileMouseKeys) {
        if (!ok || !doc_.FindElement(key)) {
            continue;
        }
        std::function<bool(int)> allowed = [this](int code) {
            return IsOfferedReportRate(code, limits_.report_capability);
        };
        for (const MouseKey& check : kMouseChecks) {
            if (check.key == key) {
                allowed = check.allowed;
            }
        }
        if (const std::optional<int> value = Checked(u"value", key, allowed)) {
            ok = Store(key, *value);
        }
    }
    doc_.LeaveElement();
    return ok;
}

}  // namespace tessaly
