#pragma once
// The outcome of the last macro export, for callers the macro page does not
// tell (its export runs from a menu and answers nothing).

#include <cstdint>

namespace tessaly {

struct MacroFileSave {
    uint64_t count = 0;  // saves tried so far in this process
    bool saved = false;  // the last one wrote the whole file
};

// Notes a save's result and passes it on.
bool RecordMacroFileSave(bool saved);
MacroFileSave LastMacroFileSave();

}  // namespace tessaly
