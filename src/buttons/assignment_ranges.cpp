#include "buttons/assignment_ranges.h"

#include <algorithm>

#include "buttons/assignment_model.h"
#include "buttons/key_usage.h"

namespace tessaly {
namespace {

struct CategoryRange {
    int category;
    int value_min, value_max;
    int value2_min, value2_max;
};

constexpr int kAllModifiers = kModifierCtrl | kModifierShift | kModifierAlt | kModifierWin;
constexpr int kLastUsage = 0xFF;

// Macro ids are checked against the stored macros instead.
constexpr CategoryRange kRanges[] = {
    {kCategoryMouse, 1, 10, 0, 0},
    {kCategoryKeyboard, 0, kLastUsage, 0, kAllModifiers},
    {kCategoryMultimedia, 1, 8, 0, 0},
    {kCategoryDpi, 1, 3, 0, 0},
    // 1 and 2 from the page, 3 … 6 only from profile files.
    {kCategorySpecial, 1, 6, 0, 0},
    {kCategoryRepeat, kRepeatFirstMin, kRepeatFirstMax, kRepeatSecondMin, kRepeatSecondMax},
    {kCategoryShortcut, 1, 11, 0, 0},
    {kCategoryDisable, 1, 1, 0, 0},
};

bool Within(int value, int low, int high) {
    return value >= low && value <= high;
}

bool IsButton(int key_code, std::span<const int> key_codes) {
    if (key_code == kLockedKeyCode || !Within(key_code, 0, kLastSlotKeyCode)) {
        return false;
    }
    return key_codes.empty() ||
           std::find(key_codes.begin(), key_codes.end(), key_code) != key_codes.end();
}

bool IsStoredMacro(const KeyAssignment& assignment, std::span<const MacroInfo> macros) {
    return assignment.macro_value2 == 0 &&
           std::any_of(macros.begin(), macros.end(), [&](const MacroInfo& macro) {
               return macro.macro_id == assignment.macro_value;
           });
}

}  // namespace

bool IsAssignable(const KeyAssignment& assignment, std::span<const int> key_codes,
                  std::span<const MacroInfo> macros) {
    if (!IsButton(assignment.key_code, key_codes)) {
        return false;
    }
    if (assignment.macro_type == kCategoryMacro) {
        return IsStoredMacro(assignment, macros);
    }
    // A keyboard row with neither a key nor a modifier would store nothing.
    if (assignment.macro_type == kCategoryKeyboard && assignment.macro_value == 0 &&
        assignment.macro_value2 == 0) {
        return false;
    }
    for (const CategoryRange& range : kRanges) {
        if (range.category == assignment.macro_type) {
            return Within(assignment.macro_value, range.value_min, range.value_max) &&
                   Within(assignment.macro_value2, range.value2_min, range.value2_max);
        }
    }
    return false;
}

}  // namespace tessaly
