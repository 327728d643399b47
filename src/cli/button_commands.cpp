// The button page's list as it shows each button's function, and its edits
// as the user makes them: a category choice, the key-combination panel with
// a captured key, the repeat panel's two fields, the macro choice, disabling
// and resetting. Each selects the button in the list and acts on the page's
// controls, so the page stores the row and sends the table as for a user.

#include <algorithm>
#include <cctype>
#include <optional>

#include "base/decimal.h"
#include "base/unicode.h"
#include "buttons/assignment_model.h"
#include "buttons/button_controls.h"
#include "buttons/raw_key_decoder.h"
#include "cli/argument_checks.h"
#include "cli/command_table.h"
#include "controller/controller.h"
#include "macros/macro_upload.h"
#include "platform/raw_keyboard_input.h"
#include "platform/raw_keyboard_keys.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/button_page.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/edits.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/mouse_controls.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::cli {
namespace {

namespace id = button_id;

// The function kinds of `button set` and the page's choice of each.
struct FunctionKind {
    std::string_view word;
    int choice;
};
constexpr FunctionKind kKinds[] = {
    {"mouse", id::kMouseChoice},       {"media", id::kMultimediaChoice},
    {"shortcut", id::kShortcutChoice}, {"dpi", id::kDpiChoice},
    {"special", id::kSpecialChoice},
};

// What the repeat panel's fields take: digits, three at most.
constexpr size_t kRepeatFieldDigits = 3;

DUI::MouseKeyCtrl* ButtonList(const ui::DeviceMainDlg& window) {
    return dynamic_cast<DUI::MouseKeyCtrl*>(
        ui::FindInPage(window, ui::FindPage(window, ui::kButtonPageId), id::kList));
}

}  // namespace

OutputValue ButtonsOutput(const CommandContext& context) {
    OutputValue out = OutputValue::MakeObject();
    OutputValue rows = OutputValue::MakeArray();
    if (DUI::MouseKeyCtrl* list = ButtonList(context.window)) {
        for (int i = 0; i < list->GetItemCount(); ++i) {
            OutputValue row = OutputValue::MakeObject();
            row.Set("button", i + 1);
            row.Set("key", list->GetItemKeyValue(i));
            row.Set("name", ToUtf8(list->GetItemText(i)));
            row.Set("function", ToUtf8(list->GetItemKeyDesc(i)));
            rows.Append(std::move(row));
        }
    }
    out.Set("profile", context.controller.CurrentProfile());
    out.Set("buttons", std::move(rows));
    return out;
}

