// Sequences of macro page actions on the whole program that must leave every
// macro's events, names and the buttons that play them as the user set them.

#include <linux/input-event-codes.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/task.h"
#include "buttons/assignment_model.h"
#include "controller/worker_fixture.h"
#include "device/hid_trace.h"
#include "macros/macro_event_list.h"
#include "macros/macro_event_texts.h"
#include "platform/raw_keyboard_input.h"
#include "storage/key_table.h"
#include "storage/macro_table.h"
#include "ui/ids/button_page_ids.h"
#include "ui/ids/macro_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/dui.h"
#include "ui/toolkit/menu_wnd.h"

namespace tessaly::test {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kButton = 5;

class MacroFlowsTest : public WorkerTest {
  protected:
    void SetUp() override {
        WorkerTest::SetUp();
        trace_path = (user.path() / "hid.trace").string();
        ASSERT_TRUE(SetHidTraceFile(trace_path));
    }
    void TearDown() override {
        SetMacroEventWriteProbe(nullptr);
        SetHidTraceFile("");
        WorkerTest::TearDown();
    }
    void Start(bool cable = true) {
        Plug(cable, !cable);
        Open();
        ASSERT_TRUE(Connected());
        dlg->ShowDevicePages();
        ShowTab(main_id::kMacroTab);
    }
    void ShowTab(int index) {
        dlg->tab_ctrl->SelectItem(index);
        session.ProcessPending();
    }
    DUI::MControl* OnMacroPage(int id) { return ui::FindInPage(*dlg, dlg->macro_page, id); }
    template <typename T>
    T* MacroPageAs(int id) {
        return dynamic_cast<T*>(OnMacroPage(id));
    }
    DUI::MacroList* Macros() { return MacroPageAs<DUI::MacroList>(156); }
    void Event(int id, int event = DUI::kEventActivated, intptr_t param = 0) {
        auto* control = OnMacroPage(id);
        ASSERT_NE(control, nullptr);
        DUI::Toolkit::Get().DeliverControlEvent(*control, event, param);
        session.ProcessPending();
    }
    // A new macro from the page, selected; its id.
    int NewMacro() {
        Event(157);
        return static_cast<int>(Macros()->GetCurData());
    }
    void SelectMacro(int index) {
        Macros()->SelectItem(index);
        Event(156);
    }
    void ChooseFromMenu(int item) {
        DUI::MenuWnd* menu = DUI::HeadlessBackend::OpenMenu();
        ASSERT_NE(menu, nullptr);
        DUI::Toolkit::Get().DeliverMenuChoice(*menu, item);
        session.ProcessPending();
    }
    static std::vector<MacroEvent> StoredEvents(int macro) {
        std::vector<MacroEvent> events;
        ListMacroEvents(macro, events);
        return events;
    }
    std::vector<std::u16string> ShownTexts() {
        std::vector<std::u16string> texts;
        for (const DUI::RecordInfo& record : MacroPageAs<DUI::CRecordList>(166)->Records()) {
            texts.push_back(record.text);
        }
        return texts;
    }
    static std::vector<std::u16string> Texts(const std::vector<MacroEvent>& events) {
        std::vector<std::u16string> texts;
        for (const MacroEvent& event : events) {
            texts.push_back(event.desc);
        }
        return texts;
    }
    // The button page's macro choice picks the macro for the button.
    void ChooseForButton(int macro) {
        auto* choice = dynamic_cast<DUI::MComboBox2*>(
            ui::FindInPage(*dlg, dlg->custom_key_page, button_id::kMacroChoice));
        ASSERT_NE(choice, nullptr);
        const int item = choice->AddItem(u"Chosen", macro);
        ShowTab(main_id::kButtonTab);
        auto* list = ui::FindInPage(*dlg, dlg->button_page, button_id::kList);
        auto& toolkit = DUI::Toolkit::Get();
        toolkit.DeliverControlEvent(*list, DUI::kEventActivated, kButton);
        session.ProcessPending();
        toolkit.DeliverControlEvent(*choice, DUI::kEventActivated, item);
        session.ProcessPending();
    }
    // The written reports with the command byte, in order.
    std::vector<Bytes> Written(uint8_t command) const {
        std::ifstream in(trace_path);
        std::vector<Bytes> reports;
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string ms, kind, path, hex;
            fields >> ms >> kind >> path;
            Bytes bytes;
            while (fields >> hex) {
                bytes.push_back(static_cast<uint8_t>(std::stoi(hex, nullptr, 16)));
            }
            if (kind == "W" && bytes.size() > 5 && bytes[1] == command) {
                reports.push_back(std::move(bytes));
            }
        }
        return reports;
    }
    std::u16string KeyListText(int key_code) {
        auto* list = dynamic_cast<DUI::MouseKeyCtrl*>(
            ui::FindInPage(*dlg, dlg->button_page, button_id::kList));
        for (int i = 0; list && i < list->GetItemCount(); ++i) {
            if (list->GetItemKeyValue(i) == key_code) {
                return list->GetItemKeyDesc(i);
            }
        }
        return u"<none>";
    }
    bool Recording() {
        return MacroPageAs<DUI::CIconButton>(172)->GetTitle() ==
               LoadLanguageString(text::kStopRecording);
    }
    void RecordKeyA() {
        FeedCapturedKey(KEY_A, true, true);
        FeedCapturedKey(KEY_A, false, true);
        session.ProcessPending();
    }

