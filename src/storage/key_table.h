#pragma once
// Operations on t_key_macro_data, the button assignments of each profile.
// Reads and the description update look at layer 0 only.

#include <string_view>
#include <vector>

#include "storage/rows.h"

namespace tessaly {

// Replaces the row of the assignment's profile, layer and key code. When macro
// value and macro value 2 are both 0 the row is only removed (the button keeps
// its factory function) and the result is 0; otherwise the new key id, or 0.
int SaveKeyAssignment(const KeyAssignment& assignment);
bool GetKeyAssignment(int profile, int key_code, KeyAssignment& assignment);
bool SetKeyMacroDescription(int profile, int key_code, std::u16string_view description);
int ListKeyAssignments(int profile, std::vector<KeyAssignment>& assignments);
bool DeleteProfileKeys(int profile);

}  // namespace tessaly
