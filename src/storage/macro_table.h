#pragma once
// Operations on t_macro_data and t_macrorecord. Macros are shared by all
// profiles; their events refer to them by macro id.

#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "storage/rows.h"

namespace tessaly {

// A new macro plays once, with the recorded delays. Returns its id, or 0.
int AddMacro(std::u16string_view name);
int AddMacroFull(const MacroInfo& macro);
bool RenameMacro(int macro_id, std::u16string_view name);
bool UpdateMacro(const MacroInfo& macro);
// Removes the macro and, once that succeeded, its events.
bool DeleteMacro(int macro_id);
bool GetMacro(int macro_id, MacroInfo& macro);
int ListMacros(std::vector<MacroInfo>& macros);

// Returns the new record id, or 0.
int InsertMacroEvent(const MacroEvent& event);
// All events in one transaction, in the given order.
void InsertMacroEvents(std::span<const MacroEvent> events);
// The macro's events in ascending record index, whatever the insert order.
int ListMacroEvents(int macro_id, std::vector<MacroEvent>& events);
bool DeleteMacroEvents(int macro_id);
// The macro's events replaced by these (their macro ids set to it) in one
// transaction: a write that fails keeps the events it had. False then.
bool ReplaceMacroEvents(int macro_id, std::span<const MacroEvent> events);

// The macro's row and its events (their macro ids set to the new one) in one
// transaction: an import that fails or is killed keeps whole macros only.
// Returns the new id, or 0 with nothing stored.
int AddMacroWithEvents(const MacroInfo& macro, std::span<const MacroEvent> events);

// One macro of an import: its row and events; the id is set once stored.
struct PendingMacro {
    MacroInfo macro;
    std::vector<MacroEvent> events;
};
// Several macros in one commit, each whole or not at all: a macro whose
// writes fail is left out (its id stays 0) and the others are kept. A kill
// before the commit loses the batch, never part of a macro. Returns how many
// were stored; 0 for all when the commit itself fails.
int AddMacrosWithEvents(std::span<PendingMacro> batch);

// While one lives, each commit keeps the journal file (journal mode
// PERSIST) instead of creating and deleting it: an import of a thousand
// macros commits a thousand times. A journal left by a kill is rolled back
// all the same; the end restores the usual mode, which removes the file.
class MacroBulkWrites {
  public:
    MacroBulkWrites();
    ~MacroBulkWrites();
    MacroBulkWrites(const MacroBulkWrites&) = delete;
    MacroBulkWrites& operator=(const MacroBulkWrites&) = delete;
};

// For fault tests: asked before every event row is written; false makes that
// write fail as a full disk would. An empty probe removes it.
using MacroEventWriteProbe = std::function<bool()>;
void SetMacroEventWriteProbe(MacroEventWriteProbe probe);

}  // namespace tessaly
