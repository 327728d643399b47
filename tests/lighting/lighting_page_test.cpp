#include <gmock/gmock.h>

#include "lighting/light_defaults.h"
#include "lighting_fixture.h"
#include "ui/dialogs/colour_values.h"
#include "ui/ids/lighting_page_ids.h"
#include "ui/ids/main_window_ids.h"

namespace tessaly::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using T = NumberedLanguage;

constexpr std::array<bool, kLightingEffectCount> kAllEffects{true, true, true, true, true, true};
constexpr std::array<bool, kLightingEffectCount> kSteadyAndOff{true, false, false,
                                                               true, false, false};

std::vector<int> Modes(int profile) {
    std::vector<LightSetting> lights;
    ListLights(profile, lights);
    std::vector<int> modes;
    for (const LightSetting& light : lights) {
        modes.push_back(light.mode);
    }
    return modes;
}

TEST_F(LightingTest, ANewProfileGetsOneDefaultRowPerEffectWithTheFirstActive) {
    page->Refresh();
    EXPECT_THAT(Modes(profile), ElementsAre(1, 2, 3, 4, 5, 0));
    const LightSetting breathing = Row(2);
    EXPECT_EQ(breathing.name, u"呼吸");
    EXPECT_EQ(breathing.reserved, 281);
    EXPECT_EQ(breathing.config_func, 0x813);
    EXPECT_EQ(breathing.brightness, 4);
    EXPECT_EQ(breathing.speed, 2);
    EXPECT_EQ(breathing.colorful, 1);
    EXPECT_EQ(breathing.color_values[2], 0xFF0000);
    EXPECT_EQ(breathing.color_values[6], 0xFFFFFF);
    EXPECT_EQ(Row(0).config_func, 0);
    EXPECT_EQ(Row(3).config_func, 0x11);
    EXPECT_EQ(GetActiveLightMode(profile), 1);

    auto* list = In<DUI::MComboBox>(lighting_id::kEffectList);
    ASSERT_EQ(list->GetItemCount(), 6);
    EXPECT_EQ(list->GetItemText(0), T::T(280));
    EXPECT_EQ(list->GetItemText(5), T::T(285));
    EXPECT_EQ(list->GetItemData(5), 0);
    EXPECT_EQ(list->GetCurData(), 1);
    EXPECT_EQ(page->ShownMode(), 1);

    // A second refresh finds rows and adds none.
    page->Refresh();
    EXPECT_EQ(CountLights(profile), 6);
    EXPECT_EQ(In<DUI::MComboBox>(lighting_id::kEffectList)->GetItemCount(), 6);
}

TEST_F(LightingTest, AModelWithoutTheFirstEffectShowsTheOffEffect) {
    UseModel(OfferedEffects(kSteadyAndOff));
    ASSERT_TRUE(CreateDefaultLights(profile, DeviceCatalogue::Instance().Options()));
    EXPECT_THAT(Modes(profile), ElementsAre(3, 0));
    EXPECT_EQ(GetActiveLightMode(profile), 0);
    EXPECT_EQ(Row(0).status, 0);

    page->Refresh();
    EXPECT_EQ(In<DUI::MComboBox>(lighting_id::kEffectList)->GetCurData(), 0);
    EXPECT_EQ(page->ShownMode(), 0);
    EXPECT_EQ(Row(0).status, 1);  // showing it made it the active one
    EXPECT_EQ(Row(3).status, 0);
}

