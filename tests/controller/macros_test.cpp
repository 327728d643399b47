// Macros on the whole program: a recorded macro chosen for a button reaches
// the virtual mouse with command 0x08 before the button table.

#include <gmock/gmock.h>
#include <linux/input-event-codes.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/task.h"
#include "base/unicode.h"
#include "buttons/assignment_model.h"
#include "controller/worker_fixture.h"
#include "device/hid_trace.h"
#include "macros/macro_event_list.h"
#include "macros/macro_event_texts.h"
#include "macros/macro_recorder.h"
#include "platform/raw_keyboard_input.h"
#include "storage/key_table.h"
#include "storage/macro_table.h"
#include "ui/ids/button_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/main/page_builders.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/dui.h"
#include "ui/toolkit/menu_wnd.h"

namespace tessaly::test {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kKeyA = 65;
constexpr int kButton = 5;

class MacrosTest : public WorkerTest {
  protected:
    void SetUp() override {
        WorkerTest::SetUp();
        trace_path = (user.path() / "hid.trace").string();
        ASSERT_TRUE(SetHidTraceFile(trace_path));
    }
    void TearDown() override {
        SetHidTraceFile("");
        WorkerTest::TearDown();
    }
    void Start() {
        Plug(true, false);
        Open();
        ASSERT_TRUE(Connected());
        dlg->ShowDevicePages();
        session.ProcessPending();
        ShowTab(main_id::kMacroTab);
    }
    // Controls take input only on the page shown.
    void ShowTab(int index) {
        dlg->tab_ctrl->SelectItem(index);
        session.ProcessPending();
    }
    // Four keys, 50 ms apart, recorded with measured delays.
    int RecordMacro(int keys, int play_times) {
        MacroInfo info;
        info.name = u"Recorded";
        info.play_times = play_times;
        info.delay_type = kDelayModeMeasured;
        const int macro = AddMacroFull(info);
        MacroEventList list;
        MacroRecorder recorder;
        recorder.Start(kDelayModeMeasured, 0, 1000);
        for (int i = 0; i < keys; ++i) {
            recorder.OnKey(list, i % 2 == 1, kKeyA, u"A", 1000 + 50 * i);
        }
        recorder.Stop(list, 1000 + 50 * keys);
        SaveEventList(macro, list.events());
        return macro;
    }
    bool Choose(int macro) {
        auto* choice = dynamic_cast<DUI::MComboBox2*>(
            ui::FindInPage(*dlg, dlg->custom_key_page, button_id::kMacroChoice));
        if (!choice) {
            return false;
        }
        const int item = choice->AddItem(u"Recorded", macro);
        ShowTab(main_id::kButtonTab);
        auto* list = ui::FindInPage(*dlg, dlg->button_page, button_id::kList);
        auto& toolkit = DUI::Toolkit::Get();
        toolkit.DeliverControlEvent(*list, DUI::kEventActivated, kButton);
        session.ProcessPending();
        toolkit.DeliverControlEvent(*choice, DUI::kEventActivated, item);
        session.ProcessPending();
        return true;
    }
    // The written reports of the given commands, in order.
    std::vector<Bytes> Written(std::initializer_list<uint8_t> commands) const {
        std::ifstream in(trace_path);
        std::vector<Bytes> reports;
        std::string line;
        while (std::getline(in, line)) {
            std::istringstream fields(line);
            std::string ms, kind, path, hex;
            fields >> ms >> kind >> path;
            if (kind != "W") {
                continue;
            }
            Bytes bytes;
            while (fields >> hex) {
                bytes.push_back(static_cast<uint8_t>(std::stoi(hex, nullptr, 16)));
            }
            if (bytes.size() > 5 &&
                std::find(commands.begin(), commands.end(), bytes[1]) != commands.end()) {
                reports.push_back(std::move(bytes));
            }
        }
        return reports;
    }
    bool TableWritten() {
        return WaitFor([&] { return mouse->State().settings.contains(0x09) && Settled(); }) &&
               !Written({0x09}).empty();
    }

