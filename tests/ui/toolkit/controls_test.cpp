#include <gtest/gtest.h>

#include "recording_dialog.h"

namespace tessaly::DUI::test {
namespace {

using H = HeadlessBackend;

class ControlsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dialog.Open()); }
    template <typename T>
    T* Make(int id, std::u16string_view text = {}) {
        return dialog.CreateControl<T>(id, {0, 0, 50, 20}, text);
    }
    HeadlessSession session;
    RecordingDialog dialog;
};

TEST_F(ControlsTest, EveryClassNameMakesItsControl) {
    const char* names[] = {
        "MPicture",     "MText",       "MButton",      "MButton2",     "MButton3",
        "CImageButton", "CTextButton", "CIconButton",  "CCheckButton", "CRadioButton",
        "CColorButton", "MComboBox",   "MComboBox2",   "MEdit",        "NumberEdit",
        "MProgress",    "MProgress2",  "MTabCtrl",     "MTabLayout",   "CArea",
        "CRoundArea",   "BatteryCtrl", "CDeviceState", "CDeviceList",  "DPIControl",
        "DPISlider",    "LightSlider", "MPalette",     "MouseCtrl",    "MouseKeyCtrl",
        "MacroList",    "CRecordList", "ReporteCtrl",  "DListBox",     "CHelpButton"};
    for (const char* name : names) {
        MControl* control = dialog.CreateControl(name, 1, {}, u"t");
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->ClassName(), name);
    }
    EXPECT_EQ(dialog.CreateControl("MSlider", 1, {}), nullptr);
    EXPECT_NE(dynamic_cast<CDeviceList*>(dialog.CreateArea("CDeviceList", 2, {})), nullptr);
}

TEST_F(ControlsTest, RepeatedIdsFindTheFirstAndTheNth) {
    auto* picture = dialog.CreateArea("MPicture", 237, {0, 0, 10, 10});
    auto* marker = dialog.CreateArea("CRoundArea", 237, {0, 0, 10, 10});
    EXPECT_EQ(dialog.GetControl(237), picture);
    EXPECT_EQ(H::Find(dialog, 237, 1), marker);
    EXPECT_EQ(H::Find(dialog, 237, 2), nullptr);
    EXPECT_EQ(dialog.GetControlAs<CRoundArea>(237), nullptr);
    EXPECT_TRUE(picture->IsArea());
}

TEST_F(ControlsTest, CreationTextIsTheTitle) {
    auto* text = dynamic_cast<MText*>(dialog.CreateArea("MText", 35, {}, u"Tessaly"));
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetTitle(), u"Tessaly");
    text->SetFont(u"Sans", 18, 1);
    text->SetAlignment(kAlignCenter);
    text->SetTextColor(0xFF3E556D);
    EXPECT_EQ(text->GetFontName(), u"Sans");
    EXPECT_EQ(text->GetFontWidth(), 18);
    EXPECT_EQ(text->GetFontStyle(), 1);
    EXPECT_EQ(text->GetAlignment(), kAlignCenter);
    EXPECT_EQ(text->GetTextColor(), 0xFF3E556DU);
}

TEST_F(ControlsTest, UserInputReachesOnlyEnabledControlsOnScreen) {
    auto* button = Make<MButton>(38);
    auto* unplaced = dialog.CreateControl<MButton>(41, {}, u"");
    EXPECT_TRUE(H::Click(dialog, 38));
    EXPECT_FALSE(H::Click(dialog, 41)) << "never positioned, so never shown";
    EXPECT_FALSE(unplaced->IsShown());
    button->SetEnabled(false);
    EXPECT_FALSE(H::Click(dialog, 38));
    button->SetEnabled(true);
    button->SetVisible(false);
    EXPECT_FALSE(H::Click(dialog, 38));
    EXPECT_EQ(dialog.events, (std::vector<ControlEvent>{{38, 2, 0}}));
}

TEST_F(ControlsTest, CheckBoxesToggleAndRadioGroupsKeepOne) {
    auto* box = Make<CCheckButton>(281);
    H::Click(dialog, 281);
    EXPECT_TRUE(box->GetCheck()) << "the handler sees the new state";
    H::Click(dialog, 281);
    EXPECT_FALSE(box->GetCheck());

    auto* hide = Make<CRadioButton>(286);
    auto* exit = Make<CRadioButton>(287);
    auto* other = Make<CRadioButton>(129);
    hide->SetGroup(u"IDC_SET_STC_EXITMODE");
    exit->SetGroup(u"IDC_SET_STC_EXITMODE");
    other->SetGroup(u"IDC_PER_STC_LOD");
    other->SetCheck(true);
    exit->SetCheck(true);
    H::Click(dialog, 286);
    EXPECT_TRUE(hide->GetCheck());
    EXPECT_FALSE(exit->GetCheck());
    EXPECT_TRUE(other->GetCheck()) << "another group is untouched";
    exit->SetCheck(true);
    EXPECT_FALSE(hide->GetCheck()) << "checking by program also clears the group";
}

