#include "buttons/key_usage.h"

#include "base/text_format.h"

namespace tessaly {
namespace {

struct UsageRow {
    int code;
    int usage;
};

// Virtual-key codes outside the letter, digit, function-key and keypad runs.
constexpr UsageRow kUsages[] = {
    {8, 0x2A},   {9, 0x2B},   {13, 0x28},  {19, 0x48},  {20, 0x39},  {27, 0x29},  {32, 0x2C},
    {33, 0x4B},  {34, 0x4E},  {35, 0x4D},  {36, 0x4A},  {37, 0x50},  {38, 0x52},  {39, 0x4F},
    {40, 0x51},  {44, 0x46},  {45, 0x49},  {46, 0x4C},  {91, 0xE3},  {92, 0xE7},  {93, 0x65},
    {96, 0x62},  {106, 0x55}, {107, 0x57}, {108, 0x58}, {109, 0x56}, {110, 0x63}, {111, 0x54},
    {136, 0x88}, {137, 0x89}, {138, 0x8A}, {139, 0x8B}, {144, 0x53}, {145, 0x47}, {160, 0xE1},
    {161, 0xE5}, {162, 0xE0}, {163, 0xE4}, {164, 0xE2}, {165, 0xE6}, {186, 0x33}, {187, 0x2E},
    {188, 0x36}, {189, 0x2D}, {190, 0x37}, {191, 0x38}, {192, 0x35}, {219, 0x2F}, {220, 0x31},
    {221, 0x30}, {222, 0x34}, {226, 0x64}, {254, 0xAF}, {301, 0xEC}, {302, 0xEB}, {666, 0x32},
};

struct ModifierRow {
    int virtual_key;
    int usage;
    int bit;
};

constexpr ModifierRow kModifiers[] = {
    {162, 0xE0, 0x01}, {160, 0xE1, 0x02}, {164, 0xE2, 0x04}, {91, 0xE3, 0x08},
    {163, 0xE4, 0x10}, {161, 0xE5, 0x20}, {165, 0xE6, 0x40}, {92, 0xE7, 0x80},
};

}  // namespace

int VirtualKeyToUsage(int code) {
    if (code >= 'A' && code <= 'Z') {
        return code - 61;
    }
    if (code >= '1' && code <= '9') {
        return code - 19;
    }
    if (code == '0') {
        return 0x27;
    }
    if (code >= 112 && code <= 123) {
        return 0x3A + (code - 112);
    }
    if (code >= 124 && code <= 135) {
        return 0x68 + (code - 124);
    }
    if (code >= 97 && code <= 105) {
        return 0x59 + (code - 97);
    }
    for (const UsageRow& row : kUsages) {
        if (row.code == code) {
            return row.usage;
        }
    }
    return 0;
}

int ModifierBit(int code) {
    for (const ModifierRow& row : kModifiers) {
        if (row.virtual_key == code || row.usage == code) {
            return row.bit;
        }
    }
    return code;
}

std::u16string FormatKeyCombination(bool shift, bool ctrl, bool win, bool alt,
                                    std::u16string_view key_name) {
    struct Part {
        bool present;
        std::u16string_view bare;
        std::u16string_view appended;
    };
    const Part parts[] = {
        {shift, u"Shift", u"+ Shift"},
        {ctrl, u"Ctrl", u"+ Ctrl"},
        {win, u"Win", u"+ Win"},
        {alt, u"Alt", u"+ Alt"},
    };
    std::u16string modifiers;
    for (const Part& part : parts) {
        if (part.present) {
            modifiers += modifiers.empty() ? part.bare : part.appended;
        }
    }
    if (modifiers.empty()) {
        return std::u16string(key_name);
    }
    if (key_name.empty()) {
        return modifiers;
    }
    return Format(u"%s + %s", modifiers, key_name);
}

}  // namespace tessaly