TEST_F(LightingTest, TheMaskDecidesTheGroupsAndTheContentHeight) {
    page->Refresh();
    struct Case {
        int mode;
        bool brightness, speed, colour, slots;
        int height;
    };
    const Case cases[] = {
        {2, true, true, true, true, 658},      // 0x813
        {3, true, false, true, false, 658},    // 0x11
        {0, false, false, false, false, 170},  // 0
        {1, true, true, false, false, 430},    // 3
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(ChooseEffect(c.mode)) << c.mode;
        EXPECT_EQ(Visible(lighting_id::kBrightnessSlider), c.brightness) << c.mode;
        EXPECT_EQ(Visible(lighting_id::kSpeedSlider), c.speed) << c.mode;
        EXPECT_EQ(Visible(lighting_id::kPalette), c.colour) << c.mode;
        EXPECT_EQ(Visible(lighting_id::kFirstSlot), c.slots) << c.mode;
        EXPECT_EQ(In(lighting_id::kBackground)->GetRect().Height(), c.height) << c.mode;
        EXPECT_EQ(GetActiveLightMode(profile), c.mode);
        EXPECT_EQ(host.state.current_light_effect.load(), c.mode);
    }
    EXPECT_THAT(host.tasks, ElementsAre(8, 8, 8, 8));
    EXPECT_EQ(host.waits, 4);
}

TEST_F(LightingTest, ShowingAnEffectPutsItsValuesOnThePage) {
    page->Refresh();
    LightSetting breathing = Row(2);
    breathing.brightness = 1;
    breathing.speed = 3;
    breathing.color_values[4] = 0x123456;
    ASSERT_TRUE(UpdateLight(2, breathing));
    ASSERT_TRUE(ChooseEffect(2));
    EXPECT_EQ(In<DUI::LightSlider>(lighting_id::kBrightnessSlider)->GetProgress(), 1);
    EXPECT_EQ(In<DUI::LightSlider>(lighting_id::kSpeedSlider)->GetProgress(), 3);
    EXPECT_EQ(In<DUI::MText>(lighting_id::kBrightnessValue)->GetTitle(), T::T(278) + u": 25%");
    EXPECT_EQ(In<DUI::MText>(lighting_id::kSpeedValue)->GetTitle(), T::T(279) + u": 3");
    EXPECT_EQ(In<DUI::CColorButton>(lighting_id::kFirstSlot + 4)->GetColor(), BgrToArgb(0x123456));
    EXPECT_TRUE(In<DUI::CColorButton>(lighting_id::kFirstSlot)->GetCheck());
}

class LightingShownTest : public LightingTest {
  protected:
    void SetUp() override {
        DeviceOptions options;
        options.mouse_picture = u"device\\tx7w.png";
        UseModel(options);
        LightingTest::SetUp();
    }
    std::u16string Field(int id) { return In<DUI::MEdit>(id)->GetTitle(); }
    DUI::MPicture::LightZone Zone() {
        return dynamic_cast<DUI::MPicture*>(dlg->GetControl(main_id::kMousePicture))
            ->GetLightZone();
    }
    static constexpr std::u16string_view kZoneImage = u"device\\tx7w_light.png";
};

TEST_F(LightingShownTest, TheSingleColourIsShownInTheFieldsThePaletteAndThePicture) {
    page->Refresh();
    LightSetting steady = Row(3);
    steady.color_values[0] = 0x2040C0;
    steady.brightness = 2;
    ASSERT_TRUE(UpdateLight(3, steady));
    ASSERT_TRUE(ChooseEffect(3));
    EXPECT_EQ(Field(231), u"192");
    EXPECT_EQ(Field(232), u"64");
    EXPECT_EQ(Field(233), u"32");
    EXPECT_EQ(In<DUI::MPalette>(226)->GetSelectColor(), BgrToArgb(0x2040C0));
    EXPECT_EQ(In<DUI::CArea>(227)->GetColor(), BgrToArgb(0x2040C0));
    // Half brightness: the colour at half strength.
    EXPECT_EQ(Zone(), (DUI::MPicture::LightZone{std::u16string(kZoneImage), {0x7FC04020}}));

    // A preset moves the palette's marker and the picture with it.
    ASSERT_TRUE(DUI::HeadlessBackend::Click(*dlg, 213));  // 0x06FF00
    EXPECT_EQ(In<DUI::MPalette>(226)->GetSelectColor(), BgrToArgb(0x06FF00));
    EXPECT_EQ(Zone().colours, std::vector<DUI::Color>{0x7F00FF06});
    ASSERT_TRUE(Deliver(204, DUI::kEventActivated, 4));  // the slider let go at full
    EXPECT_EQ(Zone().colours, std::vector<DUI::Color>{0xFF00FF06});

    // Shown again later, the preset of the stored colour is the checked one.
    ASSERT_TRUE(ChooseEffect(0));
    ASSERT_TRUE(ChooseEffect(3));
    EXPECT_EQ(Field(232), u"255");
    EXPECT_TRUE(In<DUI::CColorButton>(213)->GetCheck());
    EXPECT_FALSE(In<DUI::CColorButton>(209)->GetCheck());
}

