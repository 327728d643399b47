// The macro page's list, events and edits: each command selects the macro
// in the page's list and acts as the user does (the new and delete buttons,
// renaming in place, the play and delay choices and fields, the insert
// menu), so the page's handlers store what they store for a user.

#include "cli/macro_commands.h"

#include <vector>

#include "base/unicode.h"
#include "cli/argument_checks.h"
#include "cli/macro_key_names.h"
#include "cli/macro_page_driver.h"
#include "controller/controller.h"
#include "device/device_manager.h"
#include "macros/macro_event_texts.h"
#include "storage/macro_table.h"
#include "ui/ids/macro_page_ids.h"
#include "ui/localisation/text_ids.h"

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
constexpr Word kPlayChoices[] = {{"count", macro_id::kPlayCount},
                                 {"held", macro_id::kPlayWhileHeld},
                                 {"toggle", macro_id::kPlayUntilPressedAgain}};
constexpr Word kDelayChoices[] = {{"none", macro_id::kNoDelays},
                                  {"measured", macro_id::kRecordedDelays},
                                  {"fixed", macro_id::kFixedDelay}};
constexpr Word kClickItems[] = {{"left", macro_id::kLeftClickItem},
                                {"right", macro_id::kRightClickItem},
                                {"middle", macro_id::kMiddleClickItem}};

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

int StoredEventCount(int macro_id) {
    std::vector<MacroEvent> events;
    return ListMacroEvents(macro_id, events);
}

// The shown macro's events as its event list has them.
OutputValue EventsOutput(const MacroPageDriver& page, int macro_id) {
    OutputValue out = OutputValue::MakeObject();
    out.Set("macro", macro_id);
    out.Set("name", ToUtf8(page.ShownName(macro_id).value_or(u"")));
    OutputValue rows = OutputValue::MakeArray();
    int number = 0;
    for (const DUI::RecordInfo& record : page.Events()) {
        OutputValue row = OutputValue::MakeObject();
        row.Set("event", ++number);
        row.Set("kind", KindOf(record.type));
        row.Set("text", ToUtf8(record.text));
        row.Set("value", record.value);
        row.Set("stamp", static_cast<int64_t>(record.stamp));
        rows.Append(std::move(row));
    }
    out.Set("events", std::move(rows));
    return out;
}

}  // namespace

OutputValue MacroRow(int macro_id, std::u16string_view shown_name) {
    MacroInfo macro;
    GetMacro(macro_id, macro);
    OutputValue row = OutputValue::MakeObject();
    row.Set("macro", macro_id);
    row.Set("name", ToUtf8(shown_name));
    row.Set("events", StoredEventCount(macro_id));
    row.Set("play", WordOf(kPlayWords, macro.play_type));
    row.Set("count", macro.play_times);
    row.Set("delay", WordOf(kDelayWords, macro.delay_type));
    row.Set("delay_ms", macro.delay_time);
    return row;
}

