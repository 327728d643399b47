#include <gtest/gtest.h>

#include <string>

#include "app/language_state.h"
#include "app/registry_values.h"
#include "pages_fixture.h"
#include "platform/autostart.h"
#include "support/scoped_env.h"
#include "ui/pages/control_table.h"
#include "ui/pages/performance_page.h"
#include "ui/pages/profile_dlg.h"
#include "ui/pages/record_edit_dlg.h"
#include "ui/pages/settings_page.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {
namespace {

using H = HeadlessBackend;

TEST_F(PagesTest, PerformancePageHasEveryControl) {
    BuildPerformancePage(window, *AddPage(52), style);
    const Expected expected[] = {
        {109, 0, "MPicture", u""},
        {110, 0, "MPicture", u""},
        {111, 0, "MText", T(250)},
        {112, 0, "MPicture", u""},
        {113, 0, "MText", T(251)},
        {114, 0, "CHelpButton", T(252)},
        {115, 0, "CImageButton", u""},
        {116, 0, "DPIControl", u""},
        {118, 0, "MButton", T(254)},
        {119, 0, "MText", T(260)},
        {120, 0, "MComboBox", u"6"},
        {117, 0, "DPISlider", u""},
        {121, 0, "MPicture", u""},
        {122, 0, "MText", T(255)},
        {123, 0, "CHelpButton", T(256)},
        {124, 0, "CImageButton", u""},
        {125, 0, "ReporteCtrl", u""},
        {126, 0, "MPicture", u""},
        {127, 0, "MText", T(501)},
        {128, 0, "CHelpButton", T(502)},
        {129, 0, "CRadioButton", u"1.0mm"},
        {130, 0, "CRadioButton", u"2.0mm"},
        {131, 0, "MPicture", u""},
        {132, 0, "MText", T(503)},
        {133, 0, "CHelpButton", T(503) + u"\nT505\nT506\nT509\n\nT507\nT508\n\nT511\nT512"},
        {134, 0, "CCheckButton", T(515)},
        {134, 1, "CCheckButton", T(516)},
        {134, 2, "CCheckButton", T(517)},
        {137, 0, "MPicture", u""},
        {138, 0, "MText", T(525)},
        {139, 0, "NumberEdit", u""},
        {140, 0, "MPicture", u""},
        {141, 0, "MText", T(531)},
        {145, 0, "MComboBox", u""},
        {142, 0, "MText", T(532)},
        {143, 0, "CCheckButton", T(533)},
        {144, 0, "CCheckButton", T(534)},
        {146, 0, "MPicture", u""},
        {147, 0, "MText", T(535)},
        {148, 0, "MPicture", u""},
        {149, 0, "MButton", T(536)},
    };
    ExpectControls(52, expected);
    EXPECT_EQ(In<MControl>(52, 115)->GetTooltip(), T(253));
    EXPECT_EQ(In<MControl>(52, 124)->GetTooltip(), T(257));

    auto* stages = In<DPIControl>(52, 116);
    EXPECT_EQ(stages->GetItemCount(), 6);
    EXPECT_EQ(stages->GetDPIValue(5), 26000);
    EXPECT_EQ(stages->GetDPIColorValue(0), 0xFFF10900u) << "0x0009F1 shown as ARGB";
    auto* rates = In<ReporteCtrl>(52, 125);
    ASSERT_EQ(rates->GetItemCount(), 4);
    EXPECT_EQ(rates->GetCurSel(), 2);
    EXPECT_EQ(rates->GetItemKeyValue(0), 8);
    auto* sleep = In<MComboBox>(52, 145);
    ASSERT_EQ(sleep->GetItemCount(), 6);
    EXPECT_EQ(sleep->GetItemText(3), u"10 T537");
    EXPECT_EQ(sleep->GetItemData(5), 180);
    EXPECT_TRUE(In<CRadioButton>(52, 129)->GetCheck());
    EXPECT_TRUE(In<CCheckButton>(52, 134, 2)->GetCheck());
    EXPECT_FALSE(In<CCheckButton>(52, 134, 0)->GetCheck());
}

TEST_F(PagesTest, PerformanceGroupsMoveUpWhenHidden) {
    BuildPerformancePage(window, *AddPage(52), style);
    LayoutPerformancePage(window, {0, 0, 1300, 788}, 1.0f);
    Rect sensor = In<MControl>(52, 131)->GetRect();
    Rect response = In<MControl>(52, 137)->GetRect();
    Rect liftoff = In<MControl>(52, 126)->GetRect();
    EXPECT_LT(liftoff.bottom, sensor.top);
    EXPECT_LT(sensor.bottom, response.top);
    EXPECT_LE(In<MControl>(52, 109)->GetRect().right, 1280) << "inside the page area";

    SetPerformanceGroupsVisible(window, false, true);
    LayoutPerformancePage(window, {0, 0, 1300, 788}, 1.0f);
    EXPECT_FALSE(In<MControl>(52, 129)->IsVisible());
    EXPECT_EQ(In<MControl>(52, 131)->GetRect().top, liftoff.top) << "sensor took its place";

    SetPerformanceGroupsVisible(window, false, false);
    LayoutPerformancePage(window, {0, 0, 1300, 788}, 1.0f);
    EXPECT_FALSE(In<MControl>(52, 134, 1)->IsVisible());
    EXPECT_EQ(In<MControl>(52, 137)->GetRect().top, liftoff.top);

    LayoutPerformancePage(window, {0, 0, 650, 394}, 0.5f);
    EXPECT_LT(In<MControl>(52, 112)->GetRect().Height(), 100) << "scaled";
}

TEST_F(PagesTest, SettingsPageControlsAndPlaces) {
    BuildSettingsPage(window, *AddPage(56), style);
    const Expected expected[] = {
        {272, 0, "MPicture", u""},        {273, 0, "CImageButton", u""},
        {274, 0, "MText", u""},           {275, 0, "MText", T(722)},
        {276, 0, "MButton", T(612)},      {277, 0, "MButton", T(611)},
        {278, 0, "MText", T(600)},        {279, 0, "MComboBox", u""},
        {280, 0, "MText", T(603)},        {281, 0, "CCheckButton", T(604)},
        {282, 0, "CCheckButton", T(605)}, {283, 0, "CArea", u""},
        {284, 0, "CArea", u""},           {285, 0, "MText", T(607)},
        {286, 0, "CRadioButton", T(608)}, {287, 0, "CRadioButton", T(609)},
        {288, 0, "MText", T(2)},          {289, 0, "CTextButton", T(3)},
        {290, 0, "CTextButton", T(615)},  {291, 0, "CTextButton", T(616)},
    };
    ExpectControls(56, expected);
    LayoutSettingsPage(window, {0, 0, 1300, 788}, 1.0f);
    EXPECT_EQ(In<MControl>(56, 272)->GetRect(), (Rect{240, 80, 1060, 738}));
    EXPECT_EQ(In<MControl>(56, 276)->GetRect(), (Rect{790, 160, 1040, 190}));
    EXPECT_EQ(In<MControl>(56, 287)->GetRect(), (Rect{340, 500, 760, 530}));
    EXPECT_TRUE(In<MControl>(56, 288)->GetRect().IsEmpty()) << "never positioned";
    LayoutSettingsPage(window, {0, 0, 650, 394}, 0.5f);
    EXPECT_EQ(In<MControl>(56, 275)->GetRect(), (Rect{470, 160, 560, 175}));
}

TEST_F(PagesTest, SettingsInitialStateWithoutEntries) {
    SetCurrentLcid(1049);  // not offered
    BuildSettingsPage(window, *AddPage(56), style);
    auto* language = In<MComboBox>(56, 279);
    ASSERT_EQ(language->GetItemCount(), 2);
    EXPECT_EQ(language->GetItemText(0), u"简体中文") << "the known order, not the set's";
    EXPECT_EQ(language->GetCurSel(), -1);
    EXPECT_FALSE(In<CCheckButton>(56, 281)->GetCheck());
    EXPECT_FALSE(In<CCheckButton>(56, 282)->IsEnabled());
    EXPECT_TRUE(In<CRadioButton>(56, 287)->GetCheck());
    EXPECT_FALSE(In<CRadioButton>(56, 286)->GetCheck());
}

TEST_F(PagesTest, SettingsInitialStateFromTheStore) {
    SetCurrentLcid(1033);
    ASSERT_TRUE(WriteAutorunEntry(u"/opt/tessaly/tessaly"));
    ReadRegistryNumber(kValueExitMode);  // creates the program key
    WriteRegistryText(kValueAutorunMinimize, u"1");
    WriteRegistryText(kValueExitMode, u"1");
    BuildSettingsPage(window, *AddPage(56), style);
    EXPECT_EQ(In<MComboBox>(56, 279)->GetCurData(), 1033);
    EXPECT_TRUE(In<CCheckButton>(56, 281)->GetCheck());
    EXPECT_TRUE(In<CCheckButton>(56, 282)->IsEnabled());
    EXPECT_TRUE(In<CCheckButton>(56, 282)->GetCheck());
    EXPECT_TRUE(In<CRadioButton>(56, 286)->GetCheck());
}

TEST_F(PagesTest, ProfileDialogSitsAboveTheNameControl) {
    EXPECT_EQ(ProfileDlg::RectAbove({1130, 750, 1280, 776}), (Rect{1130, 540, 1280, 745}));
    ProfileDlg dialog(window.GetSafeHwnd(), 2);
    ASSERT_TRUE(dialog.Open(&window, {1130, 750, 1280, 776}));
    EXPECT_EQ(dialog.GetTitle(), u"ProfileDlg");
    EXPECT_EQ(dialog.GetStyle(), 0x96000000u);
    EXPECT_EQ(H::Find(dialog, 30)->ClassName(), "MPicture");
    EXPECT_EQ(H::Find(dialog, 31)->ClassName(), "DListBox");
    EXPECT_EQ(H::Find(dialog, 31)->GetRect(), (Rect{10, 10, 140, 160}));
    EXPECT_EQ(H::FindAs<MButton>(dialog, 32)->GetTitle(), T(26));
    EXPECT_EQ(H::FindAs<MButton>(dialog, 33)->GetTitle(), T(27));
    EXPECT_EQ(H::Find(dialog, 32)->GetRect(), (Rect{10, 170, 70, 198}));
    EXPECT_EQ(H::Find(dialog, 33)->GetRect(), (Rect{80, 170, 140, 198}));
}

TEST_F(PagesTest, RecordEditDialogLayout) {
    RecordEditDlg dialog;
    ASSERT_TRUE(dialog.Open(&window));
    EXPECT_EQ(dialog.GetTitle(), u"RecordEditDlg");
    struct Row {
        int id;
        std::string_view class_name;
        std::u16string text;
        Rect rect;
    };
    const Row rows[] = {
        {31, "MText", u"", {80, 10, 280, 40}},        {32, "CImageButton", u"", {320, 15, 350, 45}},
        {33, "MText", T(103), {25, 60, 125, 90}},     {34, "MEdit", u"", {125, 60, 325, 90}},
        {35, "MButton", T(22), {160, 100, 280, 130}},
    };
    for (const Row& row : rows) {
        MControl* control = H::Find(dialog, row.id);
        ASSERT_NE(control, nullptr) << row.id;
        EXPECT_EQ(control->ClassName(), row.class_name);
        EXPECT_EQ(control->GetRect(), row.rect) << row.id;
        if (!row.text.empty()) {
            EXPECT_EQ(static_cast<MControlFont*>(control)->GetTitle(), row.text);
        }
    }
    EXPECT_EQ(H::Find(dialog, 32)->GetTooltip(), T(5));
}

}  // namespace
}  // namespace tessaly::ui