namespace {

void ReportButtons(CommandContext& context) {
    context.out = ButtonsOutput(context);
}

int RunButtonList(CommandContext&) {
    return kExitOk;
}

// Selects the button as a click in the list does; false when there is none.
bool SelectButton(CommandContext& context) {
    DUI::MouseKeyCtrl* list = ButtonList(context.window);
    const int index = *ParseInteger(context.args[0]) - 1;
    if (!list || !list->SelectItem(index)) {
        context.error = "there is no button " + context.args[0] + " (see button list)";
        return false;
    }
    context.window.OnMessage(id::kList, DUI::kEventActivated, 0, 0);
    return true;
}

// Selects the button for a new function. The page refuses every function
// for the first button with a message box; here it is a usage error.
bool SelectButtonToAssign(CommandContext& context) {
    if (!SelectButton(context))
        return false;
    const DUI::MouseKeyCtrl* list = ButtonList(context.window);
    if (list->GetItemKeyValue(list->GetCurSel()) == kLockedKeyCode) {
        context.error = ToUtf8(LoadLanguageString(text::kPrimaryButtonLocked));
        return false;
    }
    return true;
}

const FunctionKind* FindKind(std::string_view word) {
    for (const FunctionKind& kind : kKinds) {
        if (kind.word == word)
            return &kind;
    }
    return nullptr;
}

// Lower case without blanks, so "Volume up" may be written volumeup.
std::string Folded(std::string_view text) {
    std::string folded;
    for (char c : text) {
        if (c != ' ')
            folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return folded;
}

// The choice's item with this number (its stored value) or shown name; -1
// for none.
int FindItem(const DUI::ListControl& choice, std::string_view value) {
    const std::optional<int> number = ParseInteger(value);
    for (int i = 0; i < choice.GetItemCount(); ++i) {
        if (number ? choice.GetItemData(i) == *number
                   : Folded(ToUtf8(choice.GetItemText(i))) == Folded(value))
            return i;
    }
    return -1;
}

std::string ItemsText(const DUI::ListControl& choice) {
    std::string text;
    for (int i = 0; i < choice.GetItemCount(); ++i) {
        text += (i ? ", " : "") + std::to_string(choice.GetItemData(i)) + " (" +
                ToUtf8(choice.GetItemText(i)) + ")";
    }
    return text;
}

// As choosing the item in the drop-down: it is selected, then the page
// hears the choice.
void Choose(CommandContext& context, DUI::ListControl& choice, int control, int item) {
    choice.SelectItem(item);
    context.window.OnMessage(control, DUI::kEventActivated, item, 0);
}

int RunButtonSet(CommandContext& context) {
    if (!SelectButtonToAssign(context))
        return kExitUsage;
    const FunctionKind& kind = *FindKind(context.args[1]);
    DUI::MComboBox2* choice = ButtonControls(context.window).Choice(kind.choice);
    if (!choice) {
        context.error = "the button page has no " + std::string(kind.word) + " functions";
        return kExitFailure;
    }
    const int item = FindItem(*choice, context.args[2]);
    if (item < 0) {
        context.error = "there is no " + std::string(kind.word) + " function \"" + context.args[2] +
                        "\"; one of: " + ItemsText(*choice);
        return kExitUsage;
    }
    Choose(context, *choice, kind.choice, item);
    return kExitOk;
}

int RunButtonMacro(CommandContext& context) {
    if (!SelectButtonToAssign(context))
        return kExitUsage;
    DUI::MComboBox2* choice = ButtonControls(context.window).Choice(id::kMacroChoice);
    const int macro = *ParseInteger(context.args[1]);
    const int item = choice ? FindItem(*choice, context.args[1]) : -1;
    if (item < 0) {
        context.error = "there is no macro " + context.args[1] + " (see macro list)";
        return kExitUsage;
    }
    // The page refuses it with this message box and stores nothing.
    if (!MacroFitsDevice(macro)) {
        context.error = ToUtf8(LoadLanguageString(text::kMacroTooLongForButton));
        return kExitUsage;
    }
    Choose(context, *choice, id::kMacroChoice, item);
    return kExitOk;
}

// --- key combinations -------------------------------------------------------------

struct Combination {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool win = false;
    int linux_code = 0;  // 0: modifiers alone
};

// The key a name stands for: the first Linux key whose press the capture
// decodes under that name (folded), as the page would show it. Keys the
// capture ignores (the sided modifiers) have no name here.
std::optional<int> KeyNamed(std::string_view name) {
    constexpr int kLastLinuxKey = 255;
    for (int code = 1; code <= kLastLinuxKey; ++code) {
        const std::optional<LinuxKeyMapping> key = MapLinuxKey(code, true);
        if (!key)
            continue;
        RawInputRecord record{RawInputType::kKeyboard, MakeKeyboardRecord(*key, true), {}};
        record.keys.Set(key->state_vkey, true);
        ModifierState state;
        const RawKeyEvent decoded = DecodeRawInput(record, state);
        if (decoded.code >= vk::kLShift && decoded.code <= vk::kRMenu)
            continue;
        if (!decoded.name.empty() && Folded(ToUtf8(decoded.name)) == Folded(name))
            return code;
    }
    return std::nullopt;
}

// "ctrl+shift+a": modifier words and at most one key, joined by '+'.
std::optional<Combination> ParseCombination(std::string_view text, std::string& error) {
    Combination combination;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t plus = std::min(text.find('+', start), text.size());
        const std::string part = Folded(text.substr(start, plus - start));
        start = plus + 1;
        if (part.empty()) {
            error =
                "a key combination is written like ctrl+shift+a, not \"" + std::string(text) + "\"";
            return std::nullopt;
        }
        if (part == "ctrl" || part == "control") {
            combination.ctrl = true;
        } else if (part == "shift") {
            combination.shift = true;
        } else if (part == "alt") {
            combination.alt = true;
        } else if (part == "win" || part == "super") {
            combination.win = true;
        } else if (combination.linux_code != 0) {
            error = "a key combination holds one key besides ctrl, shift, alt and win";
            return std::nullopt;
        } else if (const std::optional<int> code = KeyNamed(part)) {
            combination.linux_code = *code;
        } else {
            error = "there is no key named \"" + part + "\"";
            return std::nullopt;
        }
    }
    return combination;
}

// The key-combination panel as the user works it: opened, the key pressed
// and released while its field has the focus, the boxes ticked, applied.
int RunButtonKey(CommandContext& context) {
    std::string error;
    const Combination combination = *ParseCombination(context.args[1], error);
    if (!SelectButtonToAssign(context))
        return kExitUsage;
    const ButtonControls c(context.window);
    DUI::MEdit* field = c.Field(id::kCapturedKey);
    if (!field) {
        context.error = "the button page has no key-combination panel";
        return kExitFailure;
    }
    context.window.OnMessage(id::kOpenCombination, DUI::kEventActivated, 0, 0);
    if (combination.linux_code != 0) {
        // Focus changes and keys reach the page as window messages.
        auto& toolkit = DUI::Toolkit::Get();
        field->OnFocus(1);
        toolkit.ProcessPending();
        DeliverWindowKey(combination.linux_code, true, true);
        DeliverWindowKey(combination.linux_code, false, true);
        toolkit.ProcessPending();
        field->OnFocus(0);
        toolkit.ProcessPending();
        if (field->GetTitle().empty()) {
            context.error = "the key was not captured";
            return kExitFailure;
        }
    }
    const std::pair<int, bool> boxes[] = {{id::kCtrl, combination.ctrl},
                                          {id::kShift, combination.shift},
                                          {id::kAlt, combination.alt},
                                          {id::kWin, combination.win}};
    for (const auto& [box, ticked] : boxes) {
        if (DUI::MButton3* check = c.ModifierBox(box))
            check->SetCheck(ticked);
    }
    context.window.OnMessage(id::kApplyCombination, DUI::kEventActivated, 0, 0);
    return kExitOk;
}

// --- the repeat panel ---------------------------------------------------------------

// Opened, both numbers typed, applied: the page limits them (5–255 and
// 0–255) and shows what it kept; `limited` says whether that differs.
int RunButtonRepeat(CommandContext& context) {
    if (!SelectButtonToAssign(context))
        return kExitUsage;
    const ButtonControls c(context.window);
    DUI::MEdit* first = c.Field(id::kRepeatFirst);
    DUI::MEdit* second = c.Field(id::kRepeatSecond);
    if (!first || !second) {
        context.error = "the button page has no repeat panel";
        return kExitFailure;
    }
    context.window.OnMessage(id::kOpenRepeat, DUI::kEventActivated, 0, 0);
    first->SetTitle(FromUtf8(context.args[1]));
    second->SetTitle(FromUtf8(context.args[2]));
    context.window.OnMessage(id::kApplyRepeat, DUI::kEventActivated, 0, 0);
    const bool limited = DecimalToInt(first->GetTitle()) != *ParseInteger(context.args[1]) ||
                         DecimalToInt(second->GetTitle()) != *ParseInteger(context.args[2]);
    context.out = ButtonsOutput(context);
    context.out.Set("limited", limited);
    return kExitOk;
}

int RunButtonDisable(CommandContext& context) {
    if (!SelectButtonToAssign(context))
        return kExitUsage;
    context.window.OnMessage(id::kDisable, DUI::kEventActivated, 0, 0);
    return kExitOk;
}

int RunButtonReset(CommandContext& context) {
    if (context.args[0] == "all") {
        context.window.OnMessage(id::kResetAll, DUI::kEventActivated, 0, 0);
        return kExitOk;
    }
    if (!SelectButton(context))
        return kExitUsage;
    context.window.OnMessage(id::kResetButton, DUI::kEventActivated, 0, 0);
    return kExitOk;
}

std::string CheckButton(const std::vector<std::string>& args) {
    return ParseInteger(args[0]) ? ""
                                 : "a button is its number in button list, not \"" + args[0] + "\"";
}

std::string CheckResetTarget(const std::vector<std::string>& args) {
    return args[0] == "all" ? "" : CheckButton(args);
}

std::string CheckSet(const std::vector<std::string>& args) {
    if (std::string reason = CheckButton(args); !reason.empty())
        return reason;
    if (!FindKind(args[1]))
        return "the function kind is mouse, media, shortcut, dpi or special, not \"" + args[1] +
               "\"";
    return {};
}

std::string CheckKey(const std::vector<std::string>& args) {
    if (std::string reason = CheckButton(args); !reason.empty())
        return reason;
    std::string reason;
    ParseCombination(args[1], reason);
    return reason;
}

std::string CheckRepeatField(std::string_view what, const std::string& text) {
    const bool digits =
        !text.empty() && text.size() <= kRepeatFieldDigits &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    return digits
               ? ""
               : std::string(what) + " is a number of at most three digits, not \"" + text + "\"";
}

std::string CheckRepeat(const std::vector<std::string>& args) {
    std::string reason = CheckButton(args);
    if (reason.empty())
        reason = CheckRepeatField("the interval", args[1]);
    if (reason.empty())
        reason = CheckRepeatField("the count", args[2]);
    return reason;
}

std::string CheckMacro(const std::vector<std::string>& args) {
    if (std::string reason = CheckButton(args); !reason.empty())
        return reason;
    return ParseInteger(args[1]) ? ""
                                 : "a macro is its number in macro list, not \"" + args[1] + "\"";
}

const Command kCommands[] = {
    {"button list", "button list", "each button and its function, as the list shows them", 0, 0,
     Needs::kStore, false, nullptr, RunButtonList, ReportButtons},
    {"button set", "button set BUTTON mouse|media|shortcut|dpi|special VALUE",
     "a function from the page's choices: VALUE is its number or its name", 3, 3, Needs::kMouse,
     false, CheckSet, RunButtonSet, ReportButtons},
    {"button key", "button key BUTTON COMBINATION",
     "a key with modifiers, as the key-combination panel captures it (ctrl+shift+a)", 2, 2,
     Needs::kMouse, false, CheckKey, RunButtonKey, ReportButtons},
    {"button repeat", "button repeat BUTTON INTERVAL COUNT",
     "rapid fire: interval 5–255 ms and count 0–255, limited as on the page", 3, 3, Needs::kMouse,
     false, CheckRepeat, RunButtonRepeat, nullptr},
    {"button macro", "button macro BUTTON MACRO",
     "a stored macro (its number in macro list); sent to the mouse with the table", 2, 2,
     Needs::kMouse, false, CheckMacro, RunButtonMacro, ReportButtons},
    {"button disable", "button disable BUTTON", "the button does nothing", 1, 1, Needs::kMouse,
     false, CheckButton, RunButtonDisable, ReportButtons},
    {"button reset", "button reset BUTTON|all",
     "the button's factory function (all: every button; asks: --yes)", 1, 1, Needs::kMouse, true,
     CheckResetTarget, RunButtonReset, ReportButtons},
};

}  // namespace

std::span<const Command> ButtonCommands() {
    return kCommands;
}

}  // namespace tessaly::cli
