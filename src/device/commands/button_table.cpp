#include "device/commands/button_table.h"

#include <algorithm>

namespace tessaly {

bool ButtonFunctionTable::SetSlot(int button, const Slot& slot) {
    // A key code past 20 would run over the table's end.
    if (button < 0 || button >= kSlots)
        return false;
    std::copy(slot.begin(), slot.end(), bytes_.begin() + 3 * button);
    return true;
}

ButtonFunctionTable::Slot ButtonFunctionTable::GetSlot(int button) const {
    Slot slot{};
    if (button >= 0 && button < kSlots)
        std::copy_n(bytes_.begin() + 3 * button, 3, slot.begin());
    return slot;
}

}  // namespace tessaly