    DUI::MControl* OnMacroPage(int id) { return ui::FindInPage(*dlg, dlg->macro_page, id); }
    template <typename T>
    T* MacroPageAs(int id) {
        return dynamic_cast<T*>(OnMacroPage(id));
    }
    void Act(int id) {
        auto* control = OnMacroPage(id);
        ASSERT_NE(control, nullptr);
        DUI::Toolkit::Get().DeliverControlEvent(*control, DUI::kEventActivated, 0);
        session.ProcessPending();
    }
    void Key(int linux_code, bool pressed) {
        DeliverWindowKey(linux_code, pressed, true);
        session.ProcessPending();
    }

    void Event(int id, int event, intptr_t param = 0) {
        auto* control = OnMacroPage(id);
        ASSERT_NE(control, nullptr);
        DUI::Toolkit::Get().DeliverControlEvent(*control, event, param);
        session.ProcessPending();
    }
    static std::vector<int> MenuIds() {
        std::vector<int> ids;
        if (DUI::MenuWnd* menu = DUI::HeadlessBackend::OpenMenu()) {
            for (const DUI::MenuItem& item : menu->Items()) {
                ids.push_back(item.id);
            }
        }
        return ids;
    }
    void ChooseFromMenu(int item) {
        DUI::MenuWnd* menu = DUI::HeadlessBackend::OpenMenu();
        ASSERT_NE(menu, nullptr);
        DUI::Toolkit::Get().DeliverMenuChoice(*menu, item);
        session.ProcessPending();
    }
    std::vector<int> Shown(auto field) {
        std::vector<int> values;
        for (const DUI::RecordInfo& record : MacroPageAs<DUI::CRecordList>(166)->Records()) {
            values.push_back(field(record));
        }
        return values;
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

    std::string trace_path;
};

TEST_F(MacrosTest, RecordedMacroReachesTheMouseBeforeTheTable) {
    Start();
    const int macro = RecordMacro(8, 2);
    ASSERT_TRUE(Choose(macro));
    ASSERT_TRUE(TableWritten());

    // Eight key records with 50 ms between them, the last with the trailing 50 ms.
    Bytes image = {kButton};
    for (int i = 0; i < 8; ++i) {
        const Bytes record = {static_cast<uint8_t>(i % 2 ? 0xB0 : 0x30), 50, 0x00, 0x04};
        image.insert(image.end(), record.begin(), record.end());
    }
    EXPECT_EQ(mouse->State().macros.at(kButton), image);

    const std::vector<Bytes> writes = Written({0x08, 0x09});
    ASSERT_GE(writes.size(), 3u);
    // 33 bytes of image: two packets, numbered 0 and 1 of 2, 27 and 6 bytes long.
    EXPECT_EQ(writes[0][1], 0x08);
    EXPECT_EQ(writes[0][3], 0x02);
    EXPECT_EQ(writes[0][4], 27);
    EXPECT_EQ(writes[1][1], 0x08);
    EXPECT_EQ(writes[1][3], 0x12);
    EXPECT_EQ(writes[1][4], 6);
    EXPECT_EQ(writes[2][1], 0x09);

    const Bytes table = mouse->State().settings.at(0x09);
    ASSERT_GE(table.size(), 3u * kButton + 3);
    EXPECT_EQ(table[3 * kButton], 0x90);
    EXPECT_EQ(table[3 * kButton + 1], 0x20 | kButton);
    EXPECT_EQ(table[3 * kButton + 2], 2);
}

// Only a file can bring a macro this long: the editor stops at 200 items.
int MacroOfKeys(int count) {
    const int macro = AddMacro(u"Long");
    MacroEventList list;
    for (int i = 0; i < count; ++i) {
        list.Append(i % 2 ? kEventKeyRelease : kEventKeyPress, kKeyA, u"A", i);
    }
    SaveEventList(macro, list.events());
    return macro;
}

TEST_F(MacrosTest, MacroTooLongForTheMouseIsRefusedWhenChosen) {
    Start();
    const int too_long = MacroOfKeys(102);
    const int longest = MacroOfKeys(101);
    SaveKeyAssignment(MakeAssignment(1, kButton, kCategoryDisable, 1, 0, u"Disable"));

    ASSERT_TRUE(Choose(too_long));
    ASSERT_TRUE(Settled());
    EXPECT_TRUE(ShowedMessage(text::kMacroTooLongForButton));
    auto* disable = dynamic_cast<DUI::MButton2*>(
        ui::FindInPage(*dlg, dlg->custom_key_page, button_id::kDisable));
    ASSERT_NE(disable, nullptr);
    EXPECT_TRUE(disable->GetCheck()) << "the panel shows the function kept";
    EXPECT_TRUE(Written({0x08, 0x09}).empty()) << "nothing queued for a refused macro";
    EXPECT_FALSE(mouse->State().macros.contains(kButton));

    ASSERT_TRUE(Choose(longest));
    ASSERT_TRUE(TableWritten());
    // 101 records and the key code.
    ASSERT_TRUE(mouse->State().macros.contains(kButton));
    EXPECT_EQ(mouse->State().macros.at(kButton).size(), 1u + 4 * 101);
}

TEST_F(MacrosTest, MacroRecordedOnThePageReachesTheMouse) {
    Start();
    auto* list = MacroPageAs<DUI::MacroList>(156);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetItemCount(), 0);
    Act(157);
    ASSERT_EQ(list->GetItemCount(), 1);
    EXPECT_EQ(list->GetItemText(0), LoadLanguageString(351) + u" 1");
    const int macro = static_cast<int>(list->GetCurData());
    ASSERT_GT(macro, 0);

