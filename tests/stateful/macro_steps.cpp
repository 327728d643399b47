// The macro page: new, select, rename, delete, insert and delete events.

#include <linux/input-event-codes.h>

#include <algorithm>

#include "base/unicode.h"
#include "platform/raw_keyboard_input.h"
#include "stateful/action_steps.h"
#include "stateful/page_driver.h"
#include "ui/ids/macro_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/headless_backend.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::stateful {
namespace {

constexpr int kCustomText = 351;
// The page takes no insert beyond this many events; keep well below.
constexpr size_t kEventsKept = 150;

// The insert menu: its items and the events each adds.
struct InsertItem {
    int item;
    const char* name;
    int button_bit;  // 0: not a click
};
constexpr InsertItem kInserts[] = {
    {103, "delay", 0},          {105, "left click", 0x01}, {106, "middle click", 0x04},
    {107, "right click", 0x02}, {101, "key", 0},
};

// The event editor's mouse buttons: item data, and the bit of the button
// the item names (the event texts LB, RB, MB, Backward, Forward).
struct ButtonItem {
    int data;
    int bit;
    const char* name;
};
constexpr ButtonItem kButtonItems[] = {{1, 0x01, "left"},
                                       {3, 0x02, "right"},
                                       {2, 0x04, "middle"},
                                       {6, 0x08, "back"},
                                       {5, 0x10, "forward"}};

// Keys of the scripted keyboard: the kernel's code and the Windows key the
// recorded event names.
struct TypedKey {
    int linux_code;
    int vkey;
};
constexpr TypedKey kTypedKeys[] = {{KEY_A, 'A'}, {KEY_S, 'S'}, {KEY_D, 'D'},
                                   {KEY_J, 'J'}, {KEY_K, 'K'}, {KEY_L, 'L'}};
// A recording stops by itself at 60 events; stay below it.
constexpr size_t kRecordedIntoAtMost = 40;

Macro* Selected(Model& model) {
    return model.FindMacro(model.selected_macro);
}

}  // namespace

void NewMacroStep(ActionContext& c) {
    PageDriver page(c.program);
    c.description = "macro new";
    const int before = page.MacroList() ? page.MacroList()->GetItemCount() : 0;
    page.Click(macro_id::kNewMacro);
    DUI::MacroList* list = page.MacroList();
    if (list == nullptr || list->GetItemCount() != before + 1)
        return;  // the check of the list reports it
    const int id = static_cast<int>(list->GetCurData());
    const std::u16string name =
        LoadLanguageString(kCustomText) + u" " + FromUtf8(std::to_string(before + 1));
    c.model.macros.push_back({id, name, {}});
    c.model.selected_macro = id;
    c.model.shown_after_delete = false;
}

void SelectMacroStep(ActionContext& c) {
    if (c.model.macros.empty())
        return;
    const Macro& macro =
        c.model.macros[static_cast<size_t>(c.Pick(0, int(c.model.macros.size()) - 1))];
    c.description = "macro select " + std::to_string(macro.id);
    PageDriver(c.program).SelectMacro(macro.id);
    c.model.selected_macro = macro.id;
    c.model.shown_after_delete = false;
}

void RenameMacroStep(ActionContext& c) {
    Macro* macro = Selected(c.model);
    PageDriver page(c.program);
    DUI::MacroList* list = page.MacroList();
    if (macro == nullptr || list == nullptr || list->GetCurSel() < 0)
        return;
    const std::u16string name = FromUtf8("Macro " + std::to_string(c.Pick(1, 999)));
    c.description = "macro rename " + std::to_string(macro->id) + " " + ToUtf8(name);
    list->SetItemText(list->GetCurSel(), name);
    c.program.Window().OnMessage(macro_id::kMacroList, DUI::kEventKillFocus, 0, 0);
    c.program.Session().ProcessPending();
    macro->name = name;
    // The current profile's buttons that play it show the new name; other
    // profiles keep the old text.
    for (auto& [key, a] : c.model.Current().buttons) {
        if (a.type == 4 && a.value == macro->id)
            a.desc = name;
    }
}

void DeleteMacroStep(ActionContext& c) {
    auto it = std::find_if(c.model.macros.begin(), c.model.macros.end(),
                           [&](const Macro& m) { return m.id == c.model.selected_macro; });
    if (it == c.model.macros.end())
        return;
    c.description = "macro delete " + std::to_string(it->id);
    PageDriver page(c.program);
    page.Click(macro_id::kDeleteMacro);
    const size_t at = static_cast<size_t>(it - c.model.macros.begin());
    c.model.macros.erase(it);
    // The entry before it is selected; the first entry's deletion leaves
    // whatever the list selects.
    if (at > 0) {
        c.model.selected_macro = c.model.macros[at - 1].id;
    } else {
        DUI::MacroList* list = page.MacroList();
        c.model.selected_macro =
            list && list->GetCurSel() >= 0 ? static_cast<int>(list->GetCurData()) : 0;
    }
    c.model.shown_after_delete = true;
}

