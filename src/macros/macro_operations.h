#pragma once
// The changes the macro page makes, without its widgets: each checks the
// macro and the values, stores, and returns what is now stored for the
// caller to show. A refusal stores nothing; its text number, when it has
// one, is what the page shows in a message box (title kMacroNoticeTitle).
// Editing never touches the device: a macro reaches the mouse with the
// button table once a button plays it, so nothing here queues a task.

#include <string>
#include <string_view>
#include <vector>

#include "macros/macro_event_list.h"
#include "macros/macro_file_values.h"
#include "macros/macro_host.h"
#include "storage/rows.h"

namespace tessaly {

enum class MacroRefusal {
    kNone,
    kNoMacro,      // no stored macro has the id
    kNoEvent,      // the position holds no event of the kind edited
    kListFull,     // the event list holds kMaxEditedEvents or more
    kEmptyName,    // the stored name is kept
    kOutOfRange,   // a type, key or button the page has no choice for
    kStoreFailed,  // the store refused the write; it holds what it held
    kNotWritten,   // the file could not be written
    kNothingRead,  // the file gave no macro
};

struct MacroChange {
    bool ok = false;
    MacroRefusal reason = MacroRefusal::kNone;
    int refusal = 0;                 // text number the page shows for the refusal; 0: none
    MacroInfo macro;                 // the macro as stored after the call
    std::vector<MacroEvent> events;  // its events as stored after the call
    // The event selected afterwards: the moved one, -1 after a delete or
    // clear, else the selection given.
    int selected = -1;
    // Rename: the current profile's buttons that play the macro, with
    // their new text.
    std::vector<KeyAssignment> renamed_buttons;
};

// --- the macro list ---------------------------------------------------------

struct MacroEntry {
    MacroInfo macro;
    std::u16string shown;  // the name as the macro list shows it
    int event_count = 0;
};
// Every stored macro in store order.
std::vector<MacroEntry> ListMacroEntries();

// Named text 351 and the number of macros plus one; plays once with the
// recorded delays.
MacroChange CreateMacro();
// The macro and its events; buttons that play it keep their assignment.
MacroChange EraseMacro(int macro_id);
// The name, and the text of the current profile's buttons that play the
// macro; other profiles keep the text they were assigned with.
MacroChange RenameMacroTo(MacroHost& host, int macro_id, std::u16string_view name);

struct MacroSettings {
    int play_type = 0;   // 0 counted, 1 while held, 2 until pressed again, 3 from files
    int play_times = 1;  // limited to 1 … MaxPlayCount for play type 0, else 1
    int delay_type = 1;  // 0 none, 1 measured, 2 fixed
    int delay_time = 0;  // limited to 1 … 10000 for delay type 2, else 0
};
MacroChange ChangeMacroSettings(MacroHost& host, int macro_id, const MacroSettings& settings);

// --- the events -------------------------------------------------------------

struct MacroInsertion {
    enum class Kind { kKey, kClick, kDelay };
    Kind kind = Kind::kDelay;
    int key_code = 0;  // kKey: the virtual key, with its shown name
    std::u16string key_name;
    int button_bit = 0;  // kClick

    static MacroInsertion Key(int code, std::u16string_view name) {
        return {Kind::kKey, code, std::u16string(name), 0};
    }
    static MacroInsertion Click(int bit) { return {Kind::kClick, 0, {}, bit}; }
    static MacroInsertion Delay() { return {Kind::kDelay, 0, {}, 0}; }
};
// After the selected event (-1: at the end), all sharing one stamp.
MacroChange InsertIntoMacro(MacroHost& host, int macro_id, int selected,
                            const MacroInsertion& insertion);
MacroChange DeleteMacroEvent(int macro_id, int position);
MacroChange ClearMacroEvents(int macro_id);
MacroChange MoveMacroEvent(int macro_id, int position, MoveDirection direction);
// The delay at the position, limited to 1 … 10000.
MacroChange SetMacroDelay(int macro_id, int position, int milliseconds);
// Both events that share the stamp of the event at the position.
MacroChange SetMacroEventKey(int macro_id, int position, int key_code, std::u16string_view name);
MacroChange SetMacroEventButton(int macro_id, int position, int button_bit);

// --- files ------------------------------------------------------------------

enum class MacroFileFormat { kOne, kAll };

struct MacroFileImport {
    bool ok = false;
    MacroRefusal reason = MacroRefusal::kNone;
    int refusal = 0;
    std::vector<MacroInfo> macros;  // as stored, in file order
    MacroValueCounts counts;        // what the range check refused or limited
};
// Values are held to the page's ranges for the current device.
MacroFileImport ImportMacros(MacroHost& host, std::u16string_view path, MacroFileFormat format);
// One macro under the name given (the list's), with its stored events.
MacroChange ExportOneMacro(int macro_id, std::u16string_view path, std::u16string_view name);
// Every stored macro under its stored name; refused without macros.
MacroChange ExportAllMacros(std::u16string_view path);

}  // namespace tessaly
