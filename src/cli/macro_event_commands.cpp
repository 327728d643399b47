// The event list's own edits: delete, clear, the move buttons and the event
// menu, and the event editor's key, button and delay. Events are numbered as
// `macro show` numbers them, from 1.

#include <optional>
#include <vector>

#include "base/unicode.h"
#include "cli/argument_checks.h"
#include "cli/macro_commands.h"
#include "cli/macro_key_names.h"
#include "macros/macro_operations.h"
#include "storage/macro_table.h"

namespace tessaly::cli {
namespace {

struct Move {
    std::string_view word;
    MoveDirection direction;
};
constexpr Move kMoves[] = {{"up", MoveDirection::kUp},
                           {"down", MoveDirection::kDown},
                           {"top", MoveDirection::kTop},
                           {"bottom", MoveDirection::kBottom}};

std::optional<MoveDirection> MoveOf(std::string_view word) {
    for (const Move& move : kMoves) {
        if (move.word == word)
            return move.direction;
    }
    return std::nullopt;
}

// The macro and the list position of event POS: kExitOk, or the exit code
// with the reason in the context.
int FindEvent(CommandContext& context, MacroInfo& macro, int& position) {
    if (const int code = FindMacro(context, context.args[0], macro); code != kExitOk)
        return code;
    std::vector<MacroEvent> events;
    const int count = ListMacroEvents(macro.macro_id, events);
    const int number = *ParseInteger(context.args[1]);
    if (number > count) {
        context.error = "macro " + context.args[0] + " has " + std::to_string(count) +
                        " events: POS is " +
                        (count > 0 ? "1–" + std::to_string(count) : "none (the list is empty)");
        return kExitUsage;
    }
    position = number - 1;
    return kExitOk;
}

int Finish(CommandContext& context, const MacroChange& change, std::string_view refused) {
    if (change.reason == MacroRefusal::kNoEvent) {
        context.error = "event " + context.args[1] + " of macro " + context.args[0] + " " +
                        std::string(refused);
        return kExitUsage;
    }
    if (!change.ok) {
        context.error = "the store did not take the change of macro " + context.args[0];
        return kExitFailure;
    }
    context.out = MacroEventsOutput(change.macro, change.events);
    return kExitOk;
}

int RunRemove(CommandContext& context) {
    MacroInfo macro;
    int position = 0;
    if (const int code = FindEvent(context, macro, position); code != kExitOk)
        return code;
    return Finish(context, DeleteMacroEvent(macro.macro_id, position), "cannot be deleted");
}

int RunClear(CommandContext& context) {
    MacroInfo macro;
    if (const int code = FindMacro(context, context.args[0], macro); code != kExitOk)
        return code;
    return Finish(context, ClearMacroEvents(macro.macro_id), "");
}

int RunMove(CommandContext& context) {
    MacroInfo macro;
    int position = 0;
    if (const int code = FindEvent(context, macro, position); code != kExitOk)
        return code;
    return Finish(context, MoveMacroEvent(macro.macro_id, position, *MoveOf(context.args[2])),
                  "cannot be moved");
}

int RunEdit(CommandContext& context) {
    MacroInfo macro;
    int position = 0;
    if (const int code = FindEvent(context, macro, position); code != kExitOk)
        return code;
    const std::string& kind = context.args[2];
    const std::string& value = context.args[3];
    if (kind == "key") {
        const std::optional<RawKeyEvent> key = KeyByName(value);
        return Finish(context, SetMacroEventKey(macro.macro_id, position, key->code, key->name),
                      "is no key press or release");
    }
    if (kind == "click") {
        return Finish(context, SetMacroEventButton(macro.macro_id, position, *ClickBit(value)),
                      "is no button press or release");
    }
    return Finish(context, SetMacroDelay(macro.macro_id, position, *ParseInteger(value)),
                  "is no delay");
}

// The macro id and an event number from 1.
std::string CheckEventArguments(const std::vector<std::string>& args) {
    if (std::string reason = CheckMacroId(args[0]); !reason.empty())
        return reason;
    const std::optional<int> number = ParseInteger(args[1]);
    if (!number || *number < 1)
        return "POS is an event's number in macro show, not \"" + args[1] + "\"";
    return {};
}

std::string CheckClear(const std::vector<std::string>& args) {
    return CheckMacroId(args[0]);
}

std::string CheckMove(const std::vector<std::string>& args) {
    if (std::string reason = CheckEventArguments(args); !reason.empty())
        return reason;
    return MoveOf(args[2]) ? "" : "an event moves up, down, top or bottom, not \"" + args[2] + "\"";
}

std::string CheckEdit(const std::vector<std::string>& args) {
    if (std::string reason = CheckEventArguments(args); !reason.empty())
        return reason;
    const std::string& kind = args[2];
    const std::string& value = args[3];
    if (kind == "key") {
        return KeyByName(value) ? ""
                                : "no key is named \"" + value +
                                      "\" (names as the key dialog shows them: A, F5, Shift, "
                                      "RShift, Space, …)";
    }
    if (kind == "click")
        return ClickBit(value) ? "" : "a click is left, right or middle, not \"" + value + "\"";
    if (kind == "delay")
        return ParseInteger(value) ? ""
                                   : "a delay is a number of milliseconds, not \"" + value + "\"";
    return "macro edit takes key, click or delay, not \"" + kind + "\"";
}

const Command kCommands[] = {
    {"macro remove", "macro remove ID POS", "deletes event POS (see macro show)", 2, 2,
     Needs::kStore, false, CheckEventArguments, RunRemove},
    {"macro clear", "macro clear ID", "deletes every event of the macro", 1, 1, Needs::kStore,
     false, CheckClear, RunClear},
    {"macro move", "macro move ID POS up|down|top|bottom", "moves event POS in the event list", 3,
     3, Needs::kStore, false, CheckMove, RunMove},
    {"macro edit", "macro edit ID POS key K|click B|delay MS",
     "event POS as the event editor changes it: its key, its button or its delay", 4, 4,
     Needs::kStore, false, CheckEdit, RunEdit},
};

}  // namespace

std::span<const Command> MacroEventCommands() {
    return kCommands;
}

}  // namespace tessaly::cli
