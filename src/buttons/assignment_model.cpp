#include "buttons/assignment_model.h"

#include <atomic>

#include "storage/key_table.h"

namespace tessaly {
namespace {

std::atomic<int>& PendingMacroKey() {
    static std::atomic<int> key{-1};
    return key;
}

}  // namespace

KeyAssignment MakeAssignment(int profile, int key_code, int category, int value, int value2,
                             std::u16string_view description) {
    KeyAssignment assignment;
    assignment.profile = profile;
    assignment.layer = 0;
    assignment.key_code = key_code;
    assignment.macro_type = category;
    assignment.macro_value = value;
    assignment.macro_value2 = value2;
    assignment.macro_desc = std::u16string(description);
    return assignment;
}

int StoreAssignment(const KeyAssignment& assignment) {
    return SaveKeyAssignment(assignment);
}

void ResetKey(int profile, int key_code) {
    SaveKeyAssignment(MakeAssignment(profile, key_code, kCategoryMouse, 0, 0, u""));
}

void ResetAllKeys(int profile) {
    DeleteProfileKeys(profile);
}

void SetPendingMacroKey(int key_code) {
    PendingMacroKey().store(key_code);
}

int TakePendingMacroKey() {
    return PendingMacroKey().exchange(-1);
}

}  // namespace tessaly