TEST_F(LightingShownTest, ThePictureShowsEveryColourOfAnEffectAndNoneWhenOff) {
    page->Refresh();
    ASSERT_TRUE(ChooseEffect(2));
    std::vector<DUI::Color> seven;
    for (int bgr : kDefaultLightColours) {
        seven.push_back(BgrToArgb(static_cast<uint32_t>(bgr)));
    }
    EXPECT_EQ(Zone().colours, seven);
    ASSERT_TRUE(ChooseEffect(0));
    EXPECT_EQ(Zone(), (DUI::MPicture::LightZone{std::u16string(kZoneImage), {}}));
}

TEST_F(LightingTest, TheSlidersStoreOnReleaseOnly) {
    page->Refresh();
    ASSERT_TRUE(ChooseEffect(2));
    host.tasks.clear();

    // Dragging moves only the texts; the speed text then has a full-width colon.
    ASSERT_TRUE(Deliver(lighting_id::kSpeedSlider, 3, 4));
    EXPECT_EQ(In<DUI::MText>(lighting_id::kSpeedValue)->GetTitle(), T::T(279) + u"：4");
    ASSERT_TRUE(Deliver(lighting_id::kBrightnessSlider, 3, 3));
    EXPECT_EQ(In<DUI::MText>(lighting_id::kBrightnessValue)->GetTitle(), T::T(278) + u": 75%");
    EXPECT_EQ(Row(2).speed, 2);
    EXPECT_EQ(Row(2).brightness, 4);
    EXPECT_THAT(host.tasks, IsEmpty());

    ASSERT_TRUE(Deliver(lighting_id::kBrightnessSlider, DUI::kEventActivated, 3));
    EXPECT_EQ(In<DUI::MText>(lighting_id::kBrightnessValue)->GetTitle(), T::T(278) + u": 75%");
    EXPECT_EQ(Row(2).brightness, 3);
    ASSERT_TRUE(Deliver(lighting_id::kSpeedSlider, DUI::kEventActivated, 4));
    EXPECT_EQ(Row(2).speed, 4);
    EXPECT_EQ(In<DUI::MText>(lighting_id::kSpeedValue)->GetTitle(), T::T(279) + u": 4");
    EXPECT_THAT(host.tasks, ElementsAre(8, 8));
}

TEST_F(LightingTest, APresetGoesIntoTheFirstCheckedSlot) {
    page->Refresh();
    ASSERT_TRUE(ChooseEffect(2));
    ASSERT_TRUE(DUI::HeadlessBackend::Click(*dlg, lighting_id::kFirstSlot + 2));
    EXPECT_FALSE(In<DUI::CColorButton>(lighting_id::kFirstSlot)->GetCheck());
    ASSERT_TRUE(DUI::HeadlessBackend::Click(*dlg, lighting_id::kFirstPreset + 4));  // 0x06FF00

    const LightSetting breathing = Row(2);
    EXPECT_EQ(breathing.color_values[2], 0x06FF00);
    EXPECT_EQ(In<DUI::CColorButton>(lighting_id::kFirstSlot + 2)->GetColor(), BgrToArgb(0x06FF00));
    EXPECT_EQ(In<DUI::CArea>(lighting_id::kPreview)->GetColor(), BgrToArgb(0x06FF00));
    EXPECT_EQ(In<DUI::MEdit>(lighting_id::kRedField)->GetTitle(), u"0");
    EXPECT_EQ(In<DUI::MEdit>(lighting_id::kGreenField)->GetTitle(), u"255");
    EXPECT_EQ(In<DUI::MEdit>(lighting_id::kBlueField)->GetTitle(), u"6");
    EXPECT_EQ(host.tasks.back(), 8);
}

