#pragma once
// What a button does: the function categories of a KeyAssignment, storing
// and resetting assignments, and the button whose macro waits to be sent.

#include "storage/rows.h"

namespace tessaly {

enum AssignmentCategory : int {
    kCategoryMouse = 1,
    kCategoryKeyboard = 2,
    kCategoryMultimedia = 3,
    kCategoryMacro = 4,
    kCategoryDpi = 5,
    kCategorySpecial = 6,
    kCategoryRepeat = 7,
    kCategoryShortcut = 8,
    kCategoryDisable = 9,
};

// Key code 0 keeps its factory function.
inline constexpr int kLockedKeyCode = 0;
// Key codes 0 … 20 have a function slot.
inline constexpr int kLastSlotKeyCode = 20;

// A new assignment of the profile's button on layer 0.
KeyAssignment MakeAssignment(int profile, int key_code, int category, int value, int value2,
                             std::u16string_view description);

// Stores (replacing the button's row); the new row id, or 0 when no row was
// stored (both numbers 0 restore the factory function).
int StoreAssignment(const KeyAssignment& assignment);
// Back to the factory function.
void ResetKey(int profile, int key_code);
void ResetAllKeys(int profile);

// The button whose macro is sent before the next button table; -1 for none.
void SetPendingMacroKey(int key_code);
// Reads and clears the mark.
int TakePendingMacroKey();

}  // namespace tessaly
