// The button, macro and lighting pages: every control the design lists, with
// its class, id and text, on its own page; the lists' items; the layout.

#include <gtest/gtest.h>

#include "pages_fixture.h"
#include "ui/localisation/shown_macro_name.h"
#include "ui/pages/button_page.h"
#include "ui/pages/lighting_page.h"
#include "ui/pages/macro_page.h"

namespace tessaly::ui {
namespace {

class FeaturePages : public PagesTest {
  protected:
    void BuildButtons() {
        MTabLayout* page = AddPage(50);
        MTabLayout* panel = page->CreateChildControl<MTabLayout>(51, {480, 130, 1080, 738});
        panel->SetVisible(false);
        BuildButtonPage(window, *page, *panel, style);
    }
    MControl* InPanel(int id, int nth = 0) {
        const auto* panel = dynamic_cast<const MTabLayout*>(In<MControl>(50, 51));
        return FindInPage(window, panel, id, nth);
    }
    // Item texts and data of a list, in order.
    static std::vector<std::pair<std::u16string, intptr_t>> ItemsOf(MControl* control) {
        std::vector<std::pair<std::u16string, intptr_t>> out;
        for (const ListItem& item : dynamic_cast<ListControl&>(*control).Items()) {
            out.emplace_back(item.text, item.data);
        }
        return out;
    }
};

using Items = std::vector<std::pair<std::u16string, intptr_t>>;

TEST_F(FeaturePages, ButtonPageAndFunctionPanel) {
    BuildButtons();
    const Expected page[] = {
        {62, 0, "MPicture", u""},   {64, 0, "MText", T(100)},     {66, 0, "MText", T(101)},
        {67, 0, "MButton", T(102)}, {68, 0, "MouseKeyCtrl", u""}, {108, 0, "MouseCtrl", u""},
        {51, 0, "MTabLayout", u""},
    };
    ExpectControls(50, page);
    const Expected panel[] = {
        {69, 0, "MPicture", u""},      {70, 0, "MText", T(103)},      {71, 0, "CImageButton", u""},
        {72, 0, "MText", T(105)},      {73, 0, "MComboBox2", T(106)}, {74, 0, "MText", T(116)},
        {75, 0, "MComboBox2", T(120)}, {76, 0, "MText", T(125)},      {77, 0, "MComboBox2", u""},
        {79, 0, "MText", T(126)},      {79, 1, "MComboBox2", T(129)}, {80, 0, "MText", T(140)},
        {81, 0, "MComboBox2", T(142)}, {82, 0, "MText", T(150)},      {83, 0, "MComboBox2", T(151)},
        {84, 0, "MText", T(160)},      {85, 0, "MButton2", T(11)},    {86, 0, "MText", T(182)},
        {87, 0, "MButton2", T(11)},    {88, 0, "MText", T(139)},      {89, 0, "MButton2", T(139)},
        {90, 0, "MPicture", u""},      {91, 0, "CImageButton", u""},  {92, 0, "MText", T(160)},
        {93, 0, "MEdit", u""},         {94, 0, "MButton3", u"Ctrl"},  {95, 0, "MButton3", u"Win"},
        {96, 0, "MButton3", u"Alt"},   {97, 0, "MButton3", u"Shift"}, {98, 0, "MButton", T(38)},
        {99, 0, "MPicture", u""},      {100, 0, "MText", T(182)},     {101, 0, "MText", T(185)},
        {102, 0, "MEdit", u""},        {103, 0, "MText", T(186)},     {105, 0, "MEdit", u""},
        {104, 0, "MText", T(187)},     {106, 0, "MButton", T(38)},    {107, 0, "CImageButton", u""},
    };
    for (const Expected& e : panel) {
        MControl* control = InPanel(e.id, e.nth);
        ASSERT_NE(control, nullptr) << e.id << "#" << e.nth;
        EXPECT_EQ(control->ClassName(), e.class_name) << e.id;
        if (!e.text.empty()) {
            EXPECT_EQ(static_cast<MControlFont*>(control)->GetTitle(), e.text) << e.id;
        }
    }
    EXPECT_EQ(InPanel(71)->GetTooltip(), T(104));
    EXPECT_EQ(InPanel(91)->GetTooltip(), T(183));
    EXPECT_EQ(InPanel(91)->GetImage(), u"btn_close.png");
    EXPECT_EQ(dynamic_cast<MEdit*>(InPanel(93))->GetTipInfo(), T(162));
    EXPECT_EQ(In<MControl>(50, 108)->GetImage(), u"img_key_bkg.png");
    for (int id = 90; id <= 107; ++id) {
        EXPECT_FALSE(InPanel(id)->IsVisible()) << id << ": the small panels start hidden";
    }
}

TEST_F(FeaturePages, ButtonChoicesCarryTheirItemsAndPlaceholders) {
    BuildButtons();
    EXPECT_EQ(ItemsOf(InPanel(73)), (Items{{T(106), 1},
                                           {T(107), 3},
                                           {T(108), 2},
                                           {T(109), 5},
                                           {T(110), 6},
                                           {T(180), 4},
                                           {T(112), 7},
                                           {T(113), 8}}));
    EXPECT_EQ(ItemsOf(InPanel(75)), (Items{{T(117), 6},
                                           {T(118), 7},
                                           {T(119), 8},
                                           {T(120), 1},
                                           {T(121), 2},
                                           {T(122), 4},
                                           {T(123), 5},
                                           {T(124), 3}}));
    const Items shortcuts = ItemsOf(InPanel(79, 1));
    ASSERT_EQ(shortcuts.size(), 11u);
    EXPECT_EQ(shortcuts[8], (std::pair<std::u16string, intptr_t>{T(31), 9}));
    EXPECT_EQ(shortcuts[9], (std::pair<std::u16string, intptr_t>{T(36), 11}));
    EXPECT_EQ(shortcuts[10], (std::pair<std::u16string, intptr_t>{T(32), 10}));
    EXPECT_EQ(ItemsOf(InPanel(81)), (Items{{T(142), 3}, {u"DPI +", 1}, {u"DPI -", 2}}));
    EXPECT_EQ(ItemsOf(InPanel(83)), (Items{{T(151), 1}, {T(181), 2}}));
    EXPECT_TRUE(dynamic_cast<MComboBox2*>(InPanel(73))->GetCheck());

    auto* list = In<MouseKeyCtrl>(50, 68);
    ASSERT_EQ(list->GetItemCount(), 6);
    EXPECT_EQ(list->GetItemText(0), T(103) + u" 1");
    EXPECT_EQ(list->GetItemText(5), T(103) + u" 6");
}

TEST_F(FeaturePages, ButtonPageLayoutFollowsTheSelection) {
    BuildButtons();
    window.GetControl(51)->SetRect({480, 130, 1080, 738});
    LayoutButtonPage(window, {0, 0, 1300, 788}, 1.0f);
    EXPECT_EQ(In<MControl>(50, 62)->GetRect(), (Rect{230, 80, 490, 738})) << "260 wide at rest";
    EXPECT_EQ(InPanel(69)->GetRect().left, 480) << "the panel starts at the sub-page";
    EXPECT_LE(InPanel(89)->GetRect().bottom, 738);
    window.GetControl(51)->SetVisible(true);
    LayoutButtonPage(window, {0, 0, 1300, 788}, 1.0f);
    EXPECT_EQ(In<MControl>(50, 62)->GetRect(), (Rect{230, 80, 730, 738})) << "500 wide";
}

TEST_F(FeaturePages, MacroPageHasEveryControl) {
    BuildMacroPage(window, *AddPage(53), style);
    const Expected expected[] = {
        {150, 0, "MPicture", u""},        {151, 0, "MPicture", u""},
        {153, 0, "MPicture", u""},        {155, 0, "MPicture", u""},
        {159, 0, "MPicture", u""},        {161, 0, "MPicture", u""},
        {162, 0, "MPicture", u""},        {170, 0, "MPicture", u""},
        {152, 0, "MText", T(350)},        {154, 0, "MText", T(352)},
        {156, 0, "MacroList", u""},       {157, 0, "MButton", T(353)},
        {158, 0, "MButton", T(30)},       {160, 0, "MText", T(355)},
        {163, 0, "MText", T(388)},        {164, 0, "MText", T(389)},
        {165, 0, "MText", T(390)},        {166, 0, "CRecordList", u""},
        {167, 0, "MButton", T(39)},       {168, 0, "MButton", T(357)},
        {169, 0, "MButton", T(404)},      {172, 0, "CIconButton", T(358)},
        {173, 0, "MText", T(360)},        {174, 0, "CRadioButton", T(361)},
        {175, 0, "CRadioButton", T(362)}, {176, 0, "CRadioButton", T(363)},
        {177, 0, "CArea", u""},           {178, 0, "MEdit", u"10"},
        {179, 0, "MText", u"ms"},         {180, 0, "MText", T(364)},
        {181, 0, "CRadioButton", T(365)}, {182, 0, "CRadioButton", T(366)},
        {183, 0, "CRadioButton", T(367)}, {184, 0, "MEdit", u""},
        {171, 0, "MPicture", u""},        {185, 0, "MText", T(391)},
        {186, 0, "MComboBox", u""},       {189, 0, "MText", T(392)},
        {187, 0, "MEdit", u""},           {188, 0, "MComboBox", u""},
        {190, 0, "MButton", u""},         {191, 0, "MButton", u""},
    };
    ExpectControls(53, expected);
    EXPECT_EQ(In<CRadioButton>(53, 174)->GetGroup(), u"IDC_MACRO_STC_DELAYSET");
    EXPECT_EQ(In<CRadioButton>(53, 183)->GetGroup(), u"IDC_MACRO_RADIO_LOOP1");
    EXPECT_EQ(In<MControl>(53, 156)->GetSubImage(ImageRole::kEdit), u"btn_more.png");
    EXPECT_EQ(In<MControl>(53, 166)->GetImage(), u"icon\\icon_list.png");
    EXPECT_EQ(In<MControl>(53, 190)->GetImage(), u"img_recorditem_up.png");
    EXPECT_EQ(ItemsOf(In<MControl>(53, 188)),
              (Items{{T(106), 1}, {T(107), 3}, {T(108), 2}, {T(109), 5}, {T(110), 6}}));
    EXPECT_FALSE(In<MControl>(53, 178)->IsEnabled());
    EXPECT_FALSE(In<MControl>(53, 184)->IsEnabled());
    for (int id : {171, 185, 186, 187, 188, 189, 190, 191}) {
        EXPECT_FALSE(In<MControl>(53, id)->IsVisible()) << id << ": editor hidden at start";
    }
}

TEST_F(FeaturePages, MacroPageFitsThePageArea) {
    BuildMacroPage(window, *AddPage(53), style);
    LayoutMacroPage(window, {0, 0, 1300, 788}, 1.0f);
    for (MControl* control : window.Controls()) {
        if (control->GetParentLayout() == nullptr) {
            continue;
        }
        const Rect r = control->GetRect();
        EXPECT_FALSE(r.IsEmpty()) << control->GetId();
        EXPECT_GE(r.left, 200) << control->GetId();
        EXPECT_LE(r.right, 1280) << control->GetId();
        EXPECT_LE(r.bottom, 738) << control->GetId();
    }
}

TEST_F(FeaturePages, MacroNamesFollowTheLanguage) {
    EXPECT_EQ(ShownMacroName(u"Custom3"), T(351) + u"3");
    EXPECT_EQ(ShownMacroName(u"自定义3"), T(351) + u"3");
    EXPECT_EQ(ShownMacroName(u"Custom3 Copy"), T(351) + u"3  " + T(31));
    EXPECT_EQ(ShownMacroName(u"Jump复制"), u"Jump " + T(31));
    EXPECT_EQ(ShownMacroName(u"Copy of Jump"), u"Copy of Jump") << "Copy only as a suffix";
    EXPECT_EQ(ShownMacroName(u"Mine"), u"Mine");
}

TEST_F(FeaturePages, LightingPageHasEveryControl) {
    BuildLightingPage(window, *AddPage(54), style);
    std::vector<Expected> expected = {
        {192, 0, "MPicture", u""},     {193, 0, "MPicture", u""},    {194, 0, "MText", T(265)},
        {196, 0, "MText", T(266)},     {197, 0, "MComboBox", u""},   {200, 0, "MText", T(267)},
        {201, 0, "CImageButton", u""}, {202, 0, "MText", T(268)},    {204, 0, "LightSlider", u""},
        {205, 0, "MText", T(269)},     {207, 0, "LightSlider", u""}, {208, 0, "MText", T(270)},
        {217, 0, "MText", T(272)},     {225, 0, "MText", T(271)},    {226, 0, "MPalette", u""},
        {227, 0, "CArea", u""},
    };
    for (int id = 209; id <= 224; ++id) {
        if (id != 217) {
            expected.push_back({id, 0, "CColorButton", u""});
        }
    }
    for (int id = 231; id <= 233; ++id) {
        expected.push_back({id, 0, "MEdit", u""});
    }
    ExpectControls(54, expected);
    EXPECT_EQ(In<CColorButton>(54, 209)->GetGroup(), u"DEFAULTCOLOR");
    EXPECT_EQ(In<CColorButton>(54, 224)->GetGroup(), u"COLORVALUE");
    EXPECT_EQ(In<CColorButton>(54, 210)->GetColor(), 0xFFF000FFu) << "0xFF00F0 as ARGB";
    EXPECT_EQ(In<CColorButton>(54, 224)->GetColor(), In<CColorButton>(54, 215)->GetColor())
        << "slots start with the first seven presets";
    EXPECT_EQ(In<LightSlider>(54, 204)->GetMaxValue(), 4);
    EXPECT_EQ(In<LightSlider>(54, 207)->GetMaxValue(), 4);
    EXPECT_EQ(In<MText>(54, 203)->GetTitle(), T(278) + u": 100%");
    EXPECT_EQ(In<MText>(54, 206)->GetTitle(), T(279) + u": 2");
}

TEST_F(FeaturePages, LightingGroupsFollowTheMask) {
    BuildLightingPage(window, *AddPage(54), style);
    auto layout = [this](uint32_t mask) {
        SetLightingGroupsVisible(window, mask);
        LayoutLightingPage(window, {0, 0, 1300, 788}, 1.0f);
    };
    layout(0x813);  // breathing: everything
    EXPECT_EQ(In<MControl>(54, 192)->GetRect(), (Rect{230, 80, 730, 738}));
    const int speed_top = In<MControl>(54, 205)->GetRect().top;
    const int colour_top = In<MControl>(54, 208)->GetRect().top;
    EXPECT_LE(In<MControl>(54, 224)->GetRect().bottom, 738);

    layout(0x11);  // steady: brightness and colour
    EXPECT_FALSE(In<MControl>(54, 207)->IsVisible());
    EXPECT_FALSE(In<MControl>(54, 218)->IsVisible());
    EXPECT_EQ(In<MControl>(54, 208)->GetRect().top, speed_top) << "colour took the speed's place";
    EXPECT_EQ(In<MControl>(54, 192)->GetRect().bottom, 738);

    layout(0x3);  // flowing: sliders only
    EXPECT_EQ(In<MControl>(54, 192)->GetRect(), (Rect{230, 80, 730, 510}));
    layout(0);  // off
    EXPECT_EQ(In<MControl>(54, 192)->GetRect(), (Rect{230, 80, 730, 250}));
    EXPECT_TRUE(In<MControl>(54, 197)->IsVisible());
    EXPECT_FALSE(In<MControl>(54, 204)->IsVisible());
    EXPECT_LT(In<MControl>(54, 197)->GetRect().bottom, colour_top);
}

}  // namespace
}  // namespace tessaly::ui
