#include <gtest/gtest.h>

#include "app/registry_values.h"
#include "controller_fixture.h"
#include "ui/localisation/language_strings.h"
#include "ui/main/main_window_layout.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/controls/static_controls.h"
#include "ui/toolkit/controls/tabs.h"

namespace tessaly::ui::test {
namespace {

using DUI::Rect;
using Init = ControllerFixture;

TEST_F(Init, RunsTheStartSequence) {
    Open();
    ASSERT_TRUE(tray.IsShown());
    const TrayIconRecord& record = *tray.Record();
    EXPECT_EQ(record.window, dlg->GetSafeHwnd());
    EXPECT_EQ(record.id, 109u);
    EXPECT_EQ(record.flags, 7u);
    EXPECT_EQ(record.callback_message, 1690u);
    ASSERT_NE(dlg->dpi_popup, nullptr);
    EXPECT_EQ(dlg->dpi_popup->GetTitle(), u"DPIMsgDlg");
    EXPECT_EQ(dlg->dpi_popup->GetExStyle(), DUI::kWsExToolWindow);
    EXPECT_EQ(dlg->dpi_popup->GetWindowRect().Width(), 300);
    EXPECT_FALSE(dlg->dpi_popup->IsVisible());
    EXPECT_EQ(ReadDeviceType(), 101);
    EXPECT_EQ(tasks.Snapshot(), (std::vector<int32_t>{1, 23}));
    EXPECT_TRUE(worker_running);
    EXPECT_EQ(dlg->GetMTimer(), 10);
}

TEST_F(Init, CloseStopsWorkerRemovesTrayAndDestroysPopups) {
    bool identities_cleared = false;
    dlg->Services().clear_identities = [&] { identities_cleared = true; };
    Open();
    dlg->CloseWindow();
    EXPECT_FALSE(worker_running);
    EXPECT_FALSE(tray.IsShown());
    EXPECT_TRUE(identities_cleared);
    EXPECT_EQ(dlg->dpi_popup, nullptr);
    EXPECT_FALSE(dlg->IsCreated());
    EXPECT_TRUE(exit_codes.empty());
}

TEST_F(Init, FramePlacedByTheTableAtDesignSize) {
    Open();
    const FrameLayout f = ComputeFrameLayout({0, 0, 1300, 788});
    EXPECT_EQ(Control(30)->GetRect(), (Rect{0, 0, 1300, 788}));
    EXPECT_EQ(Control(38)->GetRect(), (Rect{1250, 10, 1280, 40}));
    EXPECT_EQ(Control(45)->GetRect(), (Rect{1130, 750, 1280, 776}));
    EXPECT_EQ(Control(48)->GetRect(), (Rect{1, 120, 191, 480}));
    for (int id : {50, 52, 53, 54, 55}) {
        EXPECT_EQ(Control(id)->GetRect(), (Rect{200, 80, 1280, 738})) << id;
    }
    EXPECT_EQ(Control(51)->GetRect(), f.custom_key_page);
    EXPECT_EQ(Control(56)->GetRect(), (Rect{1, 50, 1299, 748}));
    EXPECT_EQ(Control(57)->GetRect(), (Rect{200, 200, 1100, 688}));
    EXPECT_EQ(Control(59)->GetRect(), (Rect{400, 200, 900, 280}));
    // The information page: picture and round area share id 237.
    EXPECT_EQ(Control(237, 0)->GetRect(), (Rect{245, 130, 860, 190}));
    EXPECT_EQ(Control(237, 1)->GetRect(), (Rect{260, 145, 270, 175}));
    EXPECT_EQ(Control(249)->GetRect(), (Rect{635, 215, 850, 245}));
    // Never placed.
    EXPECT_TRUE(Control(41)->GetRect().IsEmpty());
    EXPECT_TRUE(Control(46)->GetRect().IsEmpty());
    for (int id : {60, 61, 239, 242, 245, 250}) {
        ASSERT_NE(Control(id), nullptr) << id;
        EXPECT_TRUE(Control(id)->GetRect().IsEmpty()) << id;
    }
    EXPECT_EQ(Control(250)->ClassName(), "MButton");
    EXPECT_EQ(Control(250)->GetParentLayout(), dlg->information_page);
}

TEST_F(Init, LargerClientFollowsTheFormulas) {
    Open(1600, 970);
    EXPECT_NEAR(dlg->scale, 970.0f / 788.0f, 1e-6);
    EXPECT_EQ(Control(51)->GetRect(), (Rect{537, 141, 1137, 920}));
    EXPECT_EQ(Control(58)->GetRect(), (Rect{492, 246, 1107, 344}));
    // The lighting page has a 192 of its own.
    EXPECT_EQ(FindInPage(*dlg, dlg->information_page, 192)->GetRect(), (Rect{230, 80, 1030, 889}));
}

TEST_F(Init, FrameControlsCarryTheirSettings) {
    Open();
    auto* tabs = DUI::HeadlessBackend::FindAs<DUI::MTabCtrl>(*dlg, 48);
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->GetItemCount(), 6);
    const int ids[] = {1, 2, 3, 4, 5, 7};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(tabs->GetItemID(i), ids[i]);
    }
    EXPECT_EQ(tabs->GetCurSel(), 0);
    EXPECT_EQ(Control(38)->GetImage(), u"sysbtn_close.png");
    EXPECT_EQ(Control(38)->GetImageFrames(), 4);
    EXPECT_EQ(Control(43)->GetTextColor(), 0xFF3E556Du);
    EXPECT_TRUE(Control(43)->HasMTimer());
    // Selecting the home item hides the other items' pages.
    EXPECT_TRUE(Shown(49));
    for (int id : {31, 50, 51, 52, 53, 54, 55, 56, 58, 59}) {
        EXPECT_FALSE(Shown(id)) << id;
    }
    EXPECT_EQ(Control(51)->GetParentLayout(), dlg->button_page);
    EXPECT_EQ(Control(57)->GetParentLayout(), dlg->home_page);
}

