// The button page's list as it shows each button's function, and the edits
// that need no panel: disabling and resetting. Each selects the button in
// the list and clicks, so the page stores and sends as it does for a user.

#include "base/unicode.h"
#include "cli/argument_checks.h"
#include "cli/command_table.h"
#include "controller/controller.h"
#include "ui/pages/button_page.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/controls/mouse_controls.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::cli {
namespace {

constexpr int kResetAll = 67;
constexpr int kList = 68;
constexpr int kResetButton = 71;
constexpr int kDisable = 89;

DUI::MouseKeyCtrl* ButtonList(const ui::DeviceMainDlg& window) {
    return dynamic_cast<DUI::MouseKeyCtrl*>(
        ui::FindInPage(window, ui::FindPage(window, ui::kButtonPageId), kList));
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
    context.window.OnMessage(kList, DUI::kEventActivated, 0, 0);
    return true;
}

int RunButtonDisable(CommandContext& context) {
    if (!SelectButton(context))
        return kExitUsage;
    context.window.OnMessage(kDisable, DUI::kEventActivated, 0, 0);
    return kExitOk;
}

int RunButtonReset(CommandContext& context) {
    if (context.args[0] == "all") {
        context.window.OnMessage(kResetAll, DUI::kEventActivated, 0, 0);
        return kExitOk;
    }
    if (!SelectButton(context))
        return kExitUsage;
    context.window.OnMessage(kResetButton, DUI::kEventActivated, 0, 0);
    return kExitOk;
}

std::string CheckButton(const std::vector<std::string>& args) {
    return ParseInteger(args[0]) ? ""
                                 : "a button is its number in button list, not \"" + args[0] + "\"";
}

std::string CheckResetTarget(const std::vector<std::string>& args) {
    return args[0] == "all" ? "" : CheckButton(args);
}

const Command kCommands[] = {
    {"button list", "button list", "each button and its function, as the list shows them", 0, 0,
     Needs::kStore, false, nullptr, RunButtonList, ReportButtons},
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