    std::string trace_path;
};

TEST_F(MacroFlowsTest, DeletingAMacroShowsTheEventsOfTheOneNowSelected) {
    Start();
    const int first = NewMacro();
    MacroEventList events;
    events.InsertKeyEvents(0, 65, u"A", 100);
    SaveEventList(first, events.events());
    const int second = NewMacro();
    ASSERT_NE(first, second);

    Event(158);  // deletes the second; the first is selected
    ASSERT_EQ(Macros()->GetCurData(), first);
    EXPECT_EQ(ShownTexts(), Texts(events.events()));

    // An insert adds to the first macro's events instead of replacing them.
    Event(167);
    ChooseFromMenu(103);
    const std::vector<MacroEvent> stored = StoredEvents(first);
    ASSERT_EQ(stored.size(), events.events().size() + 1);
    EXPECT_EQ(stored.front().desc, u"\u2193  A");
    EXPECT_EQ(stored.back().type, kEventDelay);
}

TEST_F(MacroFlowsTest, AnEditTheStoreRefusesLeavesThePageShowingWhatIsStored) {
    Start();
    const int macro = NewMacro();
    Event(167);
    ChooseFromMenu(105);  // a left click: four events
    const std::vector<std::u16string> stored = Texts(StoredEvents(macro));
    ASSERT_EQ(stored.size(), 4u);

    // Every event row written from now on fails, as on a full disk.
    SetMacroEventWriteProbe([] { return false; });
    MacroPageAs<DUI::CRecordList>(166)->SelectItem(0);
    Event(168);
    Event(167);
    ChooseFromMenu(103);
    SetMacroEventWriteProbe(nullptr);
    EXPECT_EQ(Texts(StoredEvents(macro)), stored);
    EXPECT_EQ(ShownTexts(), stored);
}