using Navigation = ControllerFixture;

TEST_F(Navigation, HomeTabHidesTheTabColumn) {
    Open();
    dlg->ShowDevicePages();
    EXPECT_TRUE(Shown(48));
    ASSERT_TRUE(DUI::HeadlessBackend::Deliver(*dlg, 48, 2, 2));
    EXPECT_EQ(dlg->current_tab_id, 3);
    EXPECT_TRUE(Shown(31));
    EXPECT_TRUE(Shown(52));
    ASSERT_TRUE(DUI::HeadlessBackend::Deliver(*dlg, 48, 2, 0));
    EXPECT_EQ(dlg->current_tab_id, 1);
    for (int id : {31, 47, 48, 44, 45, 46, 43}) {
        EXPECT_FALSE(Shown(id)) << id;
    }
    EXPECT_TRUE(Shown(49));
}

TEST_F(Navigation, SettingsWithoutMouseReturnsHome) {
    Open();
    ASSERT_TRUE(DUI::HeadlessBackend::Click(*dlg, 40));
    EXPECT_TRUE(Shown(56));
    for (int id : {47, 48, 31, 43, 40, 41}) {
        EXPECT_FALSE(Shown(id)) << id;
    }
    dlg->ReturnFromSettings();
    EXPECT_FALSE(Shown(56));
    EXPECT_TRUE(Shown(40));
    EXPECT_TRUE(Shown(49));
    EXPECT_FALSE(Shown(48));
    EXPECT_EQ(dlg->tab_ctrl->GetCurSel(), 0);
}

TEST_F(Navigation, SettingsWithMouseReturnsToButtonPage) {
    Open();
    dlg->Device().device_present = true;
    dlg->ShowDevicePages();
    ASSERT_TRUE(DUI::HeadlessBackend::Click(*dlg, 40));
    dlg->ReturnFromSettings();
    EXPECT_TRUE(Shown(48));
    EXPECT_TRUE(Shown(43));
    EXPECT_EQ(dlg->tab_ctrl->GetCurSel(), 1);
    EXPECT_TRUE(Shown(50));
    EXPECT_FALSE(Shown(49));
}

