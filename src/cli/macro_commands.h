#pragma once
// What the macro commands share: the macro rows as `macro list` and `show`
// print them, the id check, the host of the macro operations, and the group
// of file commands.

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_registry.h"
#include "macros/macro_host.h"
#include "storage/rows.h"

namespace tessaly::cli {

// {"macros": [one row per stored macro]}.
OutputValue MacrosOutput(const CommandContext& context);
// The macro's row: id, name as the list shows it, event count, settings.
OutputValue MacroRow(const MacroInfo& macro, std::u16string_view shown_name);

// The page is filled once discovery found a mouse or a receiver (as in the
// GUI); false, with the reason in the context, before.
bool PageFilled(CommandContext& context);
// Empty when the text can be a macro id; else the reason.
std::string CheckMacroId(std::string_view text);
// The stored macro of the id: kExitOk, or the exit code with the reason in
// the context.
int FindMacro(CommandContext& context, std::string_view id_text, MacroInfo& macro);
std::unique_ptr<MacroHost> MacroHostFor(CommandContext& context);

// The events as `macro show` prints them.
OutputValue MacroEventsOutput(const MacroInfo& macro, const std::vector<MacroEvent>& events);
// The mouse button of left, right or middle.
std::optional<int> ClickBit(std::string_view word);

// import, export, import-all, export-all.
std::span<const Command> MacroFileCommands();
// remove, clear, move and edit the events.
std::span<const Command> MacroEventCommands();

}  // namespace tessaly::cli