TEST_F(LightingTest, TypedComponentsAreLimitedTo255) {
    page->Refresh();
    ASSERT_TRUE(ChooseEffect(3));
    ASSERT_TRUE(DUI::HeadlessBackend::Type(*dlg, lighting_id::kGreenField, u"0"));
    ASSERT_TRUE(DUI::HeadlessBackend::Type(*dlg, lighting_id::kBlueField, u"16"));
    ASSERT_TRUE(DUI::HeadlessBackend::Type(*dlg, lighting_id::kRedField, u"300"));
    ASSERT_TRUE(Deliver(lighting_id::kRedField, 26));
    EXPECT_EQ(In<DUI::MEdit>(lighting_id::kRedField)->GetTitle(), u"255");
    EXPECT_EQ(Row(3).color_values[0], 0x1000FF);
    EXPECT_EQ(In<DUI::CArea>(lighting_id::kPreview)->GetColor(), BgrToArgb(0x1000FF));
}

TEST_F(LightingTest, ThePaletteAppliesOnlyItsFinalColour) {
    page->Refresh();
    ASSERT_TRUE(ChooseEffect(3));
    ASSERT_TRUE(DUI::HeadlessBackend::Click(*dlg, lighting_id::kFirstPreset + 1));
    host.tasks.clear();

    ASSERT_TRUE(Deliver(lighting_id::kPalette, 27, static_cast<intptr_t>(BgrToArgb(0x102030))));
    EXPECT_FALSE(In<DUI::CColorButton>(lighting_id::kFirstPreset + 1)->GetCheck());
    EXPECT_EQ(In<DUI::MEdit>(lighting_id::kRedField)->GetTitle(), u"48");
    EXPECT_EQ(Row(3).color_values[0], 0xFF00F0);  // still the preset
    EXPECT_THAT(host.tasks, IsEmpty());

    ASSERT_TRUE(Deliver(lighting_id::kPalette, DUI::kEventActivated,
                        static_cast<intptr_t>(BgrToArgb(0x405060))));
    EXPECT_EQ(Row(3).color_values[0], 0x405060);
    EXPECT_THAT(host.tasks, ElementsAre(8));
}

TEST_F(LightingTest, ResetAsksThenRecreatesTheRowsAndRestores) {
    page->Refresh();
    LightSetting steady = Row(3);
    steady.brightness = 0;
    ASSERT_TRUE(UpdateLight(3, steady));

    host.box_answer = 2;
    ASSERT_TRUE(DUI::HeadlessBackend::Click(*dlg, lighting_id::kReset));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].message, T::T(276));
    EXPECT_EQ(host.boxes[0].title, T::T(275));
    EXPECT_EQ(host.boxes[0].buttons, 4u);
    EXPECT_EQ(Row(3).brightness, 0);
    EXPECT_THAT(host.tasks, IsEmpty());

    host.box_answer = 1;
    ASSERT_TRUE(DUI::HeadlessBackend::Click(*dlg, lighting_id::kReset));
    EXPECT_EQ(Row(3).brightness, 4);
    EXPECT_THAT(host.tasks, ElementsAre(17));
}

TEST_F(LightingTest, AProfileWithoutTheChosenRowLeavesThePageAsItWas) {
    page->Refresh();
    ASSERT_TRUE(ChooseEffect(2));
    ASSERT_TRUE(DeleteLights(profile));
    ASSERT_TRUE(ChooseEffect(0));
    EXPECT_EQ(page->ShownMode(), 2);
    EXPECT_TRUE(Visible(lighting_id::kFirstSlot));
}

}  // namespace
}  // namespace tessaly::test