TEST_F(Navigation, TabClickLeavesSettings) {
    Open();
    dlg->ShowDevicePages();
    ASSERT_TRUE(DUI::HeadlessBackend::Click(*dlg, 40));
    dlg->OnMessage(48, 2, 1, 0);
    EXPECT_FALSE(Shown(56));
    for (int id : {38, 39, 40, 41}) {
        EXPECT_TRUE(Shown(id)) << id;
    }
}

TEST_F(Navigation, NoDeviceShowsTheNotice) {
    Open();
    dlg->ShowDevicePages();
    dlg->ShowNoDevice();
    EXPECT_EQ(dlg->tab_ctrl->GetCurSel(), 0);
    for (int id : {47, 48, 31}) {
        EXPECT_FALSE(Shown(id)) << id;
    }
    EXPECT_TRUE(Shown(49));
    EXPECT_TRUE(Shown(58));
    EXPECT_TRUE(Shown(59));
}

TEST_F(Navigation, ActivatingAnAbsentMouseKeepsHome) {
    Open();
    dlg->Services().connected_mode = [](int) { return std::optional<int>(); };
    tasks.Clear();
    EXPECT_EQ(dlg->OnMessage(57, 2, 0, 0), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, LoadLanguageString(57));
    EXPECT_EQ(boxes[0].message, LoadLanguageString(56));
    EXPECT_EQ(boxes[0].buttons, 0);
    EXPECT_TRUE(Shown(49));
    EXPECT_EQ(dlg->tab_ctrl->GetCurSel(), 0);
    EXPECT_EQ(dlg->current_tab_id, 1);
    EXPECT_TRUE(tasks.Empty());
}

TEST_F(Navigation, ActivatingAWirelessMouseQueuesTheRead) {
    Open();
    auto* list = DUI::HeadlessBackend::FindAs<DUI::CDeviceList>(*dlg, 57);
    list->AddDevice(u"M1", 7, u"");
    list->SetSelectDevice(7);
    int selected_model = 0;
    dlg->Services().connected_mode = [](int) { return std::optional<int>(1); };
    dlg->Services().select_model = [&](int type) { selected_model = type; };
    tasks.Clear();
    EXPECT_EQ(dlg->OnMessage(57, 2, 0, 0), 1);
    EXPECT_EQ(dlg->Device().selected_device_type, 7);
    EXPECT_EQ(selected_model, 7);
    EXPECT_EQ(ReadDeviceType(), 7);
    EXPECT_EQ(tasks.Snapshot(), (std::vector<int32_t>{4}));
    EXPECT_EQ(DUI::HeadlessBackend::FindAs<DUI::CDeviceState>(*dlg, 44)->GetTitle(),
              LoadLanguageString(52));
    EXPECT_TRUE(Shown(48));
    EXPECT_EQ(dlg->tab_ctrl->GetCurSel(), 1);
}

TEST_F(Navigation, ActivatingAnotherWiredModelQueuesItsRead) {
    Open();
    auto* list = DUI::HeadlessBackend::FindAs<DUI::CDeviceList>(*dlg, 57);
    list->AddDevice(u"M1", 7, u"");
    list->AddDevice(u"M2", 8, u"");
    list->SetSelectDevice(8);
    dlg->Device().selected_device_type.store(7);
    dlg->Services().connected_mode = [](int) { return std::optional<int>(0); };
    dlg->Services().select_model = [](int) {};
    tasks.Clear();
    EXPECT_EQ(dlg->OnMessage(57, 2, 0, 0), 1);
    EXPECT_EQ(dlg->Device().selected_device_type, 8);
    EXPECT_EQ(tasks.Snapshot(), (std::vector<int32_t>{4}));
    EXPECT_EQ(DUI::HeadlessBackend::FindAs<DUI::CDeviceState>(*dlg, 44)->GetTitle(),
              LoadLanguageString(51));

    // The same model again over its cable: nothing to read.
    tasks.Clear();
    EXPECT_EQ(dlg->OnMessage(57, 2, 0, 0), 1);
    EXPECT_TRUE(tasks.Empty());
}

}  // namespace
}  // namespace tessaly::ui::test
