// The macro list, events and edits: each command calls the macro operation
// the page calls and prints what the store then holds.

#include "cli/macro_commands.h"

#include <vector>

#include "base/unicode.h"
#include "cli/argument_checks.h"
#include "cli/macro_key_names.h"
#include "controller/controller.h"
#include "controller/macros_wiring.h"
#include "device/device_manager.h"
#include "macros/macro_event_texts.h"
#include "macros/macro_limits.h"
#include "macros/macro_names.h"
#include "macros/macro_operations.h"
#include "storage/macro_table.h"

namespace tessaly::cli {
namespace {

struct Word {
    std::string_view word;
    int value;
};
// Play types by the page's choices: 0 a set number of times, 1 while
// held, 2 until pressed again.
constexpr Word kPlayWords[] = {{"count", 0}, {"held", 1}, {"toggle", 2}};
constexpr Word kDelayWords[] = {{"none", 0}, {"measured", 1}, {"fixed", 2}};
constexpr Word kClickWords[] = {
    {"left", kMouseButtonLeft}, {"right", kMouseButtonRight}, {"middle", kMouseButtonMiddle}};

template <size_t N>
const Word* FindWord(const Word (&words)[N], std::string_view word) {
    for (const Word& entry : words) {
        if (entry.word == word)
            return &entry;
    }
    return nullptr;
}

// Values the page has no choice for (a file may bring them) as numbers.
template <size_t N>
std::string WordOf(const Word (&words)[N], int value) {
    for (const Word& entry : words) {
        if (entry.value == value)
            return std::string(entry.word);
    }
    return std::to_string(value);
}

std::string KindOf(int type) {
    switch (type) {
        case kEventDelay:
            return "delay";
        case kEventKeyPress:
            return "key press";
        case kEventKeyRelease:
            return "key release";
        case kEventMousePress:
            return "button press";
        case kEventMouseRelease:
            return "button release";
        default:
            return std::to_string(type);
    }
}

OutputValue EventsOutput(const MacroInfo& macro, const std::vector<MacroEvent>& events) {
    OutputValue out = OutputValue::MakeObject();
    out.Set("macro", macro.macro_id);
    out.Set("name", ToUtf8(ShownMacroName(macro.name)));
    OutputValue rows = OutputValue::MakeArray();
    int number = 0;
    for (const MacroEvent& event : events) {
        OutputValue row = OutputValue::MakeObject();
        row.Set("event", ++number);
        row.Set("kind", KindOf(event.type));
        row.Set("text", ToUtf8(event.desc));
        row.Set("value", event.value);
        row.Set("stamp", static_cast<int64_t>(static_cast<uint32_t>(event.delay_time)));
        rows.Append(std::move(row));
    }
    out.Set("events", std::move(rows));
    return out;
}

}  // namespace

OutputValue MacroEventsOutput(const MacroInfo& macro, const std::vector<MacroEvent>& events) {
    return EventsOutput(macro, events);
}

std::optional<int> ClickBit(std::string_view word) {
    const Word* click = FindWord(kClickWords, word);
    return click ? std::optional<int>(click->value) : std::nullopt;
}

OutputValue MacroRow(const MacroInfo& macro, std::u16string_view shown_name) {
    std::vector<MacroEvent> events;
    OutputValue row = OutputValue::MakeObject();
    row.Set("macro", macro.macro_id);
    row.Set("name", ToUtf8(shown_name));
    row.Set("events", ListMacroEvents(macro.macro_id, events));
    row.Set("play", WordOf(kPlayWords, macro.play_type));
    row.Set("count", macro.play_times);
    row.Set("delay", WordOf(kDelayWords, macro.delay_type));
    row.Set("delay_ms", macro.delay_time);
    return row;
}

OutputValue MacrosOutput(const CommandContext&) {
    OutputValue rows = OutputValue::MakeArray();
    for (const MacroEntry& entry : ListMacroEntries())
        rows.Append(MacroRow(entry.macro, entry.shown));
    OutputValue out = OutputValue::MakeObject();
    out.Set("macros", std::move(rows));
    return out;
}

bool PageFilled(CommandContext& context) {
    if (context.controller.Devices().ConnectionKind() >= 0)
        return true;
    context.error = "no mouse or receiver is connected: the macro page is empty until one is";
    return false;
}

std::string CheckMacroId(std::string_view text) {
    const std::optional<int> id = ParseInteger(text);
    if (!id || *id <= 0)
        return "a macro is its number in macro list, not \"" + std::string(text) + "\"";
    return {};
}

int FindMacro(CommandContext& context, std::string_view id_text, MacroInfo& macro) {
    if (!PageFilled(context))
        return kExitFailure;
    if (GetMacro(*ParseInteger(id_text), macro))
        return kExitOk;
    context.error = "there is no macro " + std::string(id_text) + " (see macro list)";
    return kExitUsage;
}

std::unique_ptr<MacroHost> MacroHostFor(CommandContext& context) {
    return MakeMacroHost(context.controller);
}

namespace {

void ReportMacros(CommandContext& context) {
    context.out = MacrosOutput(context);
}

int RunMacroList(CommandContext& context) {
    return PageFilled(context) ? kExitOk : kExitFailure;
}

int RunMacroShow(CommandContext& context) {
    MacroInfo macro;
    if (const int code = FindMacro(context, context.args[0], macro); code != kExitOk)
        return code;
    std::vector<MacroEvent> events;
    ListMacroEvents(macro.macro_id, events);
    context.out = EventsOutput(macro, events);
    return kExitOk;
}

int RunMacroNew(CommandContext& context) {
    if (!PageFilled(context))
        return kExitFailure;
    const MacroChange change = CreateMacro();
    if (!change.ok) {
        context.error = "the store did not take the new macro";
        return kExitFailure;
    }
    context.out = MacroRow(change.macro, change.macro.name);
    return kExitOk;
}

int RunMacroRename(CommandContext& context) {
    MacroInfo macro;
    if (const int code = FindMacro(context, context.args[0], macro); code != kExitOk)
        return code;
    const std::u16string name = FromUtf8(context.args[1]);
    const MacroChange change = RenameMacroTo(*MacroHostFor(context), macro.macro_id, name);
    if (!change.ok) {
        context.error = "the store did not take the new name";
        return kExitFailure;
    }
    // As the list shows a name typed into it.
    context.out = MacroRow(change.macro, name);
    return kExitOk;
}

int RunMacroDelete(CommandContext& context) {
    MacroInfo macro;
    if (const int code = FindMacro(context, context.args[0], macro); code != kExitOk)
        return code;
    if (!EraseMacro(macro.macro_id).ok) {
        context.error = "the store did not delete macro " + context.args[0];
        return kExitFailure;
    }
    return kExitOk;
}

// The page's choices and fields: a count typed in chooses the counted play;
// choosing a play mode starts the count at 1, a fixed delay at 10 ms.
MacroSettings SettingsFrom(const MacroInfo& macro, const std::vector<std::string>& args) {
    MacroSettings settings{macro.play_type, macro.play_times, macro.delay_type, macro.delay_time};
    const std::string& what = args[1];
    const std::string& value = args[2];
    if (what == "count") {
        settings.play_type = kPlayTypeCounted;
        settings.play_times = *ParseInteger(value);
    } else if (what == "mode") {
        settings.play_type = FindWord(kPlayWords, value)->value;
        settings.play_times = 1;
    } else {
        settings.delay_type = FindWord(kDelayWords, value)->value;
        settings.delay_time = args.size() > 3 ? *ParseInteger(args[3]) : kInsertedDelay;
    }
    return settings;
}

int RunMacroSettings(CommandContext& context) {
    MacroInfo macro;
    if (const int code = FindMacro(context, context.args[0], macro); code != kExitOk)
        return code;
    const MacroChange change = ChangeMacroSettings(*MacroHostFor(context), macro.macro_id,
                                                   SettingsFrom(macro, context.args));
    if (!change.ok) {
        context.error = "the store did not take the settings of macro " + context.args[0];
        return kExitFailure;
    }
    context.out = MacroRow(change.macro, ShownMacroName(change.macro.name));
    return kExitOk;
}

MacroInsertion InsertionFrom(const std::vector<std::string>& args) {
    const std::string& kind = args[2];
    if (kind == "key") {
        const std::optional<RawKeyEvent> key = KeyByName(args[3]);
        return MacroInsertion::Key(key->code, key->name);
    }
    if (kind == "click")
        return MacroInsertion::Click(FindWord(kClickWords, args[3])->value);
    return MacroInsertion::Delay();
}

int RunMacroInsert(CommandContext& context) {
    MacroInfo macro;
    if (const int code = FindMacro(context, context.args[0], macro); code != kExitOk)
        return code;
    std::vector<MacroEvent> stored;
    const int count = ListMacroEvents(macro.macro_id, stored);
    // Insertion lands after the selected event, or at the end without one.
    int selected = -1;
    if (context.args[1] != "end") {
        const int after = *ParseInteger(context.args[1]);
        if (after > count) {
            context.error = "macro " + context.args[0] + " has " + std::to_string(count) +
                            " events: POS is " +
                            (count > 0 ? "1–" + std::to_string(count) + " or end" : "end");
            return kExitUsage;
        }
        selected = after - 1;
    }
    const MacroInsertion insertion = InsertionFrom(context.args);
    MacroChange change =
        InsertIntoMacro(*MacroHostFor(context), macro.macro_id, selected, insertion);
    if (change.ok && insertion.kind == MacroInsertion::Kind::kDelay && context.args.size() > 3) {
        // The inserted 10 ms, changed as in the event editor.
        const int position = selected < 0 ? count : selected + 1;
        change = SetMacroDelay(macro.macro_id, position, *ParseInteger(context.args[3]));
    }
    if (change.reason == MacroRefusal::kListFull) {
        context.error = "the event list of macro " + context.args[0] + " is full (" +
                        std::to_string(count) + " events): nothing was inserted";
        return kExitUsage;
    }
    if (!change.ok) {
        context.error = "the store did not take the inserted events";
        return kExitFailure;
    }
    context.out = EventsOutput(change.macro, change.events);
    return kExitOk;
}

}  // namespace

namespace {

std::string CheckIdOnly(const std::vector<std::string>& args) {
    return CheckMacroId(args[0]);
}

std::string CheckRename(const std::vector<std::string>& args) {
    if (std::string reason = CheckMacroId(args[0]); !reason.empty())
        return reason;
    // The page keeps the old name for an empty one.
    return args[1].empty() ? "a macro name cannot be empty" : "";
}

std::string CheckSettings(const std::vector<std::string>& args) {
    if (std::string reason = CheckMacroId(args[0]); !reason.empty())
        return reason;
    const std::string& what = args[1];
    const std::string& value = args[2];
    if (what == "count") {
        if (args.size() > 3)
            return "too many arguments";
        // The page clamps the count itself.
        return ParseInteger(value) ? "" : "a play count is a number, not \"" + value + "\"";
    }
    if (what == "mode") {
        if (args.size() > 3)
            return "too many arguments";
        return FindWord(kPlayWords, value)
                   ? ""
                   : "a play mode is count, held or toggle, not \"" + value + "\"";
    }
    if (what == "delay") {
        if (!FindWord(kDelayWords, value))
            return "a delay mode is none, measured or fixed, not \"" + value + "\"";
        if (args.size() > 3 && value != "fixed")
            return "only a fixed delay takes milliseconds";
        if (args.size() > 3 && !ParseInteger(args[3]))
            return "a delay is a number of milliseconds, not \"" + args[3] + "\"";
        return {};
    }
    return "macro settings takes count, mode or delay, not \"" + what + "\"";
}

std::string CheckInsert(const std::vector<std::string>& args) {
    if (std::string reason = CheckMacroId(args[0]); !reason.empty())
        return reason;
    if (args[1] != "end") {
        const std::optional<int> after = ParseInteger(args[1]);
        if (!after || *after < 1)
            return "POS is the number of the event to insert after, or end; not \"" + args[1] +
                   "\"";
    }
    const std::string& kind = args[2];
    const bool has_value = args.size() > 3;
    if (kind == "key") {
        if (!has_value)
            return "key needs a key name";
        return KeyByName(args[3]) ? ""
                                  : "no key is named \"" + args[3] +
                                        "\" (names as the key dialog shows them: A, F5, Shift, "
                                        "RShift, Space, …)";
    }
    if (kind == "click") {
        if (!has_value)
            return "click needs left, right or middle";
        return FindWord(kClickWords, args[3])
                   ? ""
                   : "a click is left, right or middle, not \"" + args[3] + "\"";
    }
    if (kind == "delay") {
        if (has_value && !ParseInteger(args[3]))
            return "a delay is a number of milliseconds, not \"" + args[3] + "\"";
        return {};
    }
    return "macro insert takes key, click or delay, not \"" + kind + "\"";
}

const Command kCommands[] = {
    {"macro list", "macro list",
     "each macro: id, name as the macro list shows it, event count, play and delay settings", 0, 0,
     Needs::kStore, false, nullptr, RunMacroList, ReportMacros},
    {"macro show", "macro show ID", "the macro's events as its event list shows them", 1, 1,
     Needs::kStore, false, CheckIdOnly, RunMacroShow},
    {"macro new", "macro new", "a new macro, named as the page names it; prints its id", 0, 0,
     Needs::kStore, false, nullptr, RunMacroNew},
    {"macro rename", "macro rename ID NAME",
     "the macro's name (and the text of the buttons that play it)", 2, 2, Needs::kStore, false,
     CheckRename, RunMacroRename},
    {"macro delete", "macro delete ID", "the macro and its events", 1, 1, Needs::kStore, false,
     CheckIdOnly, RunMacroDelete, ReportMacros},
    {"macro settings", "macro settings ID count N|mode M|delay D [MS]",
     "play N times (limited as on the page), mode count|held|toggle, delay none|measured|fixed", 3,
     4, Needs::kStore, false, CheckSettings, RunMacroSettings},
    {"macro insert", "macro insert ID POS|end key K|click B|delay [MS]",
     "after event POS or at the end: a key, a click (left|right|middle) or a delay", 3, 4,
     Needs::kStore, false, CheckInsert, RunMacroInsert},
};

std::vector<Command> AllMacroCommands() {
    std::vector<Command> all(std::begin(kCommands), std::end(kCommands));
    for (const Command& command : MacroFileCommands())
        all.push_back(command);
    for (const Command& command : MacroEventCommands())
        all.push_back(command);
    return all;
}

}  // namespace

std::span<const Command> MacroCommands() {
    static const std::vector<Command> all = AllMacroCommands();
    return all;
}

}  // namespace tessaly::cli