TEST_F(ControlsTest, ModifierButtonsToggleButChoiceButtonsDoNot) {
    auto* ctrl = Make<MButton3>(94);
    auto* disable = Make<MButton2>(89);
    H::Click(dialog, 94);
    H::Click(dialog, 89);
    EXPECT_TRUE(ctrl->GetCheck());
    EXPECT_FALSE(disable->GetCheck());
    disable->SetCheck(true);
    EXPECT_TRUE(disable->GetCheck());
}

TEST_F(ControlsTest, GroupedColourButtonsAreExclusive) {
    std::vector<CColorButton*> slots;
    for (int id = 218; id <= 220; ++id) {
        slots.push_back(Make<CColorButton>(id));
        slots.back()->SetGroup(u"COLORVALUE");
        slots.back()->SetColor(0xFF000000u + id);
    }
    slots[0]->SetCheck(true);
    H::Click(dialog, 220);
    EXPECT_FALSE(slots[0]->GetCheck());
    EXPECT_TRUE(slots[2]->GetCheck());
    EXPECT_EQ(slots[2]->GetColor(), 0xFF0000DCu);
}

TEST_F(ControlsTest, ComboBoxSelectsByDataAndShowsTheItem) {
    auto* combo = Make<MComboBox>(279);
    combo->AddItem(u"English", 1033);
    combo->AddItem(u"Deutsch", 1031);
    EXPECT_EQ(combo->GetCurSel(), -1);
    EXPECT_TRUE(combo->SelectData(1031));
    EXPECT_EQ(combo->GetCurSel(), 1);
    EXPECT_EQ(combo->GetTitle(), u"Deutsch");
    EXPECT_EQ(combo->GetCurData(), 1031);
    EXPECT_FALSE(combo->SelectData(2052)) << "an unlisted language selects nothing";
    EXPECT_EQ(combo->GetCurSel(), -1);
    EXPECT_EQ(combo->GetCurData(), 0);
    EXPECT_EQ(combo->GetTitle(), u"");

    H::Deliver(dialog, 279, 2, 0);
    EXPECT_EQ(dialog.events.back(), (ControlEvent{279, 2, 0}));
    EXPECT_EQ(combo->GetCurData(), 1033);
    combo->SetItemText(0, u"Englisch");
    EXPECT_EQ(combo->GetTitle(), u"Englisch");
    EXPECT_FALSE(combo->SelectItem(5));
    EXPECT_EQ(combo->GetCurSel(), 0);
}

TEST_F(ControlsTest, RemovingItemsKeepsTheSelectionOnItsItem) {
    auto* macros = Make<MacroList>(156);
    for (int id : {4, 5, 6}) {
        macros->AddItem(u"m", id);
    }
    macros->SelectItem(2);
    macros->RemoveItem(0);
    EXPECT_EQ(macros->GetCurData(), 6);
    macros->RemoveItem(1);
    EXPECT_EQ(macros->GetCurSel(), -1);
}

TEST_F(ControlsTest, InPlaceRenameReplacesTheSelectedItem) {
    auto* profiles = Make<DListBox>(31);
    profiles->AddItem(u"Profile 1", 1);
    profiles->AddItem(u"Profile 2", 2);
    EXPECT_FALSE(H::Type(dialog, 31, u"Work")) << "nothing selected";
    H::Deliver(dialog, 31, 2, 1);
    EXPECT_TRUE(H::Type(dialog, 31, u"Work"));
    EXPECT_EQ(profiles->GetItemText(1), u"Work");
    EXPECT_EQ(profiles->GetItemText(0), u"Profile 1");
}

