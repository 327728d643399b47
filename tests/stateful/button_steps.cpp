// The button page: a function from a category's choice, a key combination
// captured from the keyboard, a macro, disable and reset.

#include <linux/input-event-codes.h>

#include "base/unicode.h"
#include "buttons/button_controls.h"
#include "platform/raw_keyboard_input.h"
#include "stateful/action_steps.h"
#include "stateful/design_tables.h"
#include "stateful/page_driver.h"
#include "ui/main/window_page_contexts.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/edits.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::stateful {
namespace {

namespace id = button_id;

// The shipped model's buttons; key code 0 takes no function at all.
constexpr int kLastKeyCode = 7;
// The records one macro command carries.
constexpr size_t kMaxRecords = 101;

struct Category {
    int choice;
    int type;
};
constexpr Category kCategories[] = {{id::kMouseChoice, 1},
                                    {id::kMultimediaChoice, 3},
                                    {id::kShortcutChoice, 8},
                                    {id::kDpiChoice, 5},
                                    {id::kSpecialChoice, 6}};

// Letters by Linux key code (evdev numbering), for the key capture.
struct LetterKey {
    int linux_code;
    char letter;
};
constexpr LetterKey kLetters[] = {{KEY_A, 'A'}, {KEY_B, 'B'}, {KEY_C, 'C'}, {KEY_D, 'D'},
                                  {KEY_E, 'E'}, {KEY_K, 'K'}, {KEY_M, 'M'}, {KEY_Q, 'Q'},
                                  {KEY_S, 'S'}, {KEY_X, 'X'}, {KEY_Z, 'Z'}};

// A button that may be given a function; now and then the locked one,
// which must refuse everything.
int PickButton(ActionContext& c) {
    return c.Pick(0, 20) == 0 ? 0 : c.Pick(1, kLastKeyCode);
}

void Assign(ActionContext& c, int key, Assignment a) {
    if (key == 0)
        return;  // refused with a message
    c.facts.table_written = true;
    auto& buttons = c.model.Current().buttons;
    if (a.value == 0 && a.value2 == 0)
        buttons.erase(key);
    else
        buttons[key] = std::move(a);
}

size_t Records(const std::vector<Event>& events) {
    return static_cast<size_t>(std::count_if(
        events.begin(), events.end(), [](const Event& e) { return e.type >= 2 && e.type <= 5; }));
}

}  // namespace

void ButtonFunctionStep(ActionContext& c) {
    const int key = PickButton(c);
    const Category& category = kCategories[c.Pick(0, 4)];
    PageDriver page(c.program);
    DUI::MComboBox2* choice =
        ButtonControls(ui::ButtonPageContextOf(c.program.Window())).Choice(category.choice);
    if (choice == nullptr || choice->GetItemCount() == 0 || !page.SelectButton(key))
        return;
    const int item = c.Pick(0, choice->GetItemCount() - 1);
    const int value = static_cast<int>(choice->GetItemData(item));
    c.description = "button " + std::to_string(key) + " function " + std::to_string(category.type) +
                    "/" + std::to_string(value);
    choice->SelectItem(item);
    c.program.Window().OnMessage(category.choice, DUI::kEventActivated, item, 0);
    c.program.Session().ProcessPending();
    Assign(c, key, {category.type, value, 0, {}});
}

void ButtonKeyStep(ActionContext& c) {
    const int key = PickButton(c);
    const LetterKey& letter = kLetters[c.Pick(0, static_cast<int>(std::size(kLetters)) - 1)];
    const bool ctrl = c.Coin(), shift = c.Coin(), alt = c.Coin(), win = c.Pick(0, 3) == 0;
    const ButtonControls controls(ui::ButtonPageContextOf(c.program.Window()));
    DUI::MEdit* field = controls.Field(id::kCapturedKey);
    PageDriver page(c.program);
    if (field == nullptr || !page.SelectButton(key))
        return;
    c.description = "button " + std::to_string(key) + " key " + (ctrl ? "ctrl+" : "") +
                    (shift ? "shift+" : "") + (alt ? "alt+" : "") + (win ? "win+" : "") +
                    letter.letter;
    page.Click(id::kOpenCombination);
    field->OnFocus(1);
    c.program.Session().ProcessPending();
    DeliverWindowKey(letter.linux_code, true, true);
    DeliverWindowKey(letter.linux_code, false, true);
    c.program.Session().ProcessPending();
    field->OnFocus(0);
    c.program.Session().ProcessPending();
    const std::pair<int, bool> boxes[] = {
        {id::kCtrl, ctrl}, {id::kShift, shift}, {id::kAlt, alt}, {id::kWin, win}};
    for (const auto& [box, ticked] : boxes) {
        if (DUI::MButton3* check = controls.ModifierBox(box))
            check->SetCheck(ticked);
    }
    page.Click(id::kApplyCombination);
    const int mods = (ctrl ? 1 : 0) | (shift ? 2 : 0) | (alt ? 4 : 0) | (win ? 8 : 0);
    Assign(c, key, {2, LetterUsage(letter.letter), mods, {}});
}

void ButtonMacroStep(ActionContext& c) {
    if (c.model.macros.empty())
        return;
    const int key = PickButton(c);
    const Macro& macro =
        c.model.macros[static_cast<size_t>(c.Pick(0, int(c.model.macros.size()) - 1))];
    DUI::MComboBox2* choice =
        ButtonControls(ui::ButtonPageContextOf(c.program.Window())).Choice(id::kMacroChoice);
    PageDriver page(c.program);
    if (choice == nullptr || !page.SelectButton(key))
        return;
    int item = -1;
    for (int i = 0; i < choice->GetItemCount(); ++i) {
        if (choice->GetItemData(i) == macro.id)
            item = i;
    }
    if (item < 0)
        return;  // the check of the choice reports it
    c.description = "button " + std::to_string(key) + " macro " + std::to_string(macro.id);
    choice->SelectItem(item);
    c.program.Window().OnMessage(id::kMacroChoice, DUI::kEventActivated, item, 0);
    c.program.Session().ProcessPending();
    // A macro longer than one command carries is refused whole.
    if (key == 0 || Records(macro.events) > kMaxRecords)
        return;
    Assign(c, key, {4, macro.id, 0, macro.name});
    c.model.mouse_macros[key] = MacroImage(key, macro.events);
}

void ButtonDisableStep(ActionContext& c) {
    const int key = PickButton(c);
    PageDriver page(c.program);
    if (!page.SelectButton(key))
        return;
    c.description = "button " + std::to_string(key) + " disable";
    page.Click(id::kDisable);
    Assign(c, key, {9, 1, 0, {}});
}

void ButtonResetStep(ActionContext& c) {
    const int key = c.Pick(0, kLastKeyCode);
    PageDriver page(c.program);
    if (!page.SelectButton(key))
        return;
    c.description = "button " + std::to_string(key) + " reset";
    c.program.Session().backend().SetModalAnswer(DUI::ModalAnswer::FirstButton());
    page.Click(id::kResetButton);
    c.model.Current().buttons.erase(key);
    c.facts.table_written = true;
}

}  // namespace tessaly::stateful
