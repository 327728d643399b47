// Everything tessalyctl does can be done in the window: each command of the
// command table names the control that does it there (a page and a control
// id), and the control is on that page, reachable and named. A command only
// reports what the window shows elsewhere is listed with the reason. A new
// command fails here until it is given its control.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QTimer>
#include <algorithm>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_registry.h"
#include "program_window.h"
#include "ui/ids/lighting_page_ids.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/profile_dlg.h"
#include "ui/toolkit/controls/item_lists.h"

namespace tessaly::qt::test {
namespace {

// Where the window does what a command does. "profiles" is the profile
// list that opens from the profile name (control 45) of the frame.
struct WindowAction {
    std::string_view command;
    std::string_view page;  // a page of kPages, "profiles", or empty: nothing to do
    int control = 0;
    std::string_view how;  // the way there, or why there is none
    int effect = 0;        // the lighting effect (its text) that shows the control
};

constexpr int kProfileName = 45;

constexpr WindowAction kActions[] = {
    {"devices", "", 0, "prints the catalogue's models and the connected devices for scripts"},
    {"status", "", 0, "prints what the frame and the information page show"},
    {"show", "", 0, "prints the pages' settings at once for scripts"},

    {"dpi count", "performance", 120, "the stage count list"},
    {"dpi select", "performance", 116, "a stage: click, or the arrow keys"},
    {"dpi set", "performance", 116, "double-click or F2 on a stage edits its value"},
    {"dpi colour", "performance", 116, "the stage's colour bar, or the menu key on a stage"},
    {"dpi reset", "performance", 115, ""},
    {"rate", "performance", 125, ""},
    {"rate reset", "performance", 124, ""},
    {"liftoff", "performance", 129, "and 130"},
    {"sensor", "performance", 134, "the three check boxes"},
    {"response", "performance", 139, ""},
    {"sleep", "performance", 145, ""},
    {"wake", "performance", 143, ""},
    {"closelight", "performance", 144, ""},

    {"profile list", "profiles", 31, "the list"},
    {"profile switch", "profiles", 31, "a click, or Enter on an item"},
    {"profile rename", "profiles", 31, "F2 or a right-click edits the name in place"},
    {"profile export", "profiles", 33, ""},
    {"profile import", "profiles", 32, ""},

    {"factory-reset", "settings", 277, ""},
    {"language list", "settings", 279, "the language list"},
    {"language set", "settings", 279, ""},
    {"autostart show", "settings", 281, "the start-up check boxes"},
    {"autostart set", "settings", 281, ""},
    {"autostart minimised", "settings", 282, "enabled once the first box is checked"},
    {"close-button show", "settings", 286, "the close choice"},
    {"close-button set", "settings", 286, "and 287"},

    {"light list", "lighting", 197, "the effect list"},
    {"light effect", "lighting", 197, ""},
    {"light brightness", "lighting", 204, ""},
    {"light speed", "lighting", 207, ""},
    {"light colour", "lighting", 226, "the colour picker; arrow keys turn hue and saturation",
     text::kEffectSteady},
    {"light reset", "lighting", 201, ""},

    {"button list", "buttons", 68, "the button list"},
    {"button set", "buttons", 68, "a button, then its function lists"},
    {"button key", "buttons", 68, "a button, then key combination"},
    {"button repeat", "buttons", 68, "a button, then rapid fire"},
    {"button macro", "buttons", 68, "a button, then the macro list"},
    {"button disable", "buttons", 68, "a button, then disable"},
    {"button reset", "buttons", 67, "all; a button's own reset on its panel"},

    {"macro list", "macros", 156, ""},
    {"macro show", "macros", 166, "the event list of the chosen macro"},
    {"macro new", "macros", 157, ""},
    {"macro rename", "macros", 156, "double-click or F2 edits the name in place"},
    {"macro delete", "macros", 158, ""},
    {"macro settings", "macros", 181, "the delay and play choices"},
    {"macro insert", "macros", 167, ""},
    {"macro remove", "macros", 168, ""},
    {"macro clear", "macros", 169, ""},
    {"macro move", "macros", 166, "an event chosen, the move buttons or the list's menu"},
    {"macro edit", "macros", 166, "an event chosen opens the event editor beside the list"},
    {"macro import", "macros", 156, "the list's menu: right-click, the menu key or Shift+F10"},
    {"macro export", "macros", 156, "the list's menu"},
    {"macro import-all", "macros", 156, "the list's menu"},
    {"macro export-all", "macros", 156, "the list's menu"},

    {"update check", "settings", 276, ""},
    {"update download", "settings", 276, "the check offers the download when there is a newer one"},
    {"firmware check", "info", 248, ""},
    {"firmware upgrade", "info", 248, "the check offers the upgrade when there is a newer one"},
};

const WindowAction* ActionOf(std::string_view command) {
    for (const WindowAction& action : kActions) {
        if (action.command == command) {
            return &action;
        }
    }
    return nullptr;
}

TEST(WindowActions, EveryCommandNamesItsControlInTheWindow) {
    std::set<std::string_view> commands;
    for (const cli::Command& command : cli::Commands()) {
        commands.insert(command.name);
        EXPECT_NE(ActionOf(command.name), nullptr)
            << "tessalyctl " << command.name
            << " has no control in the window: build one and name it in kActions";
    }
    for (const WindowAction& action : kActions) {
        EXPECT_TRUE(commands.count(action.command) != 0)
            << action.command << " is no command any more";
        EXPECT_TRUE(!action.page.empty() || !action.how.empty())
            << action.command << ": a command without a control says why";
    }
}

// The operable controls' ids, and whether each has a name to be read.
struct Reachable {
    std::set<int> ids;
    std::set<int> unnamed;
};

// Disabled controls count: some wait for the mouse's state (the firmware
// check over the receiver).
Reachable ReachableIn(const DUI::MDialog& dialog, QtBackend& backend) {
    Reachable reachable;
    for (const Stop& stop : OperableControls(dialog, backend, true)) {
        reachable.ids.insert(stop.control->GetId());
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(stop.widget);
        if (accessible == nullptr || accessible->text(QAccessible::Name).trimmed().isEmpty()) {
            reachable.unnamed.insert(stop.control->GetId());
        }
    }
    return reachable;
}

TEST(WindowActions, EachNamedControlIsOnItsPageReachableAndNamed) {
    SetCurrentLcid(1033);
    ReloadLanguageFiles();
    ProgramWindow program({0, 0, 1300, 788});
    ASSERT_TRUE(program.created());
    program.window().ShowWindow(DUI::kSwShow);
    ASSERT_TRUE(program.Settle());

    auto check = [](const Reachable& reachable, std::string_view page, int effect = 0) {
        for (const WindowAction& action : kActions) {
            if (action.page != page || action.effect != effect) {
                continue;
            }
            EXPECT_TRUE(reachable.ids.count(action.control) != 0)
                << action.command << ": control " << action.control << " is not on the " << page
                << " page or cannot be reached";
            EXPECT_TRUE(reachable.unnamed.count(action.control) == 0)
                << action.command << ": control " << action.control << " has no name";
        }
    };
    for (const PageRow& row : kPages) {
        program.Show(row);
        check(ReachableIn(program.window(), program.backend()), row.name);
    }
    for (const WindowAction& action : kActions) {
        if (action.effect == 0) {
            continue;
        }
        program.Show(kPages[4]);
        auto* effects = program.window().GetControlAs<DUI::MComboBox>(lighting_id::kEffectList);
        ASSERT_NE(effects, nullptr);
        const std::vector<DUI::ListItem> items = effects->Items();
        const auto chosen =
            std::find_if(items.begin(), items.end(), [&](const DUI::ListItem& item) {
                return item.text == LoadLanguageString(action.effect);
            });
        ASSERT_NE(chosen, items.end()) << action.command;
        DUI::Toolkit::Get().DeliverControlEvent(*effects, DUI::kEventActivated,
                                                chosen - items.begin());
        ASSERT_TRUE(program.Settle());
        program.backend().Flush();
        check(ReachableIn(program.window(), program.backend()), "lighting", action.effect);
    }

    // The profile list runs modally over the frame: look at it from inside.
    // The profile name is on the device pages, not on the home page.
    program.Show(kPages[1]);
    DUI::MControl* name = program.window().GetControl(kProfileName);
    ASSERT_NE(name, nullptr);
    Reachable in_list;
    bool opened = false;
    QTimer::singleShot(100, [&] {
        auto& toolkit = DUI::Toolkit::Get();
        auto* list = static_cast<DUI::MDialog*>(toolkit.WindowFromHandle(
            toolkit.FindWindow(DUI::MWindow::kClassName, ui::ProfileDlg::kTitle)));
        if (list != nullptr) {
            opened = true;
            program.backend().Flush();
            in_list = ReachableIn(*list, program.backend());
            list->EndModal(2);
        } else if (DUI::MWindow* box = toolkit.WindowFromHandle(
                       toolkit.FindWindow(DUI::MWindow::kClassName, u"MessageBox"))) {
            box->EndModal(1);  // no mouse: the notice instead of the list
        }
    });
    DUI::Toolkit::Get().DeliverControlEvent(*name, DUI::kEventActivated, 0);
    ASSERT_TRUE(opened) << "the profile name opens the profile list";
    check(in_list, "profiles");
}

}  // namespace
}  // namespace tessaly::qt::test