TEST_F(ControlsTest, EditFieldsFilterWhatTheUserTypes) {
    auto* edit = Make<MEdit>(37);
    edit->SetLimitText(3);
    EXPECT_TRUE(H::Type(dialog, 37, u"25567"));
    EXPECT_EQ(edit->GetTitle(), u"255");
    auto* number = Make<NumberEdit>(139);
    H::Type(dialog, 139, u"1a2");
    EXPECT_EQ(number->GetTitle(), u"12");
    auto* capture = Make<MEdit>(93);
    capture->SetInputMode(EditMode::kCapture);
    capture->SetTitle(u"A");
    EXPECT_FALSE(H::Type(dialog, 93, u"xyz"));
    EXPECT_EQ(capture->GetTitle(), u"A");
    edit->SetTitle(u"too long for the limit");
    EXPECT_EQ(edit->GetTitle(), u"too long for the limit") << "the limit binds the user only";
}

TEST_F(ControlsTest, FocusMovesAndIsReportedOnTheUiThread) {
    auto* first = Make<MEdit>(93);
    auto* second = Make<MEdit>(187);
    EXPECT_TRUE(H::Focus(dialog, 93, true));
    EXPECT_TRUE(first->HasFocus());
    second->OnFocus(1);
    EXPECT_FALSE(first->HasFocus());
    EXPECT_EQ(dialog.GetFocusControl(), second);
    second->OnFocus(0);
    second->OnFocus(0);  // no focus to lose: nothing reported
    EXPECT_TRUE(dialog.events.empty());
    session.ProcessPending();
    EXPECT_EQ(dialog.events, (std::vector<ControlEvent>{
                                 {93, kEventSetFocus, 0},
                                 {93, kEventKillFocus, 0},
                                 {187, kEventSetFocus, 0},
                                 {187, kEventKillFocus, 0},
                             }));
}

TEST_F(ControlsTest, ProgressBarsClampAndSlidersFollowTheDrag) {
    auto* bar = Make<MProgress>(33);
    bar->SetMaxValue(16000);
    bar->SetProgress(26000);
    EXPECT_EQ(bar->GetProgress(), 16000);
    bar->SetProgress(-5);
    EXPECT_EQ(bar->GetProgress(), 0);

    auto* slider = Make<DPISlider>(117);
    slider->SetProgress(300);
    EXPECT_EQ(slider->GetProgress(), 300) << "positions unknown yet: not clamped";
    slider->SetMaxValue(184);
    EXPECT_EQ(slider->GetProgress(), 184);
    H::Deliver(dialog, 117, 1, 40);
    EXPECT_EQ(slider->GetProgress(), 40);
    EXPECT_EQ(dialog.events.back(), (ControlEvent{117, 1, 40}));
    slider->SetDPIDesc(u"50", u"26000");
    EXPECT_EQ(slider->GetDPIDesc().second, u"26000");
}

TEST_F(ControlsTest, ControlTimerAnimatesOnlyRunningBarsThatAskedForIt) {
    auto* wait = Make<MProgress2>(33);
    auto* idle = Make<MProgress2>(34);
    wait->AddMTimer(true);
    idle->AddMTimer(true);
    wait->SetRun(true, -1);
    dialog.SetMTimer(10);
    session.AdvanceTime(30);
    EXPECT_EQ(wait->GetAnimationPhase(), -3);
    EXPECT_EQ(idle->GetAnimationPhase(), 0);
    EXPECT_TRUE(dialog.timers.empty()) << "the control timer is not a dialog timer";
    dialog.SetMTimer(0);
    session.AdvanceTime(30);
    EXPECT_EQ(wait->GetAnimationPhase(), -3);
}

TEST_F(ControlsTest, TabsShowThePageOfTheSelectedItem) {
    auto* home = Make<MTabLayout>(49);
    auto* keys = Make<MTabLayout>(50);
    auto* tabs = Make<MTabCtrl>(48);
    auto* list = home->CreateChildControl<CDeviceList>(57, {0, 0, 10, 10});
    auto* sub = keys->CreateChildControl("MTabLayout", 51, {0, 0, 10, 10});
    auto* inner = dynamic_cast<MTabLayout*>(sub)->CreateChildArea("MText", 70, {0, 0, 5, 5});
    tabs->InsertItem(1, u"Home", u"icon\\tab_home.png", home);
    tabs->InsertItem(2, u"Keys", u"icon\\tab_key.png", keys);
    EXPECT_EQ(tabs->GetItemID(1), 2);
    EXPECT_EQ(tabs->GetItemID(6), -1);

    tabs->SelectItem(0);
    EXPECT_TRUE(list->IsShown());
    EXPECT_FALSE(keys->IsVisible());
    EXPECT_FALSE(inner->IsShown());
    EXPECT_EQ(list->GetParentLayout(), home);

    H::Deliver(dialog, 48, 2, 1);
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_FALSE(list->IsShown());
    EXPECT_TRUE(inner->IsShown());
    EXPECT_EQ(dialog.events.back(), (ControlEvent{48, 2, 1}));

    tabs->SetItemVisible(0, false);
    H::Deliver(dialog, 48, 2, 0);
    EXPECT_EQ(tabs->GetCurSel(), 1) << "a hidden tab cannot be clicked";
}