void InsertEventsStep(ActionContext& c) {
    Macro* macro = Selected(c.model);
    if (macro == nullptr || macro->events.size() > kEventsKept)
        return;
    const InsertItem& insert = kInserts[c.Pick(0, 4)];
    const int size = static_cast<int>(macro->events.size());
    const int selected = c.Pick(-1, size - 1);
    const int vkey = c.Pick('A', 'Z');
    c.description = std::string("macro insert ") + insert.name + " after event " +
                    std::to_string(selected) + " of macro " + std::to_string(macro->id);
    PageDriver page(c.program);
    page.SelectEvent(selected);
    page.Insert(insert.item, vkey);
    std::vector<Event> added;
    const int g = c.model.next_group++;
    if (insert.item == 103) {
        added = {{1, 10, g}};
    } else if (insert.button_bit != 0) {
        added = {{4, insert.button_bit, g}, {1, 10, g}, {5, insert.button_bit, g}, {1, 10, g}};
    } else {
        added = {{2, vkey, g}, {1, 10, g}, {3, vkey, g}, {1, 10, g}};
    }
    const size_t at = selected < 0 ? macro->events.size() : static_cast<size_t>(selected + 1);
    macro->events.insert(macro->events.begin() + static_cast<std::ptrdiff_t>(at), added.begin(),
                         added.end());
}

// With no delays chosen, each key typed while recording adds its press and
// its release after the macro's events.
void RecordKeysStep(ActionContext& c) {
    Macro* macro = Selected(c.model);
    if (macro == nullptr || macro->events.size() > kRecordedIntoAtMost)
        return;
    PageDriver page(c.program);
    ui::DeviceMainDlg& w = c.program.Window();
    auto* record =
        dynamic_cast<DUI::CIconButton*>(ui::FindInPage(w, w.macro_page, macro_id::kRecord));
    if (record == nullptr)
        return;
    // On the macro tab, the radio is checked as a click checks it.
    if (!DUI::HeadlessBackend::Deliver(w, main_id::kTabs, DUI::kEventActivated,
                                       main_id::kMacroTab) ||
        !DUI::HeadlessBackend::Click(w, macro_id::kNoDelays))
        return;
    c.program.Session().ProcessPending();
    const std::u16string idle = record->GetTitle();
    page.Click(macro_id::kRecord);
    if (record->GetTitle() == idle)
        return;  // it did not start: nothing is typed into it
    const int keys = c.Pick(1, 3);
    c.description = "macro record " + std::to_string(keys) + " keys into macro " +
                    std::to_string(macro->id) + ":";
    const int g = c.model.next_group++;
    for (int i = 0; i < keys; ++i) {
        const TypedKey& key = kTypedKeys[c.Pick(0, static_cast<int>(std::size(kTypedKeys)) - 1)];
        c.description += " " + std::string(1, static_cast<char>(key.vkey));
        FeedCapturedKey(key.linux_code, true, true);
        FeedCapturedKey(key.linux_code, false, true);
        macro->events.push_back({2, key.vkey, g});
        macro->events.push_back({3, key.vkey, g});
    }
    c.program.Session().ProcessPending();
    page.Click(macro_id::kRecord);
}

void DeleteEventStep(ActionContext& c) {
    Macro* macro = Selected(c.model);
    if (macro == nullptr || macro->events.empty())
        return;
    const int at = c.Pick(0, static_cast<int>(macro->events.size()) - 1);
    c.description =
        "macro delete event " + std::to_string(at) + " of macro " + std::to_string(macro->id);
    PageDriver page(c.program);
    page.SelectEvent(at);
    page.Click(macro_id::kDeleteEvent);
    macro->events.erase(macro->events.begin() + at);
}

// The event editor's mouse-button choice for a click's event: the press
// and its release take the bit the item's name says.
void SetEventButtonStep(ActionContext& c) {
    Macro* macro = Selected(c.model);
    if (macro == nullptr)
        return;
    std::vector<int> clicks;
    for (size_t i = 0; i < macro->events.size(); ++i) {
        const Event& e = macro->events[i];
        if ((e.type == 4 || e.type == 5) && e.group != 0)
            clicks.push_back(static_cast<int>(i));
    }
    if (clicks.empty())
        return;
    const int at = clicks[static_cast<size_t>(c.Pick(0, int(clicks.size()) - 1))];
    const ButtonItem& choice = kButtonItems[c.Pick(0, 4)];
    c.description = std::string("macro event ") + std::to_string(at) + " button " + choice.name;
    PageDriver page(c.program);
    page.SelectEvent(at);
    auto* list = dynamic_cast<DUI::MComboBox*>(
        ui::FindInPage(c.program.Window(), c.program.Window().macro_page, macro_id::kEditorButton));
    if (list == nullptr || !list->SelectData(choice.data))
        return;
    page.Click(macro_id::kEditorButton, list->GetCurSel());
    c.facts.event_button = true;
    const int group = macro->events[static_cast<size_t>(at)].group;
    for (Event& e : macro->events) {
        if (e.group == group && (e.type == 4 || e.type == 5))
            e.value = choice.bit;
    }
}

}  // namespace tessaly::stateful
