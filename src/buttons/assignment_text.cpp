#include "buttons/assignment_text.h"

#include <array>
#include <span>

#include "base/decimal.h"
#include "base/text_format.h"
#include "buttons/assignment_model.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

struct ValueText {
    int value;
    int text;
};

constexpr ValueText kMouseTexts[] = {
    {1, 106}, {2, 108}, {3, 107}, {4, 180}, {5, 109},
    {6, 110}, {7, 112}, {8, 113}, {9, 114}, {10, 115},
};
constexpr ValueText kMultimediaTexts[] = {
    {1, 120}, {2, 121}, {3, 124}, {4, 122}, {5, 123}, {6, 117}, {7, 118}, {8, 119},
};
constexpr ValueText kSpecialTexts[] = {
    {1, 151}, {3, 152}, {4, 153}, {5, 154}, {6, 155},
};
constexpr ValueText kShortcutTexts[] = {
    {1, 127}, {2, 128}, {3, 129}, {4, 130}, {5, 131}, {6, 132},
    {7, 133}, {8, 134}, {9, 31},  {10, 32}, {11, 36},
};

std::u16string ByValue(std::span<const ValueText> texts, const KeyAssignment& assignment) {
    for (const ValueText& row : texts) {
        if (row.value == assignment.macro_value) {
            return LoadLanguageString(row.text);
        }
    }
    return assignment.macro_desc;
}

// The words other languages start default names with and end copies with.
constexpr std::u16string_view kCustomEn = u"Custom";
constexpr std::u16string_view kCustomZhCn = u"自定义";
constexpr std::u16string_view kCustomZhTw = u"自定義";
constexpr std::u16string_view kCustomJa = u"カスタム";
constexpr std::u16string_view kCustomRu = u"Пользоват";
constexpr std::u16string_view kCopyEn = u"Copy";
constexpr std::u16string_view kCopyZhCn = u"复制";
constexpr std::u16string_view kCopyZhTw = u"複製";
constexpr std::u16string_view kCopyRu = u"Копировать";

struct LanguageWords {
    int lcid;
    std::array<std::u16string_view, 4> prefixes;
    std::array<std::u16string_view, 3> suffixes;  // empty entries unused
    std::u16string_view copy_format;
};

constexpr LanguageWords kLanguages[] = {
    {2052,
     {kCustomEn, kCustomZhTw, kCustomJa, kCustomRu},
     {kCopyEn, kCopyZhTw, kCopyRu},
     u"%s 复制"},
    {1033,
     {kCustomZhCn, kCustomZhTw, kCustomJa, kCustomRu},
     {kCopyZhCn, kCopyZhTw, kCopyRu},
     u"%s Copy"},
    {1028,
     {kCustomZhCn, kCustomEn, kCustomJa, kCustomRu},
     {kCopyZhCn, kCopyEn, kCopyRu},
     u"%s 複製"},
    {1041,
     {kCustomZhCn, kCustomEn, kCustomZhTw, kCustomRu},
     {kCopyZhCn, kCopyEn, kCopyRu},
     u"%s 複製"},
    {1049,
     {kCustomZhCn, kCustomEn, kCustomZhTw, kCustomJa},
     {kCopyZhCn, kCopyEn, {}},
     u"%s Копировать"},
};

const LanguageWords* WordsOf(int lcid) {
    for (const LanguageWords& words : kLanguages) {
        if (words.lcid == lcid) {
            return &words;
        }
    }
    return nullptr;
}

}  // namespace

std::u16string RelocaliseMacroName(std::u16string_view name, int lcid) {
    const LanguageWords* words = WordsOf(lcid);
    std::u16string shown(name);
    if (words == nullptr) {
        return shown;
    }
    for (std::u16string_view prefix : words->prefixes) {
        if (shown.starts_with(prefix)) {
            shown = Format(u"%s%s", LoadLanguageString(text::kCustom),
                           std::u16string_view(shown).substr(prefix.size()));
            break;
        }
    }
    for (std::u16string_view suffix : words->suffixes) {
        if (!suffix.empty() && shown.ends_with(suffix)) {
            shown = Format(words->copy_format,
                           std::u16string_view(shown).substr(0, shown.find(suffix)));
            break;
        }
    }
    return shown;
}

std::u16string DescribeAssignment(const KeyAssignment& assignment, int lcid) {
    switch (assignment.macro_type) {
        case kCategoryMouse:
            return ByValue(kMouseTexts, assignment);
        case kCategoryMultimedia:
            return ByValue(kMultimediaTexts, assignment);
        case kCategoryMacro:
            return RelocaliseMacroName(assignment.macro_desc, lcid);
        case kCategorySpecial:
            return ByValue(kSpecialTexts, assignment);
        case kCategoryRepeat:
            return LoadLanguageString(text::kRapidFireShown);
        case kCategoryShortcut:
            return ByValue(kShortcutTexts, assignment);
        case kCategoryDisable:
            return LoadLanguageString(text::kDisable);
        default:
            return assignment.macro_desc;
    }
}

std::u16string DescribeFactory(const KeyAssignment& factory_entry) {
    return LoadLanguageString(DecimalToInt(factory_entry.macro_desc));
}

}  // namespace tessaly