TEST_F(ControlsTest, DpiControlKeepsSlotsAndTheShownList) {
    auto* dpi = Make<DPIControl>(116);
    for (int stage = 0; stage < DPIControl::kStageSlots; ++stage) {
        dpi->SetDPIValue(stage, 800 * (stage + 1));
    }
    dpi->ClearList();
    dpi->AddItem(800, 0xFFF10900);
    dpi->AddItem(1700, 0xFF006BEF);
    EXPECT_EQ(dpi->GetItemCount(), 2);
    EXPECT_EQ(dpi->GetDPIValue(1), 1700);
    EXPECT_EQ(dpi->GetDPIValue(5), 4800);
    EXPECT_EQ(dpi->GetDPIColorValue(1), 0xFF006BEFu);
    EXPECT_EQ(dpi->GetDPIValue(7), 0);
    EXPECT_FALSE(dpi->SetSelectItem(3)) << "only listed stages can be selected";
    EXPECT_TRUE(dpi->SetSelectItem(1));

    H::Deliver(dialog, 116, 2, 0);
    EXPECT_EQ(dpi->GetSelectItem(), 0);
    EXPECT_TRUE(H::Type(dialog, 116, u"1234"));
    EXPECT_EQ(dpi->GetEditText(), u"1234");
    EXPECT_EQ(dpi->GetDPIValue(0), 800) << "the page decides what the edit means";
}

TEST_F(ControlsTest, DeviceListStatesAndCounts) {
    auto* list = Make<CDeviceList>(57);
    list->AddDevice(u"M1", 101, u"/skins/m1.png");
    list->AddDevice(u"M2", 102, u"/skins/m2.png");
    list->SetDeviceState(102, 1, 2);  // receiver present, mouse off
    EXPECT_EQ(list->GetOnlineDevCount(), 0);
    list->SetDeviceState(101, 0, 1);
    list->SetDeviceState(101, 1, 1);
    list->SetDeviceState(555, 0, 1);
    list->SetDeviceState(101, 2, 1);
    EXPECT_EQ(list->GetOnlineDevCount(), 1) << "one model, whatever its links";
    list->SetDeviceVersion(101, 0x105);
    list->SetDeviceBattery(101, 1, 80);
    DeviceRow row = list->Devices()[0];
    EXPECT_EQ(row.version, 0x105);
    EXPECT_EQ(row.battery_value, 80);
    EXPECT_EQ(row.battery_charge, 1);
    list->SetAllDeviceState(0);
    EXPECT_EQ(list->GetOnlineDevCount(), 0);

    H::Deliver(dialog, 57, 2, 1);
    EXPECT_EQ(list->GetSelectDevice(), 102);
    list->ClearList();
    EXPECT_EQ(list->GetSelectDevice(), 0);
}

TEST_F(ControlsTest, UnknownDeviceTypeSelectsAConnectedListedModel) {
    auto* list = Make<CDeviceList>(57);
    list->SetSelectDevice(101);
    EXPECT_EQ(list->GetSelectDevice(), 101) << "empty list keeps the request";
    list->AddDevice(u"M1", 101, u"");
    list->AddDevice(u"M2", 102, u"");
    list->AddDevice(u"M3", 103, u"");
    list->SetSelectDevice(999);
    EXPECT_EQ(list->GetSelectDevice(), 999) << "nothing connected: request kept";
    list->SetDeviceState(103, 1, 2);
    list->SetDeviceState(102, 0, 1);
    list->SetSelectDevice(999);
    EXPECT_EQ(list->GetSelectDevice(), 102) << "the first connected model in list order";
    list->SetSelectDevice(101);
    EXPECT_EQ(list->GetSelectDevice(), 101) << "a listed type is taken even offline";
}

