#pragma once
// The changes the button page makes, without its widgets: each checks the
// button and the value, stores the button's row in the current profile,
// then queues the button table and shows the wait dialog. A refusal stores
// and queues nothing; its text number is what the page shows in a message
// box. Resets do not ask: the caller confirms first. UI thread.

#include <optional>
#include <string>
#include <string_view>

#include "buttons/button_host.h"
#include "storage/rows.h"

namespace tessaly {

struct ButtonChange {
    bool ok = false;
    int refusal = 0;  // text number of the reason when not ok
    // What the button now holds (the row as stored, or the factory entry).
    KeyAssignment stored;
    bool limited = false;  // a repeat number was outside its limits
    std::u16string shown;  // the function as the button list shows it
};

// A function of one of the category choices (mouse, multimedia, macro,
// shortcut, DPI, special); description is the choice's shown item. A macro
// that does not fit the mouse is refused, and an accepted one is sent with
// the next table.
ButtonChange AssignFunction(ButtonHost& host, int key_code, int category, int value,
                            std::u16string_view description);

struct KeyCombination {
    bool shift = false;
    bool ctrl = false;
    bool win = false;
    bool alt = false;
    int virtual_key = 0;  // 0: the modifiers alone
    std::u16string key_name;
};
// Nothing at all (no key and no modifier) changes nothing and is ok.
ButtonChange AssignCombination(ButtonHost& host, int key_code, const KeyCombination& combination);

// Rapid fire: clicks 5 … 255 and interval 0 … 255; numbers outside are
// limited, stored and marked.
ButtonChange AssignRepeat(ButtonHost& host, int key_code, int first, int second);

ButtonChange DisableButton(ButtonHost& host, int key_code);

// Back to the factory function.
ButtonChange ResetButton(ButtonHost& host, int key_code);
void ResetAllButtons(ButtonHost& host);

// The text the button list shows for the button in the current profile: the
// stored function, else the factory one.
std::u16string ShownFunction(int profile, int key_code);

// What the button does in the profile: its stored row, else its factory
// entry; nothing for a key code the mouse does not have.
std::optional<KeyAssignment> CurrentFunction(int profile, int key_code);

}  // namespace tessaly