OutputValue MacrosOutput(const CommandContext& context) {
    OutputValue rows = OutputValue::MakeArray();
    for (const DUI::ListItem& item : MacroPageDriver(context.window).Macros())
        rows.Append(MacroRow(static_cast<int>(item.data), item.text));
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

int SelectMacro(CommandContext& context, MacroPageDriver& page, std::string_view id_text) {
    if (!PageFilled(context))
        return kExitFailure;
    if (page.SelectMacro(*ParseInteger(id_text)))
        return kExitOk;
    context.error = "there is no macro " + std::string(id_text) + " (see macro list)";
    return kExitUsage;
}

namespace {

// The row of the macro shown on the page, after the command's change.
void SetShownRow(CommandContext& context, const MacroPageDriver& page, int macro_id) {
    context.out = MacroRow(macro_id, page.ShownName(macro_id).value_or(u""));
}

void ReportMacros(CommandContext& context) {
    context.out = MacrosOutput(context);
}

int RunMacroList(CommandContext& context) {
    return PageFilled(context) ? kExitOk : kExitFailure;
}

int RunMacroShow(CommandContext& context) {
    MacroPageDriver page(context.window);
    if (const int code = SelectMacro(context, page, context.args[0]); code != kExitOk)
        return code;
    context.out = EventsOutput(page, page.SelectedMacro());
    return kExitOk;
}

int RunMacroNew(CommandContext& context) {
    if (!PageFilled(context))
        return kExitFailure;
    MacroPageDriver page(context.window);
    const size_t before = page.Macros().size();
    page.NewMacro();
    if (page.Macros().size() == before) {
        context.error = "the store did not take the new macro";
        return kExitFailure;
    }
    SetShownRow(context, page, page.SelectedMacro());
    return kExitOk;
}

int RunMacroRename(CommandContext& context) {
    MacroPageDriver page(context.window);
    if (const int code = SelectMacro(context, page, context.args[0]); code != kExitOk)
        return code;
    const int id = page.SelectedMacro();
    const std::u16string name = FromUtf8(context.args[1]);
    page.RenameSelectedMacro(name);
    MacroInfo stored;
    if (!GetMacro(id, stored) || stored.name != name) {
        context.error = "the store did not take the new name";
        return kExitFailure;
    }
    SetShownRow(context, page, id);
    return kExitOk;
}

int RunMacroDelete(CommandContext& context) {
    MacroPageDriver page(context.window);
    if (const int code = SelectMacro(context, page, context.args[0]); code != kExitOk)
        return code;
    const int id = page.SelectedMacro();
    page.DeleteSelectedMacro();
    MacroInfo stored;
    if (GetMacro(id, stored)) {
        context.error = "the store did not delete macro " + context.args[0];
        return kExitFailure;
    }
    return kExitOk;
}

int RunMacroSettings(CommandContext& context) {
    MacroPageDriver page(context.window);
    if (const int code = SelectMacro(context, page, context.args[0]); code != kExitOk)
        return code;
    const std::string& what = context.args[1];
    const std::string& value = context.args[2];
    if (what == "count") {
        // The count field is open only with its choice.
        if (!page.IsChosen(macro_id::kPlayCount))
            page.Choose(macro_id::kPlayCount);
        page.EnterField(macro_id::kPlayCountField, FromUtf8(value));
    } else if (what == "mode") {
        page.Choose(FindWord(kPlayChoices, value)->value);
    } else {
        page.Choose(FindWord(kDelayChoices, value)->value);
        if (context.args.size() > 3)
            page.EnterField(macro_id::kFixedDelayField, FromUtf8(context.args[3]));
    }
    SetShownRow(context, page, page.SelectedMacro());
    return kExitOk;
}

int RunMacroInsert(CommandContext& context) {
    MacroPageDriver page(context.window);
    if (const int code = SelectMacro(context, page, context.args[0]); code != kExitOk)
        return code;
    const int id = page.SelectedMacro();
    const int count = static_cast<int>(page.Events().size());
    // Insertion lands after the selected event, or at the end without one.
    int position = count;
    if (context.args[1] == "end") {
        page.SelectEvent(-1);
    } else {
        const int after = *ParseInteger(context.args[1]);
        if (after > count) {
            context.error = "macro " + context.args[0] + " has " + std::to_string(count) +
                            " events: POS is " +
                            (count > 0 ? "1–" + std::to_string(count) + " or end" : "end");
            return kExitUsage;
        }
        page.SelectEvent(after - 1);
        position = after;
    }
    const std::string& kind = context.args[2];
    bool opened = false;
    if (kind == "key") {
        const std::optional<RawKeyEvent> key = KeyByName(context.args[3]);
        opened = page.InsertKey(key->code, key->name);
    } else if (kind == "click") {
        opened = page.ChooseInsertItem(FindWord(kClickItems, context.args[3])->value);
    } else {
        opened = page.ChooseInsertItem(macro_id::kInsertDelayItem);
        // The inserted 10 ms, changed in the event editor.
        if (opened && context.args.size() > 3 && static_cast<int>(page.Events().size()) > count) {
            page.SelectEvent(position);
            page.EnterEventValue(FromUtf8(context.args[3]));
        }
    }
    if (!opened || page.ShowedMessage(text::kEventListFull)) {
        context.error = "the event list of macro " + context.args[0] + " is full (" +
                        std::to_string(count) + " events): nothing was inserted";
        return kExitUsage;
    }
    if (StoredEventCount(id) <= count) {
        context.error = "the store did not take the inserted events";
        return kExitFailure;
    }
    context.out = EventsOutput(page, id);
    return kExitOk;
}

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
        return FindWord(kPlayChoices, value)
                   ? ""
                   : "a play mode is count, held or toggle, not \"" + value + "\"";
    }
    if (what == "delay") {
        if (!FindWord(kDelayChoices, value))
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
        return FindWord(kClickItems, args[3])
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
    return all;
}

}  // namespace

std::span<const Command> MacroCommands() {
    static const std::vector<Command> all = AllMacroCommands();
    return all;
}

}  // namespace tessaly::cli