TEST_F(ControlsTest, RecordListEditsKeepTheSelectionOnItsEvent) {
    auto* events = Make<CRecordList>(166);
    events->AddString(u"↓  A", 2, 4, 7);
    events->AddString(u"10 ms", 1, 10, 8);
    events->AddString(u"↑  A", 3, 4, 7);
    EXPECT_EQ(events->GetEventCount(), 3);
    H::Deliver(dialog, 166, 2, 2);
    EXPECT_EQ(events->GetCurSel(), 2);
    EXPECT_EQ(events->GetRecordInfo(2)->type, 3);

    events->MoveString(2, 0);  // to the top; the selection follows
    EXPECT_EQ(events->GetCurSel(), 0);
    EXPECT_EQ(events->GetRecordInfo(0)->text, u"↑  A");
    events->InsertString(0, {u"5 ms", 1, 5, 9});
    EXPECT_EQ(events->GetCurSel(), 1);
    events->DeleteString(0);
    EXPECT_EQ(events->GetCurSel(), 0);
    events->SelectItem(2);
    events->MoveString(0, 2);
    EXPECT_EQ(events->GetCurSel(), 1) << "an item moved past the selection shifts it";
    EXPECT_EQ(events->InsertString(99, {u"x", 1, 1, 1}), 3);
    EXPECT_FALSE(events->GetRecordInfo(4).has_value());
    events->DeleteAllItems();
    EXPECT_EQ(events->GetCurSel(), -1);
    EXPECT_EQ(events->GetEventCount(), 0);
}

TEST_F(ControlsTest, ButtonListAndPictureSelectByClick) {
    auto* keys = Make<MouseKeyCtrl>(68);
    auto* picture = Make<MouseCtrl>(108);
    keys->SetRect({10, 100, 200, 110});
    for (int key : {1, 2, 4}) {
        keys->AddItem(u"Button", u"Left click", key);
        picture->AddItem(u"Button", key, 0, {10, 45}, {80, 45});
    }
    EXPECT_TRUE(keys->SetItemKeyDesc(4, u"Ctrl + A"));
    EXPECT_FALSE(keys->SetItemKeyDesc(9, u"x"));
    EXPECT_EQ(keys->GetItemKeyDesc(2), u"Ctrl + A");
    keys->FitToItems();
    EXPECT_EQ(keys->GetRect(), (Rect{10, 100, 200, 100 + 3 * MouseKeyCtrl::kRowHeight}));
    H::Deliver(dialog, 68, 2, 1);
    EXPECT_EQ(keys->GetItemKeyValue(keys->GetCurSel()), 2);
    H::Deliver(dialog, 108, 2, 2);
    EXPECT_EQ(picture->GetCurSel(), 2);
    EXPECT_EQ(picture->Items()[0].to, (Point{80, 45}));
}

TEST_F(ControlsTest, ReportRatesSelectByCode) {
    auto* rates = Make<ReporteCtrl>(125);
    rates->AddItem(u"125Hz", 8, 0xFF00FF00);
    rates->AddItem(u"1000Hz", 1, 0xFFFF0000);
    EXPECT_TRUE(rates->SelectKeyValue(1));
    EXPECT_EQ(rates->GetCurSel(), 1);
    EXPECT_FALSE(rates->SelectKeyValue(64));
    EXPECT_EQ(rates->GetCurSel(), -1);
    H::Deliver(dialog, 125, 2, 0);
    EXPECT_EQ(rates->GetItemKeyValue(rates->GetCurSel()), 8);
}

TEST_F(ControlsTest, PaletteTakesTheColourUnderThePointer) {
    auto* palette = Make<MPalette>(226);
    H::Deliver(dialog, 226, 27, 0xFF123456);
    EXPECT_EQ(palette->GetSelectColor(), 0xFF123456u);
    H::Deliver(dialog, 226, 5, 0xFF000000);
    EXPECT_EQ(palette->GetSelectColor(), 0xFF123456u);
}

TEST_F(ControlsTest, BackendHearsOfEveryChange) {
    session.backend().RecordChanges(true);
    auto* text = Make<MText>(36);
    text->SetTitle(u"v1.0");
    text->SetTitle(u"v1.0");  // unchanged: nothing to tell
    text->SetVisible(false);
    auto changes = session.backend().Changes();
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].kind, ChangeRecord::Kind::kControlCreated);
    EXPECT_EQ(changes[1].change, static_cast<int>(ControlChange::kText));
    EXPECT_EQ(changes[2].change, static_cast<int>(ControlChange::kVisibility));
    EXPECT_EQ(changes[2].control, text);
}

}  // namespace
}  // namespace tessaly::DUI::test