TEST_F(MacroFlowsTest, TheEventMenuMovesTheSelectedEventWhereItsItemSays) {
    Start();
    const int macro = NewMacro();
    Event(macro_id::kInsert);
    ChooseFromMenu(macro_id::kLeftClickItem);
    Event(macro_id::kInsert);
    ChooseFromMenu(macro_id::kInsertDelayItem);
    const size_t count = StoredEvents(macro).size();
    ASSERT_GE(count, 3u);
    // The click's press is the one event of its kind.
    const auto press_at = [&] {
        const std::vector<MacroEvent> stored = StoredEvents(macro);
        for (size_t i = 0; i < stored.size(); ++i) {
            if (stored[i].type == kEventMousePress) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    auto* events = MacroPageAs<DUI::CRecordList>(macro_id::kEventList);
    const auto move = [&](int item) {
        events->SelectItem(press_at());
        Event(macro_id::kEventList, DUI::kEventSecondary);
        ChooseFromMenu(item);
        return press_at();
    };
    const int last = static_cast<int>(count) - 1;
    EXPECT_EQ(move(macro_id::kMoveToBottomItem), last);
    EXPECT_EQ(move(macro_id::kMoveUpItem), last - 1);
    EXPECT_EQ(move(macro_id::kMoveToTopItem), 0);
    EXPECT_EQ(move(macro_id::kMoveDownItem), 1);
    EXPECT_EQ(StoredEvents(macro).size(), count);
}

TEST_F(MacroFlowsTest, EveryButtonChoiceGivesTheBitItsTextNames) {
    struct Item {
        int text;
        int bit;
        std::u16string_view name;
    };
    constexpr Item kItems[] = {
        {106, kMouseButtonLeft, u"LB"},       {107, kMouseButtonRight, u"RB"},
        {108, kMouseButtonMiddle, u"MB"},     {109, kMouseButtonForward, u"Forward"},
        {110, kMouseButtonBack, u"Backward"},
    };
    Start();
    const int macro = NewMacro();
    MacroEventList events;
    events.InsertMouseClick(0, kMouseButtonLeft, 100);
    SaveEventList(macro, events.events());
    Event(156);
    auto* buttons = MacroPageAs<DUI::MComboBox>(188);
    ASSERT_EQ(buttons->GetItemCount(), static_cast<int>(std::size(kItems)));

    for (int index = 0; index < static_cast<int>(std::size(kItems)); ++index) {
        const Item& item = kItems[index];
        SCOPED_TRACE(item.text);
        EXPECT_EQ(buttons->GetItemText(index), LoadLanguageString(item.text));
        Event(166, DUI::kEventActivated, 0);
        Event(188, DUI::kEventActivated, index);
        const std::vector<MacroEvent> stored = StoredEvents(macro);
        ASSERT_EQ(stored.size(), 4u);
        EXPECT_EQ(stored[0].value, item.bit);
        EXPECT_EQ(stored[2].value, item.bit);
        EXPECT_EQ(stored[0].desc, u"\u2193  " + std::u16string(item.name));
        EXPECT_EQ(stored[2].desc, u"\u2191  " + std::u16string(item.name));
        // And back: the editor opened on the click selects the same item.
        Event(166, DUI::kEventActivated, 2);
        EXPECT_EQ(buttons->GetCurSel(), index);
    }
}

TEST_F(MacroFlowsTest, RenamingShowsTheNewNameOnTheButtonListAtOnce) {
    Start();
    const int macro = NewMacro();
    SaveKeyAssignment(MakeAssignment(1, kButton, kCategoryMacro, macro, 0, u"Old"));
    dlg->QueueTask(kTaskDeviceRemoved);  // the pages show the stored assignments
    ASSERT_TRUE(WaitFor([&] { return KeyListText(kButton) == u"Old"; }));
    ASSERT_TRUE(Settled());
    session.ProcessPending();

    DUI::Toolkit::Get().DeliverUserText(*Macros(), u"Jump");
    Event(156, DUI::kEventKillFocus);
    EXPECT_EQ(KeyListText(kButton), u"Jump");
}

TEST_F(MacroFlowsTest, AMissingMacroIsNotSentAndAnEmptyOneIs) {
    Start();
    const int empty = NewMacro();
    const int gone = NewMacro();
    Event(158);
    MacroInfo info;
    ASSERT_FALSE(GetMacro(gone, info));

    ChooseForButton(gone);
    ASSERT_TRUE(WaitFor([&] { return !Written(0x09).empty() && Settled(); }));
    EXPECT_TRUE(Written(0x08).empty());
    EXPECT_FALSE(mouse->State().macros.contains(kButton));
    // The button keeps its function: the slot of key code 5 as it was.
    const Bytes table = mouse->State().settings.at(0x09);
    EXPECT_EQ(table[3 * kButton], 0x40);
    EXPECT_EQ(table[3 * kButton + 1], 0x01);

    ChooseForButton(empty);
    ASSERT_TRUE(WaitFor([&] { return Written(0x09).size() == 2 && Settled(); }));
    ASSERT_EQ(Written(0x08).size(), 1u);
    EXPECT_EQ(mouse->State().macros.at(kButton), Bytes{kButton});
}

TEST_F(MacroFlowsTest, LosingTheMouseWhileRecordingSavesIntoTheRecordedMacro) {
    Start(false);
    const int first = NewMacro();
    const int second = NewMacro();
    Event(174);  // no delays
    Event(172);
    ASSERT_TRUE(Recording());
    RecordKeyA();

    mouse->SwitchMouse(false);
    ASSERT_TRUE(WaitFor([&] { return !dlg->Device().device_online.load() && !Recording(); }));
    EXPECT_FALSE(dlg->key_capture.armed.load());
    EXPECT_TRUE(dlg->tab_ctrl->IsEnabled());
    EXPECT_TRUE(dlg->GetControl(main_id::kProfile)->IsEnabled());
    EXPECT_EQ(StoredEvents(second).size(), 2u);
    EXPECT_TRUE(StoredEvents(first).empty());

    // The mouse comes back: the refill selects the first macro and touches
    // neither macro's events.
    mouse->SwitchMouse(true);
    ASSERT_TRUE(WaitFor([&] { return dlg->Device().device_online.load(); }));
    // The re-read after the link report runs while the worker listens, so
    // being settled does not yet mean the page was refilled.
    EXPECT_TRUE(WaitFor([&] {
        session.ProcessPending();
        return Settled() && Macros()->GetCurData() == first;
    }));
    ShowTab(main_id::kMacroTab);
    EXPECT_EQ(Macros()->GetCurData(), first);
    EXPECT_EQ(StoredEvents(second).size(), 2u);
    EXPECT_TRUE(StoredEvents(first).empty());
}

TEST_F(MacroFlowsTest, ARefillWhileRecordingEndsItInTheRecordedMacro) {
    Start();
    const int first = NewMacro();
    const int second = NewMacro();
    ASSERT_EQ(Macros()->GetCurData(), second);
    Event(174);
    Event(172);
    ASSERT_TRUE(Recording());
    RecordKeyA();

    dlg->QueueTask(kTaskRestoreFactorySettings);  // the factory reset refills the pages
    ASSERT_TRUE(Settled());
    session.ProcessPending();
    EXPECT_FALSE(Recording());
    EXPECT_TRUE(dlg->tab_ctrl->IsEnabled());
    EXPECT_EQ(Macros()->GetCurData(), second);
    EXPECT_EQ(StoredEvents(second).size(), 2u);
    EXPECT_TRUE(StoredEvents(first).empty());
    // Keys after the end are not recorded anywhere.
    RecordKeyA();
    EXPECT_EQ(StoredEvents(second).size(), 2u);
    EXPECT_TRUE(StoredEvents(first).empty());
}

}  // namespace
}  // namespace tessaly::test
