// The button page on the whole program: the headless window, the worker and
// the virtual mouse, which keeps the button table it receives.

#include <linux/input-event-codes.h>

#include <map>
#include <ostream>
#include <utility>
#include <vector>

#include "base/task.h"
#include "buttons/assignment_model.h"
#include "controller/worker_fixture.h"
#include "platform/raw_keyboard_input.h"
#include "storage/key_table.h"
#include "storage/macro_table.h"
#include "ui/ids/button_page_ids.h"
#include "ui/localisation/language_change.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/dui.h"

namespace tessaly::test {
namespace {

using Bytes = std::vector<uint8_t>;

// Slots 0 … 8 with the built-in defaults and nothing for key code 8.
Bytes DefaultTable() {
    return {0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x10, 0x04, 0x00, 0x10, 0x08, 0x00, 0x10, 0x10,
            0x00, 0x40, 0x01, 0x00, 0x60, 0x04, 0x00, 0x60, 0x04, 0x00, 0x00, 0x00, 0x00};
}

class ButtonsTest : public WorkerTest {
  protected:
    void Start() {
        Plug(true, false);
        Open();
        ASSERT_TRUE(Connected());
        ShowButtonPage();
    }
    // As after the user activated the mouse.
    void ShowButtonPage() {
        dlg->ShowDevicePages();
        session.ProcessPending();
        ASSERT_TRUE(dlg->button_page->IsShown());
    }
    DUI::MControl* OnPage(int id) { return ui::FindInPage(*dlg, dlg->button_page, id); }
    DUI::MControl* OnPanel(int id, int nth = 0) {
        return ui::FindInPage(*dlg, dlg->custom_key_page, id, nth);
    }
    template <typename T>
    T* PanelAs(int id, int nth = 0) {
        return dynamic_cast<T*>(OnPanel(id, nth));
    }
    DUI::MouseKeyCtrl* List() { return dynamic_cast<DUI::MouseKeyCtrl*>(OnPage(button_id::kList)); }
    bool Act(DUI::MControl* control, intptr_t param = 0) {
        const bool delivered = control && DUI::Toolkit::Get().DeliverControlEvent(
                                              *control, DUI::kEventActivated, param);
        session.ProcessPending();
        return delivered;
    }
    bool Focus(DUI::MControl* control, bool focused) {
        const bool delivered = control && DUI::Toolkit::Get().DeliverFocus(*control, focused);
        session.ProcessPending();
        return delivered;
    }
    void SelectButton(int index) { ASSERT_TRUE(Act(OnPage(button_id::kList), index)); }
    void Key(int linux_code, bool pressed) {
        DeliverWindowKey(linux_code, pressed, true);
        session.ProcessPending();
    }
    Bytes ButtonTable() { return mouse->State().settings.at(0x09); }
    bool MouseHasTable(const Bytes& expected) {
        return WaitFor([&] { return ButtonTable() == expected; }) && Settled();
    }
    static std::optional<KeyAssignment> StoredRow(int key_code) {
        KeyAssignment row;
        if (!GetKeyAssignment(1, key_code, row)) {
            return std::nullopt;
        }
        return row;
    }
    // The function panel as the user reads it: which lists show an item
    // (with that item's data) and which switches are checked.
    struct Shown {
        std::map<int, intptr_t> lists;
        std::vector<int> switches;
        bool operator==(const Shown&) const = default;
        friend void PrintTo(const Shown& shown, std::ostream* out) {
            for (const auto& [id, data] : shown.lists) {
                *out << "list " << id << " item " << data << "; ";
            }
            for (int id : shown.switches) {
                *out << "switch " << id << "; ";
            }
        }
    };
    Shown ShownFunction() {
        Shown shown;
        for (auto [id, nth] : {std::pair{73, 0}, {75, 0}, {77, 0}, {79, 1}, {81, 0}, {83, 0}}) {
            auto* choice = PanelAs<DUI::MComboBox2>(id, nth);
            if (choice->GetCurSel() >= 0 || choice->GetCheck()) {
                shown.lists[id] = choice->GetCurData();
            }
        }
        for (int id : {85, 87, 89}) {
            if (PanelAs<DUI::MButton2>(id)->GetCheck()) {
                shown.switches.push_back(id);
            }
        }
        return shown;
    }
    static Shown InList(int id, intptr_t data) { return {{{id, data}}, {}}; }
    static Shown OnSwitch(int id) { return {{}, {id}}; }
    void Restart() {
        dlg->CloseWindow();
        dlg.reset();
        controller.reset();
        SettingsDatabase::Instance().Close();
        Open();
        ASSERT_TRUE(Connected());
        ShowButtonPage();
    }
    bool ShowedMessage(int text) {
        for (const DUI::ModalRecord& run : session.backend().ModalRuns()) {
            for (const std::u16string& shown : run.texts) {
                if (shown == LoadLanguageString(text)) {
                    return true;
                }
            }
        }
        return false;
    }
};

TEST_F(ButtonsTest, AMultimediaFunctionReachesTheMouse) {
    Start();
    SelectButton(1);
    EXPECT_TRUE(dlg->custom_key_page->IsVisible());
    EXPECT_EQ(PanelAs<DUI::MControlFont>(button_id::kButtonName)->GetTitle(),
              List()->GetItemText(1));
    // Item 4 of the multimedia choice is play/pause (value 2).
    ASSERT_TRUE(Act(OnPanel(button_id::kMultimediaChoice), 4));

    Bytes expected = DefaultTable();
    expected[3] = 0x80;
    expected[4] = 0xCD;
    expected[5] = 0x00;
    EXPECT_TRUE(MouseHasTable(expected));
    EXPECT_EQ(List()->GetItemKeyDesc(1), LoadLanguageString(121));
}

TEST_F(ButtonsTest, ResetOfAllSendsTheDefaultSlotsAndAnEmptyKey8) {
    Start();
    SaveKeyAssignment(MakeAssignment(1, 8, kCategoryDisable, 1, 0, u"x"));
    SaveKeyAssignment(MakeAssignment(1, 3, kCategoryKeyboard, 0x04, 0x03, u"Shift+ Ctrl + A"));
    dlg->QueueTask(kTaskWriteButtonTable);
    Bytes assigned = DefaultTable();
    assigned[9] = 0x70;
    assigned[10] = 0x03;
    assigned[11] = 0x04;
    assigned[24] = 0x60;
    ASSERT_TRUE(MouseHasTable(assigned));

    ASSERT_TRUE(Act(OnPage(button_id::kResetAll)));
    EXPECT_TRUE(ShowedMessage(170));
    EXPECT_TRUE(MouseHasTable(DefaultTable()));
    EXPECT_EQ(List()->GetItemKeyDesc(3), LoadLanguageString(110));
}

TEST_F(ButtonsTest, AResetAnsweredNoChangesNothing) {
    Start();
    SaveKeyAssignment(MakeAssignment(1, 3, kCategoryDisable, 1, 0, u"x"));
    session.backend().SetModalAnswer(DUI::ModalAnswer::SecondButton());
    ASSERT_TRUE(Act(OnPage(button_id::kResetAll)));
    EXPECT_TRUE(StoredRow(3));
}

TEST_F(ButtonsTest, KeyCodeZeroIsRefusedButCanBeReset) {
    Start();
    SaveKeyAssignment(MakeAssignment(1, 0, kCategoryMouse, 3, 0, u"x"));
    SelectButton(0);
    ASSERT_TRUE(Act(OnPanel(button_id::kMouseChoice), 2));
    EXPECT_TRUE(ShowedMessage(175));
    // The panel shows the function the button keeps.
    EXPECT_EQ(ShownFunction(), InList(button_id::kMouseChoice, 3));
    ASSERT_TRUE(Act(OnPanel(button_id::kDisable)));
    EXPECT_EQ(ShownFunction(), InList(button_id::kMouseChoice, 3));
    ASSERT_TRUE(Act(OnPanel(button_id::kOpenCombination)));
    EXPECT_FALSE(OnPanel(button_id::kCapturedKey)->IsVisible());

    ASSERT_TRUE(Act(OnPanel(button_id::kResetButton)));
    EXPECT_FALSE(StoredRow(0));
}

TEST_F(ButtonsTest, DisableOnKey3ChecksItsSwitchAndSendsItsSlot) {
    Start();
    SelectButton(3);
    ASSERT_TRUE(Act(OnPanel(button_id::kDisable)));
    EXPECT_TRUE(PanelAs<DUI::MButton2>(button_id::kDisable)->GetCheck());
    Bytes expected = DefaultTable();
    expected[9] = 0x60;
    expected[10] = 0x00;
    EXPECT_TRUE(MouseHasTable(expected));
}

TEST_F(ButtonsTest, KeyCaptureIgnoresModifiersAndAppliesTheTickedOnes) {
    Start();
    SelectButton(2);
    ASSERT_TRUE(Act(OnPanel(button_id::kOpenCombination)));
    auto* field = PanelAs<DUI::MEdit>(button_id::kCapturedKey);
    ASSERT_TRUE(field->IsShown());
    ASSERT_TRUE(Focus(field, true));
    EXPECT_TRUE(dlg->key_capture.armed.load());
    EXPECT_EQ(dlg->key_capture.mode.load(), 10);

    Key(KEY_LEFTCTRL, true);
    Key(KEY_LEFTCTRL, false);
    EXPECT_EQ(field->GetTitle(), u"");
    ASSERT_TRUE(Act(OnPanel(button_id::kCtrl)));  // Ctrl
    Key(KEY_A, true);
    Key(KEY_A, false);
    EXPECT_EQ(field->GetTitle(), u"A");
    ASSERT_TRUE(Act(OnPanel(button_id::kApplyCombination)));

    EXPECT_EQ(List()->GetItemKeyDesc(2), u"Ctrl + A");
    EXPECT_TRUE(field->IsVisible());  // the panel stays open
    Bytes expected = DefaultTable();
    expected[6] = 0x70;
    expected[7] = 0x01;
    expected[8] = 0x04;
    EXPECT_TRUE(MouseHasTable(expected));

    ASSERT_TRUE(Focus(field, false));
    EXPECT_FALSE(dlg->key_capture.armed.load());
    Key(KEY_B, true);
    EXPECT_EQ(field->GetTitle(), u"A");
}

TEST_F(ButtonsTest, RepeatFieldsShowTheNumbersKept) {
    Start();
    SelectButton(4);
    ASSERT_TRUE(Act(OnPanel(button_id::kOpenRepeat)));
    auto* first = PanelAs<DUI::MEdit>(button_id::kRepeatFirst);
    auto* second = PanelAs<DUI::MEdit>(button_id::kRepeatSecond);
    EXPECT_EQ(first->GetTitle(), u"5");
    EXPECT_EQ(second->GetTitle(), u"1");
    ASSERT_TRUE(Focus(first, true));
    ASSERT_TRUE(DUI::HeadlessBackend::Type(*dlg, button_id::kRepeatFirst, u"3"));
    ASSERT_TRUE(Focus(first, false));
    EXPECT_EQ(first->GetTitle(), u"5");
    ASSERT_TRUE(Focus(second, true));
    ASSERT_TRUE(DUI::HeadlessBackend::Type(*dlg, button_id::kRepeatSecond, u"999"));
    ASSERT_TRUE(Focus(second, false));
    EXPECT_EQ(second->GetTitle(), u"255");

    ASSERT_TRUE(Act(OnPanel(button_id::kApplyRepeat)));
    EXPECT_EQ(List()->GetItemKeyDesc(4), LoadLanguageString(182));
    EXPECT_TRUE(PanelAs<DUI::MButton2>(button_id::kOpenRepeat)->GetCheck());

    // Applied without leaving the fields, the numbers kept are shown.
    ASSERT_TRUE(Focus(first, true));
    ASSERT_TRUE(DUI::HeadlessBackend::Type(*dlg, button_id::kRepeatFirst, u"300"));
    ASSERT_TRUE(DUI::HeadlessBackend::Type(*dlg, button_id::kRepeatSecond, u"7"));
    ASSERT_TRUE(Act(OnPanel(button_id::kApplyRepeat)));
    EXPECT_EQ(first->GetTitle(), u"255");
    EXPECT_EQ(second->GetTitle(), u"7");
    Bytes expected = DefaultTable();
    expected[12] = 0x30;
    expected[13] = 0xFF;
    expected[14] = 0x07;
    EXPECT_TRUE(MouseHasTable(expected));
}

TEST_F(ButtonsTest, AMacroAssignmentChecksTheMacroChoice) {
    Start();
    const int macro = AddMacro(u"Custom1");
    ASSERT_GT(macro, 0);
    // The macro page keeps this choice in step with the macros.
    auto* choice = PanelAs<DUI::MComboBox2>(button_id::kMacroChoice);
    choice->AddItem(u"Other", macro + 1);
    choice->AddItem(u"Custom1", macro);
    SaveKeyAssignment(MakeAssignment(1, 2, kCategoryMacro, macro, 0, u"Custom1"));
    SelectButton(2);
    EXPECT_TRUE(choice->GetCheck());
    EXPECT_EQ(choice->GetCurData(), macro);
    EXPECT_FALSE(PanelAs<DUI::MComboBox2>(button_id::kMouseChoice)->GetCheck());

    SelectButton(1);
    EXPECT_FALSE(choice->GetCheck());
    EXPECT_TRUE(PanelAs<DUI::MComboBox2>(button_id::kMouseChoice)->GetCheck());
}

TEST_F(ButtonsTest, TheListShowsStoredRowsAfterReadsAndInTheNewLanguage) {
    Start();
    SelectButton(3);
    SaveKeyAssignment(MakeAssignment(1, 4, kCategoryMultimedia, 1, 0, u"stored"));
    SaveKeyAssignment(MakeAssignment(1, 5, kCategoryDpi, 1, 0, u"DPI +"));
    // A profile switch refreshes the pages and writes everything.
    dlg->QueueTask(kTaskWriteEverything);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(List()->GetItemKeyDesc(4), LoadLanguageString(120));
    EXPECT_EQ(List()->GetItemKeyDesc(5), u"DPI +");
    EXPECT_EQ(List()->GetItemKeyDesc(0), LoadLanguageString(106));
    EXPECT_EQ(List()->GetCurSel(), 0);
    Bytes expected = DefaultTable();
    expected[12] = 0x80;
    expected[13] = 0x83;
    expected[14] = 0x01;
    expected[16] = 0x02;
    EXPECT_EQ(ButtonTable(), expected);

    ChangeLanguage(2052);
    session.ProcessPending();
    EXPECT_NE(LoadLanguageString(120), u"Media player");
    EXPECT_EQ(List()->GetItemKeyDesc(4), LoadLanguageString(120));
    EXPECT_EQ(List()->GetItemKeyDesc(0), LoadLanguageString(106));
}

TEST_F(ButtonsTest, OnlyTheListOfTheButtonsFunctionShowsAnItem) {
    Start();
    // Factory functions: right button, the DPI cycle, a special function.
    SelectButton(1);
    EXPECT_EQ(ShownFunction(), InList(73, 3));
    SelectButton(5);
    EXPECT_EQ(ShownFunction(), InList(81, 3));
    SelectButton(6);
    EXPECT_EQ(ShownFunction(), InList(83, 1));

    SelectButton(2);
    ASSERT_TRUE(Act(OnPanel(75), 4));
    EXPECT_EQ(ShownFunction(), InList(75, 2));
    ASSERT_TRUE(Act(OnPanel(79, 1), 0));
    EXPECT_EQ(ShownFunction(), InList(79, 1));
    ASSERT_TRUE(Act(OnPanel(89)));
    EXPECT_EQ(ShownFunction(), OnSwitch(89));

    SelectButton(3);
    ASSERT_TRUE(Act(OnPanel(87)));
    ASSERT_TRUE(Act(OnPanel(106)));
    EXPECT_EQ(ShownFunction(), OnSwitch(87));
    SelectButton(4);
    SaveKeyAssignment(MakeAssignment(1, 4, kCategoryKeyboard, 0x04, 0x01, u"Ctrl + A"));
    SelectButton(4);
    EXPECT_EQ(ShownFunction(), OnSwitch(85));
    SelectButton(3);
    EXPECT_EQ(ShownFunction(), OnSwitch(87));
}

TEST_F(ButtonsTest, TheListsShowTheFunctionAfterAProfileSwitchAResetAndARestart) {
    Start();
    const int macro = AddMacro(u"Custom1");
    ASSERT_GT(macro, 0);
    AddMacro(u"Custom2");
    SaveKeyAssignment(MakeAssignment(1, 2, kCategoryMacro, macro, 0, u"Custom1"));
    SaveKeyAssignment(MakeAssignment(2, 3, kCategoryMultimedia, 7, 0, u"x"));

    Restart();
    SelectButton(2);
    EXPECT_EQ(ShownFunction(), InList(77, macro));
    // After the refresh the first button is the selected one.
    dlg->QueueTask(kTaskWriteEverything);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(ShownFunction(), InList(73, 1));

    dlg->Device().current_profile = 2;
    dlg->QueueTask(kTaskWriteEverything);
    ASSERT_TRUE(Settled());
    SelectButton(3);
    EXPECT_EQ(ShownFunction(), InList(75, 7));
    SelectButton(2);
    EXPECT_EQ(ShownFunction(), InList(73, 2));

    dlg->Device().current_profile = 1;
    SelectButton(2);
    ASSERT_TRUE(Act(OnPanel(71)));  // reset of this button
    EXPECT_EQ(ShownFunction(), InList(73, 2));
}

}  // namespace
}  // namespace tessaly::test
