// The button commands: each finds the button in the selected model's list
// and calls the button page's own change, so the same row is stored and the
// same table sent; the results are rendered here.

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>
#include <span>

#include "app/language_state.h"
#include "base/unicode.h"
#include "buttons/assignment_model.h"
#include "buttons/button_operations.h"
#include "buttons/raw_key_decoder.h"
#include "catalogue/device_catalogue.h"
#include "cli/argument_checks.h"
#include "cli/command_registry.h"
#include "cli/stored_profile_host.h"
#include "controller/controller.h"
#include "platform/raw_keyboard_keys.h"
#include "storage/macro_table.h"
#include "ui/localisation/button_function_items.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/shown_macro_name.h"

namespace tessaly::cli {
namespace {

// The function kinds of `button set`: the category and the items its
// choice offers.
struct FunctionKind {
    std::string_view word;
    int category;
    std::span<const ui::ListItemSpec> (*items)();
};
constexpr FunctionKind kKinds[] = {
    {"mouse", kCategoryMouse, ui::MouseFunctionItems},
    {"media", kCategoryMultimedia, ui::MediaFunctionItems},
    {"shortcut", kCategoryShortcut, ui::ShortcutFunctionItems},
    {"dpi", kCategoryDpi, ui::DpiFunctionItems},
    {"special", kCategorySpecial, ui::SpecialFunctionItems},
};

// What the repeat panel's fields take: digits, three at most.
constexpr size_t kRepeatFieldDigits = 3;

std::vector<ButtonDescription> Buttons() {
    return DeviceCatalogue::Instance().Selected().buttons;
}

}  // namespace

OutputValue ButtonsOutput(const CommandContext& context) {
    const int profile = TargetProfile(context);
    OutputValue out = OutputValue::MakeObject();
    OutputValue rows = OutputValue::MakeArray();
    const std::vector<ButtonDescription> buttons = Buttons();
    for (size_t i = 0; i < buttons.size(); ++i) {
        OutputValue row = OutputValue::MakeObject();
        row.Set("button", static_cast<int>(i) + 1);
        row.Set("key", buttons[i].key_value);
        row.Set("name", ToUtf8(LoadLanguageString(buttons[i].name)));
        row.Set("function", ToUtf8(ShownFunction(profile, buttons[i].key_value)));
        rows.Append(std::move(row));
    }
    out.Set("profile", profile);
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

// The key code of the button numbered as in `button list`.
std::optional<int> ButtonKey(CommandContext& context) {
    const std::vector<ButtonDescription> buttons = Buttons();
    const int index = *ParseInteger(context.args[0]) - 1;
    if (index < 0 || static_cast<size_t>(index) >= buttons.size()) {
        context.error = "there is no button " + context.args[0] + " (see button list)";
        return std::nullopt;
    }
    return buttons[static_cast<size_t>(index)].key_value;
}

// A refused change is a usage error with the page's message.
int Rendered(CommandContext& context, const ButtonChange& change) {
    if (!change.ok) {
        context.error = ToUtf8(LoadLanguageString(change.refusal));
        return kExitUsage;
    }
    return kExitOk;
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

// The item with this number (its stored value) or shown name.
const ui::ListItemSpec* FindItem(std::span<const ui::ListItemSpec> items, std::string_view value) {
    const std::optional<int> number = ParseInteger(value);
    for (const ui::ListItemSpec& item : items) {
        if (number ? item.data == *number : Folded(ToUtf8(ui::ItemText(item))) == Folded(value))
            return &item;
    }
    return nullptr;
}

std::string ItemsText(std::span<const ui::ListItemSpec> items) {
    std::string text;
    for (const ui::ListItemSpec& item : items) {
        text += (text.empty() ? "" : ", ") + std::to_string(item.data) + " (" +
                ToUtf8(ui::ItemText(item)) + ")";
    }
    return text;
}

int RunButtonSet(CommandContext& context) {
    const std::optional<int> key = ButtonKey(context);
    if (!key)
        return kExitUsage;
    const FunctionKind& kind = *FindKind(context.args[1]);
    if (*key == kLockedKeyCode) {
        return Rendered(context,
                        AssignFunction(*ButtonHostFor(context), *key, kind.category, 0, u""));
    }
    const ui::ListItemSpec* item = FindItem(kind.items(), context.args[2]);
    if (!item) {
        context.error = "there is no " + std::string(kind.word) + " function \"" + context.args[2] +
                        "\"; one of: " + ItemsText(kind.items());
        return kExitUsage;
    }
    return Rendered(context, AssignFunction(*ButtonHostFor(context), *key, kind.category,
                                            static_cast<int>(item->data), ui::ItemText(*item)));
}

std::optional<std::u16string> StoredMacroName(int macro_id) {
    std::vector<MacroInfo> macros;
    ListMacros(macros);
    for (const MacroInfo& macro : macros) {
        if (macro.macro_id == macro_id)
            return ShownMacroName(macro.name);
    }
    return std::nullopt;
}

int RunButtonMacro(CommandContext& context) {
    const std::optional<int> key = ButtonKey(context);
    if (!key)
        return kExitUsage;
    const int macro = *ParseInteger(context.args[1]);
    const std::optional<std::u16string> name = StoredMacroName(macro);
    if (*key != kLockedKeyCode && !name) {
        context.error = "there is no macro " + context.args[1] + " (see macro list)";
        return kExitUsage;
    }
    return Rendered(context, AssignFunction(*ButtonHostFor(context), *key, kCategoryMacro, macro,
                                            name.value_or(u"")));
}

// --- key combinations -------------------------------------------------------------

struct NamedKey {
    int virtual_key = 0;
    std::u16string name;
};

bool IsModifierKey(int virtual_key) {
    return virtual_key >= vk::kLShift && virtual_key <= vk::kRMenu;
}

// The key a name stands for: the first Linux key whose virtual key has that
// name (folded), as the capture would show it. Modifiers are words of their
// own, not keys.
std::optional<NamedKey> KeyNamed(std::string_view name) {
    constexpr int kLastLinuxKey = 255;
    for (int code = 1; code <= kLastLinuxKey; ++code) {
        const std::optional<LinuxKeyMapping> key = MapLinuxKey(code, true);
        if (!key || IsModifierKey(key->state_vkey))
            continue;
        std::u16string shown = VirtualKeyName(key->vkey);
        if (!shown.empty() && Folded(ToUtf8(shown)) == Folded(name))
            return NamedKey{key->vkey, std::move(shown)};
    }
    return std::nullopt;
}

// "ctrl+shift+a": modifier words and at most one key, joined by '+'.
std::optional<KeyCombination> ParseCombination(std::string_view text, std::string& error) {
    KeyCombination combination;
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
        } else if (combination.virtual_key != 0) {
            error = "a key combination holds one key besides ctrl, shift, alt and win";
            return std::nullopt;
        } else if (std::optional<NamedKey> key = KeyNamed(part)) {
            combination.virtual_key = key->virtual_key;
            combination.key_name = std::move(key->name);
        } else {
            error = "there is no key named \"" + part + "\"";
            return std::nullopt;
        }
    }
    return combination;
}

int RunButtonKey(CommandContext& context) {
    std::string error;
    const KeyCombination combination = *ParseCombination(context.args[1], error);
    const std::optional<int> key = ButtonKey(context);
    if (!key)
        return kExitUsage;
    return Rendered(context, AssignCombination(*ButtonHostFor(context), *key, combination));
}

// The numbers are limited as the page limits them (5–255 and 0–255);
// `limited` says whether what was kept differs.
int RunButtonRepeat(CommandContext& context) {
    const std::optional<int> key = ButtonKey(context);
    if (!key)
        return kExitUsage;
    const ButtonChange change =
        AssignRepeat(*ButtonHostFor(context), *key, *ParseInteger(context.args[1]),
                     *ParseInteger(context.args[2]));
    if (const int code = Rendered(context, change); code != kExitOk)
        return code;
    context.out = ButtonsOutput(context);
    context.out.Set("limited", change.limited);
    return kExitOk;
}

int RunButtonDisable(CommandContext& context) {
    const std::optional<int> key = ButtonKey(context);
    if (!key)
        return kExitUsage;
    return Rendered(context, DisableButton(*ButtonHostFor(context), *key));
}

int RunButtonReset(CommandContext& context) {
    if (context.args[0] == "all") {
        ResetAllButtons(*ButtonHostFor(context));
        return kExitOk;
    }
    const std::optional<int> key = ButtonKey(context);
    if (!key)
        return kExitUsage;
    return Rendered(context, ResetButton(*ButtonHostFor(context), *key));
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
