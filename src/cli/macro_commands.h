#pragma once
// What the macro commands share: the macro rows as `macro list` and `show`
// print them, the id check, and the group of file commands.

#include <span>
#include <string>
#include <string_view>

#include "cli/command_table.h"

namespace tessaly::cli {

class MacroPageDriver;

// {"macros": [one row per entry of the macro list]}.
OutputValue MacrosOutput(const CommandContext& context);
// The macro's row: id, name as the list shows it, event count, settings.
OutputValue MacroRow(int macro_id, std::u16string_view shown_name);

// The page is filled once discovery found a mouse or a receiver (as in the
// GUI); false, with the reason in the context, before.
bool PageFilled(CommandContext& context);
// Empty when the text can be a macro id; else the reason.
std::string CheckMacroId(std::string_view text);
// The macro shown on the page: kExitOk, or the exit code with the reason
// in the context.
int SelectMacro(CommandContext& context, MacroPageDriver& page, std::string_view id_text);

// import, export, import-all, export-all.
std::span<const Command> MacroFileCommands();

}  // namespace tessaly::cli