    Act(174);  // no delays, so the clock does not matter
    Act(172);
    auto* record = MacroPageAs<DUI::CIconButton>(172);
    EXPECT_EQ(record->GetTitle(), LoadLanguageString(359));
    EXPECT_FALSE(OnMacroPage(157)->IsEnabled());
    EXPECT_FALSE(dlg->tab_ctrl->IsEnabled());
    EXPECT_FALSE(dlg->GetControl(main_id::kProfile)->IsEnabled());
    // Keys from any keyboard the capture reads.
    FeedCapturedKey(KEY_A, true, true);
    FeedCapturedKey(KEY_A, false, true);
    session.ProcessPending();
    Act(172);
    EXPECT_EQ(record->GetTitle(), LoadLanguageString(358));
    EXPECT_TRUE(OnMacroPage(157)->IsEnabled());
    EXPECT_TRUE(dlg->tab_ctrl->IsEnabled());
    EXPECT_TRUE(dlg->GetControl(main_id::kProfile)->IsEnabled());
    FeedCapturedKey(KEY_B, true, true);  // no longer recorded
    session.ProcessPending();

    std::vector<MacroEvent> events;
    ASSERT_EQ(ListMacroEvents(macro, events), 2);
    EXPECT_EQ(events[0].type, kEventKeyPress);
    EXPECT_EQ(events[0].value, kKeyA);
    EXPECT_EQ(events[1].type, kEventKeyRelease);
    EXPECT_EQ(MacroPageAs<DUI::CRecordList>(166)->GetEventCount(), 2);

    ASSERT_TRUE(Choose(macro));
    ASSERT_TRUE(TableWritten());
    const Bytes image = {kButton, 0x30, 0x01, 0x00, 0x04, 0xB0, 0x01, 0x00, 0x04};
    EXPECT_EQ(mouse->State().macros.at(kButton), image);
}

TEST_F(MacrosTest, RecordingOnlyThisWindowSaysSoOnce) {
    bool keyboards_readable = false;
    {
        KeyboardCapture probe(KeyboardSource::kAllKeyboards);
        keyboards_readable = probe.ReadsAllKeyboards();
    }
    Start();
    Act(157);
    for (int round = 0; round < 2; ++round) {
        Act(172);
        Act(172);
    }
    int notices = 0;
    for (const DUI::ModalRecord& run : session.backend().ModalRuns()) {
        for (const std::u16string& shown : run.texts) {
            notices += shown == LoadLanguageString(text::kRecordingWindowOnly) ? 1 : 0;
        }
    }
    EXPECT_EQ(notices, keyboards_readable ? 0 : 1);
}

TEST_F(MacrosTest, PageShowsStoredMacrosAndEditsThem) {
    MacroInfo info;
    info.name = u"Custom 2";
    info.play_times = 1;
    info.delay_type = kDelayModeFixed;
    info.delay_time = 25;
    Start();
    const int first = AddMacroFull(info);
    info.name = u"Second";
    const int second = AddMacroFull(info);
    MacroEventList list;
    list.InsertDelay(0, 1);
    list.InsertDelay(1, 2);
    SaveEventList(first, list.events());
    dlg->QueueTask(kTaskDeviceRemoved);  // a reconnect refreshes the pages
    ASSERT_TRUE(WaitFor([&] { return MacroPageAs<DUI::MacroList>(156)->GetItemCount() == 2; }));
    ASSERT_TRUE(Settled());
    session.ProcessPending();

    auto* macros = MacroPageAs<DUI::MacroList>(156);
    ASSERT_EQ(macros->GetItemCount(), 2);
    EXPECT_EQ(macros->GetItemText(0), LoadLanguageString(351) + u" 2");
    EXPECT_TRUE(MacroPageAs<DUI::CRadioButton>(176)->GetCheck());
    EXPECT_EQ(MacroPageAs<DUI::MEdit>(178)->GetTitle(), u"25");
    EXPECT_EQ(MacroPageAs<DUI::CRecordList>(166)->GetEventCount(), 2);

    // The play count field is clamped when it loses the focus: to 255, as
    // the virtual mouse's identifier is above 200.
    Act(183);
    auto* count = MacroPageAs<DUI::MEdit>(184);
    EXPECT_TRUE(count->IsEnabled());
    ASSERT_TRUE(DUI::Toolkit::Get().DeliverFocus(*count, true));
    count->SetTitle(u"5000");
    DUI::Toolkit::Get().DeliverFocus(*count, false);
    session.ProcessPending();
    EXPECT_EQ(count->GetTitle(), u"255");
    MacroInfo stored;
    ASSERT_TRUE(GetMacro(first, stored));
    EXPECT_EQ(stored.play_type, 0);
    EXPECT_EQ(stored.play_times, 255);
    EXPECT_EQ(stored.delay_time, 25);

    // The fixed delay field: clamped, and the value becomes its tooltip.
    auto* fixed = MacroPageAs<DUI::MEdit>(178);
    ASSERT_TRUE(DUI::Toolkit::Get().DeliverFocus(*fixed, true));
    fixed->SetTitle(u"0");
    DUI::Toolkit::Get().DeliverFocus(*fixed, false);
    session.ProcessPending();
    EXPECT_EQ(fixed->GetTitle(), u"1");
    EXPECT_EQ(fixed->GetTooltip(), u"1");
    ASSERT_TRUE(GetMacro(first, stored));
    EXPECT_EQ(stored.delay_time, 1);

    Act(169);
    std::vector<MacroEvent> events;
    EXPECT_EQ(ListMacroEvents(first, events), 0);

    // Deleting selects the entry before it.
    macros->SelectItem(1);
    Act(158);
    EXPECT_EQ(macros->GetItemCount(), 1);
    EXPECT_EQ(macros->GetCurData(), first);
    EXPECT_FALSE(GetMacro(second, stored));
}

TEST_F(MacrosTest, MenusInsertMoveAndTransferMacros) {
    Start();
    // Without a macro the macro menu offers the import only.
    Event(156, 5);
    EXPECT_THAT(MenuIds(), ::testing::ElementsAre(101));
    Act(157);
    auto* macros = MacroPageAs<DUI::MacroList>(156);
    const int macro = static_cast<int>(macros->GetCurData());

    Act(167);
    EXPECT_THAT(MenuIds(), ::testing::ElementsAre(105, 106, 107, 101, 103));
    ChooseFromMenu(107);  // right button
    Act(167);
    ChooseFromMenu(103);  // a delay at the end
    auto type = [](const DUI::RecordInfo& r) { return r.type; };
    auto value = [](const DUI::RecordInfo& r) { return r.value; };
    EXPECT_EQ(Shown(type), (std::vector<int>{4, 1, 5, 1, 1}));
    EXPECT_EQ(Shown(value), (std::vector<int>{2, 10, 2, 10, 10}));

    // The event list menu moves the selected event to the top.
    MacroPageAs<DUI::CRecordList>(166)->SelectItem(2);
    Event(166, 9);
    EXPECT_THAT(MenuIds(), ::testing::ElementsAre(100, 101, 102, 103));
    ChooseFromMenu(100);
    EXPECT_EQ(Shown(type), (std::vector<int>{5, 4, 1, 1, 1}));
    std::vector<MacroEvent> stored;
    ASSERT_EQ(ListMacroEvents(macro, stored), 5);
    EXPECT_EQ(stored[0].type, kEventMouseRelease);

    // Export through the file dialog, then import the file back.
    const std::u16string path = FromUtf8((user.path() / "one.xml").string());
    session.backend().SetFileAnswer(path);
    Event(156, 5);
    EXPECT_THAT(MenuIds(), ::testing::ElementsAre(101, 102, 105, 106));
    ChooseFromMenu(102);
    ASSERT_TRUE(std::filesystem::exists(ToUtf8(path)));
    Event(156, 5);
    ChooseFromMenu(101);
    ASSERT_EQ(macros->GetItemCount(), 2);
    // The file carries the shown name, which the import keeps.
    EXPECT_EQ(macros->GetItemText(1), macros->GetItemText(0));
    ASSERT_EQ(ListMacroEvents(static_cast<int>(macros->GetItemData(1)), stored), 5);
    EXPECT_EQ(stored[0].type, kEventMouseRelease);

    // A cancelled dialog does nothing.
    session.backend().SetFileAnswer(std::nullopt);
    Event(156, 5);
    ChooseFromMenu(105);
    EXPECT_EQ(macros->GetItemCount(), 2);
}

TEST_F(MacrosTest, TheImportAndExportButtonOffersTheMacroMenu) {
    Start();
    auto* files = OnMacroPage(236);
    ASSERT_NE(files, nullptr);
    EXPECT_TRUE(files->IsVisible());
    Act(236);
    EXPECT_THAT(MenuIds(), ::testing::ElementsAre(101));
    // It opens above itself, inside the window.
    const DUI::Rect button = files->GetRect();
    const DUI::Rect menu = DUI::HeadlessBackend::OpenMenu()->GetWindowRect();
    const DUI::Point above = dlg->ClientToScreen({button.left, button.top});
    EXPECT_EQ(menu.left, above.x);
    EXPECT_EQ(menu.bottom, above.y);
    ChooseFromMenu(0);

    Act(157);
    auto* macros = MacroPageAs<DUI::MacroList>(156);
    Act(167);
    ChooseFromMenu(103);
    const std::u16string path = FromUtf8((user.path() / "both.xml").string());
    session.backend().SetFileAnswer(path);
    Act(236);
    EXPECT_THAT(MenuIds(), ::testing::ElementsAre(101, 102, 105, 106));
    ChooseFromMenu(102);
    ASSERT_TRUE(std::filesystem::exists(ToUtf8(path)));
    Act(236);
    ChooseFromMenu(101);
    EXPECT_EQ(macros->GetItemCount(), 2);

    // Not while recording: the page is locked but for the record button.
    Act(172);
    EXPECT_FALSE(files->IsEnabled());
    Act(172);
    EXPECT_TRUE(files->IsEnabled());
}

TEST_F(MacrosTest, TheEventListsColumnsLieUnderTheirCaptions) {
    Start();
    for (float scale : {1.0f, 1.23f}) {
        ui::LayoutMacroPage(*dlg, dlg->GetClientRect(), scale);
        const DUI::Rect number = OnMacroPage(163)->GetRect();
        const DUI::Rect event = OnMacroPage(164)->GetRect();
        const DUI::Rect list = OnMacroPage(166)->GetRect();
        const std::array<int, 2> columns = MacroPageAs<DUI::CRecordList>(166)->GetColumns();
        EXPECT_EQ(list.left + columns[0], event.left) << scale;
        EXPECT_EQ(list.left + columns[0] + columns[1], event.right) << scale;
        EXPECT_EQ(number.left, list.left) << scale;
    }
}

TEST_F(MacrosTest, ImportTellsOnlyWhenNoValueOfTheFileIsUsable) {
    Start();
    auto* macros = MacroPageAs<DUI::MacroList>(156);
    const auto import = [&](const std::string& name, const std::string& settings) {
        const std::string file = (user.path() / name).string();
        std::ofstream(file, std::ios::binary)
            << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n<macroinfo "
               "macro_name=\"F\" "
            << settings << "/>\r\n</macro>\r\n";
        session.backend().SetFileAnswer(FromUtf8(file));
        Event(156, 5);
        ChooseFromMenu(101);
    };
    // One refused value of four: the macro comes in and nothing is shown.
    import("some.xml", "macro_type=\"0\" play_times=\"5000\" delay_type=\"1\" delay_time=\"0\"");
    EXPECT_EQ(macros->GetItemCount(), 1);
    EXPECT_FALSE(ShowedMessage(text::kMacroFileAllRefused));
    import("none.xml", "macro_type=\"8\" play_times=\"0\" delay_type=\"5\" delay_time=\"-3\"");
    EXPECT_EQ(macros->GetItemCount(), 1);
    EXPECT_TRUE(ShowedMessage(text::kMacroFileAllRefused));
}

TEST_F(MacrosTest, EventEditorChangesDelaysButtonsAndKeys) {
    Start();
    Act(157);
    const int macro = static_cast<int>(MacroPageAs<DUI::MacroList>(156)->GetCurData());
    MacroEventList list;
    list.InsertMouseClick(0, kMouseButtonLeft, 100);
    list.InsertKeyEvents(list.size(), kKeyA, u"A", 200);
    list.SetDelay(1, 150);
    SaveEventList(macro, list.events());
    Event(156, DUI::kEventActivated);  // shown again from the store
    auto* events = MacroPageAs<DUI::CRecordList>(166);
    ASSERT_EQ(events->GetEventCount(), 8);
    auto* field = MacroPageAs<DUI::MEdit>(187);
    auto& toolkit = DUI::Toolkit::Get();

    // A delay: typed 20000, stored as the largest delay.
    Event(166, DUI::kEventActivated, 1);
    EXPECT_TRUE(field->IsVisible());
    EXPECT_EQ(field->GetTitle(), u"150");
    ASSERT_TRUE(toolkit.DeliverFocus(*field, true));
    field->SetTitle(u"20000");
    toolkit.DeliverFocus(*field, false);
    session.ProcessPending();
    EXPECT_EQ(field->GetTitle(), u"10000");
    std::vector<MacroEvent> stored;
    ListMacroEvents(macro, stored);
    EXPECT_EQ(stored[1].value, 10000);
    EXPECT_EQ(stored[1].desc, u"10000 ms");

    // A click: the choice with data 5 is the forward button.
    Event(166, DUI::kEventActivated, 0);
    auto* buttons = MacroPageAs<DUI::MComboBox>(188);
    EXPECT_TRUE(buttons->IsVisible());
    EXPECT_FALSE(field->IsVisible());
    EXPECT_EQ(buttons->GetCurData(), 1);
    Event(188, DUI::kEventActivated, 3);  // the item with data 5
    ListMacroEvents(macro, stored);
    EXPECT_EQ(stored[0].value, kMouseButtonForward);
    EXPECT_EQ(stored[0].desc, u"\u2193  Forward");
    EXPECT_EQ(stored[2].desc, u"\u2191  Forward");

    // A key: captured while the field has the focus.
    Event(166, DUI::kEventActivated, 6);  // the release of A
    EXPECT_TRUE(field->IsVisible());
    ASSERT_TRUE(toolkit.DeliverFocus(*field, true));
    session.ProcessPending();
    EXPECT_EQ(dlg->key_capture.mode.load(), 12);
    Key(KEY_B, true);
    Key(KEY_B, false);
    EXPECT_EQ(field->GetTitle(), u"B");
    toolkit.DeliverFocus(*field, false);
    session.ProcessPending();
    ListMacroEvents(macro, stored);
    EXPECT_EQ(stored[4].value, 66);
    EXPECT_EQ(stored[4].desc, u"\u2193  B");
    EXPECT_EQ(stored[6].value, 66);
    EXPECT_EQ(stored[6].desc, u"\u2191  B");
}

TEST_F(MacrosTest, KeyDialogInsertsTheCapturedKeyOnlyOnOk) {
    Start();
    Act(157);
    const int macro = static_cast<int>(MacroPageAs<DUI::MacroList>(156)->GetCurData());
    int end_button = 35;
    std::u16string shown;
    session.backend().SetModalPolicy([&](DUI::MWindow& opened) {
        auto& window = dynamic_cast<DUI::MDialog&>(opened);
        Key(KEY_C, true);
        Key(KEY_C, false);
        if (auto* field = dynamic_cast<DUI::MEdit*>(DUI::HeadlessBackend::Find(window, 34))) {
            shown = field->GetTitle();
        }
        if (auto* button = DUI::HeadlessBackend::Find(window, end_button)) {
            DUI::Toolkit::Get().DeliverControlEvent(*button, DUI::kEventActivated, 0);
        }
        return DUI::ModalAnswer::None();
    });
    Act(167);
    ChooseFromMenu(101);
    EXPECT_EQ(shown, u"C");
    std::vector<MacroEvent> stored;
    ASSERT_EQ(ListMacroEvents(macro, stored), 4);
    EXPECT_EQ(stored[0].value, 67);
    EXPECT_EQ(stored[0].desc, u"\u2193  C");
    EXPECT_EQ(stored[2].type, kEventKeyRelease);
    EXPECT_EQ(stored[0].delay_time, stored[2].delay_time);

    // The close box inserts nothing, even with a key captured.
    end_button = 32;
    Act(167);
    ChooseFromMenu(101);
    EXPECT_EQ(ListMacroEvents(macro, stored), 4);
    EXPECT_FALSE(dlg->key_capture.armed.load());
}

TEST_F(MacrosTest, RenamingFollowsAssignmentsAndRecordingNeedsAMacro) {
    Start();
    // Without a macro, recording does not start.
    Act(172);
    EXPECT_FALSE(dlg->key_capture.armed.load());
    EXPECT_TRUE(ShowedMessage(387));

    Act(157);
    auto* macros = MacroPageAs<DUI::MacroList>(156);
    const int macro = static_cast<int>(macros->GetCurData());
    SaveKeyAssignment(MakeAssignment(1, 3, kCategoryMacro, macro, 0, u"old"));
    auto& toolkit = DUI::Toolkit::Get();

    // An empty name shows the stored one again.
    // The in-place edit: the typed text, then the end of editing (29).
    toolkit.DeliverUserText(*macros, u"");
    Event(156, DUI::kEventKillFocus);
    EXPECT_EQ(macros->GetItemText(0), LoadLanguageString(351) + u" 1");

    toolkit.DeliverUserText(*macros, u"Jump");
    Event(156, DUI::kEventKillFocus);
    EXPECT_EQ(macros->GetItemText(0), u"Jump");
    auto* choice = dynamic_cast<DUI::MComboBox2*>(
        ui::FindInPage(*dlg, dlg->custom_key_page, button_id::kMacroChoice));
    ASSERT_EQ(choice->GetItemCount(), 1);
    EXPECT_EQ(choice->GetItemText(0), u"Jump");
}

TEST_F(MacrosTest, RecordingStopsAtTheLimitAndKeepsWhatItRecorded) {
    Start();
    Act(157);
    const int macro = static_cast<int>(MacroPageAs<DUI::MacroList>(156)->GetCurData());
    MacroEventList list;
    for (int i = 0; i < 59; ++i) {
        list.Append(kEventDelay, 10, u"10 ms", i);
    }
    SaveEventList(macro, list.events());
    Event(156, DUI::kEventActivated);
    Act(174);
    Act(172);
    ASSERT_TRUE(dlg->key_capture.armed.load());
    FeedCapturedKey(KEY_A, true, true);
    session.ProcessPending();

    EXPECT_FALSE(dlg->key_capture.armed.load());
    EXPECT_EQ(MacroPageAs<DUI::CIconButton>(172)->GetTitle(), LoadLanguageString(358));
    std::vector<MacroEvent> stored;
    ASSERT_EQ(ListMacroEvents(macro, stored), 60);
    EXPECT_EQ(stored.back().type, kEventKeyPress);
    EXPECT_TRUE(ShowedMessage(386));
}

}  // namespace
}  // namespace tessaly::test
