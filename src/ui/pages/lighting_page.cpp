#include "ui/pages/lighting_page.h"

#include <algorithm>
#include <array>

#include "base/text_format.h"
#include "ui/dialogs/colour_values.h"
#include "ui/ids/lighting_page_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/control_table.h"
#include "ui/pages/page_look.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;
namespace t = text;

namespace {

constexpr std::u16string_view kGroupArea = u"img_area_content.png";
constexpr std::u16string_view kPresetGroup = u"DEFAULTCOLOR";
constexpr std::u16string_view kSlotGroup = u"COLORVALUE";

constexpr ControlSpec Area(int id) {
    return {.class_name = "MPicture", .id = id, .flags = kArea, .image = kGroupArea};
}
constexpr ControlSpec Caption(int id, int text) {
    return {.class_name = "MText", .id = id, .flags = kArea, .text = text};
}
constexpr ControlSpec Swatch(int id, std::u16string_view group) {
    return {.class_name = "CColorButton",
            .id = id,
            .image = u"btn_color.png",
            .frames = 4,
            .group = group};
}
constexpr ControlSpec Field(int id) {
    return {.class_name = "MEdit", .id = id, .image = u"img_edit.png"};
}
constexpr ControlSpec Fixed(int id, std::u16string_view label) {
    return {.class_name = "MText", .id = id, .flags = kArea, .literal = label};
}

constexpr ControlSpec kRows[] = {
    {.class_name = "MPicture",
     .id = lighting_id::kBackground,
     .flags = kArea,
     .image = u"img_area_bkg.png"},
    {.class_name = "MPicture",
     .id = lighting_id::kCaptionBar,
     .flags = kArea,
     .image = u"img_area_caption.png"},
    Caption(lighting_id::kTitle, t::kLightingPageTitle),
    {.class_name = "CImageButton",
     .id = lighting_id::kReset,
     .image = u"btn_reset.png",
     .frames = 4,
     .tooltip = t::kResetLightingTitle},
    Area(lighting_id::kEffectArea),
    Caption(lighting_id::kEffectCaption, t::kLightingEffect),
    {.class_name = "MComboBox",
     .id = lighting_id::kEffectList,
     .image = u"img_combobox.png",
     .frames = 4},
    Area(lighting_id::kBrightnessArea),
    Caption(lighting_id::kBrightnessAndSpeedCaption, t::kBrightnessAndSpeed),
    Caption(lighting_id::kBrightnessCaption, t::kBrightnessCaption),
    Caption(lighting_id::kBrightnessValue, 0),
    {.class_name = "LightSlider", .id = lighting_id::kBrightnessSlider},
    Area(lighting_id::kSpeedArea),
    Caption(lighting_id::kSpeedCaption, t::kSpeedCaption),
    Caption(lighting_id::kSpeedValue, 0),
    {.class_name = "LightSlider", .id = lighting_id::kSpeedSlider},
    Area(lighting_id::kColourArea),
    Caption(lighting_id::kSingleColourCaption, t::kSingleColour),
    Swatch(lighting_id::kFirstPreset, kPresetGroup),
    Swatch(lighting_id::kFirstPreset + 1, kPresetGroup),
    Swatch(lighting_id::kFirstPreset + 2, kPresetGroup),
    Swatch(lighting_id::kFirstPreset + 3, kPresetGroup),
    Swatch(lighting_id::kFirstPreset + 4, kPresetGroup),
    Swatch(lighting_id::kFirstPreset + 5, kPresetGroup),
    Swatch(lighting_id::kFirstPreset + 6, kPresetGroup),
    Swatch(lighting_id::kLastPreset, kPresetGroup),
    Caption(lighting_id::kCustomColourCaption, t::kCustomColour),
    {.class_name = "MPalette", .id = lighting_id::kPalette},
    {.class_name = "CArea", .id = lighting_id::kPreview, .flags = kArea},
    Fixed(lighting_id::kRedLabel, u"R:"),
    Fixed(lighting_id::kGreenLabel, u"G:"),
    Fixed(lighting_id::kBlueLabel, u"B:"),
    Field(lighting_id::kRedField),
    Field(lighting_id::kGreenField),
    Field(lighting_id::kBlueField),
    Area(lighting_id::kSlotArea),
    Caption(lighting_id::kSlotCaption, t::kColourSlots),
    Swatch(lighting_id::kFirstSlot, kSlotGroup),
    Swatch(lighting_id::kFirstSlot + 1, kSlotGroup),
    Swatch(lighting_id::kFirstSlot + 2, kSlotGroup),
    Swatch(lighting_id::kFirstSlot + 3, kSlotGroup),
    Swatch(lighting_id::kFirstSlot + 4, kSlotGroup),
    Swatch(lighting_id::kFirstSlot + 5, kSlotGroup),
    Swatch(lighting_id::kLastSlot, kSlotGroup),
};

constexpr std::array<uint32_t, 8> kPresets{0x0000FF, 0xFF00F0, 0xFF0C00, 0xFCFF00,
                                           0x06FF00, 0x00DEFF, 0x0048FF, 0xFFFFFF};
constexpr int kStartBrightness = 4;
constexpr int kStartSpeed = 2;

struct Effect {
    int mode;
    int text;
};
constexpr Effect kEffects[] = {
    {1, t::kEffectFlowing}, {2, t::kEffectBreathing},   {3, t::kEffectSteady},
    {4, t::kEffectNeon},    {5, t::kEffectRainbowWave}, {0, t::kEffectOff},
};

// One group: its area, its members relative to the group's top, its height,
// and the mask bit that shows it (0: always shown).
struct Group {
    int area_id;
    uint32_t bit;
    int height;
    std::span<const Placement> members;
};

constexpr int kWidth = 470;
constexpr Placement kEffectGroup[] = {
    {lighting_id::kEffectArea, 0, {0, 0, kWidth, 60}},
    {lighting_id::kEffectCaption, 0, {15, 15, 165, 45}},
    {lighting_id::kEffectList, 0, {170, 15, 420, 45}},
};
constexpr Placement kBrightnessGroup[] = {
    {lighting_id::kBrightnessArea, 0, {0, 0, kWidth, 110}},
    {lighting_id::kBrightnessAndSpeedCaption, 0, {15, 5, 300, 35}},
    {lighting_id::kBrightnessCaption, 0, {15, 40, 150, 70}},
    {lighting_id::kBrightnessValue, 0, {300, 40, 455, 70}},
    {lighting_id::kBrightnessSlider, 0, {15, 75, 455, 100}},
};
constexpr Placement kSpeedGroup[] = {
    {lighting_id::kSpeedArea, 0, {0, 0, kWidth, 80}},
    {lighting_id::kSpeedCaption, 0, {15, 5, 150, 35}},
    {lighting_id::kSpeedValue, 0, {300, 5, 455, 35}},
    {lighting_id::kSpeedSlider, 0, {15, 40, 455, 70}},
};
constexpr Placement kColourGroup[] = {
    {lighting_id::kColourArea, 0, {0, 0, kWidth, 260}},
    {lighting_id::kSingleColourCaption, 0, {15, 5, 300, 35}},
    {lighting_id::kFirstPreset, 0, {15, 40, 41, 66}},
    {lighting_id::kFirstPreset + 1, 0, {50, 40, 76, 66}},
    {lighting_id::kFirstPreset + 2, 0, {85, 40, 111, 66}},
    {lighting_id::kFirstPreset + 3, 0, {120, 40, 146, 66}},
    {lighting_id::kFirstPreset + 4, 0, {155, 40, 181, 66}},
    {lighting_id::kFirstPreset + 5, 0, {190, 40, 216, 66}},
    {lighting_id::kFirstPreset + 6, 0, {225, 40, 251, 66}},
    {lighting_id::kLastPreset, 0, {260, 40, 286, 66}},
    {lighting_id::kCustomColourCaption, 0, {15, 75, 200, 105}},
    {lighting_id::kPalette, 0, {15, 110, 185, 240}},
    {lighting_id::kPreview, 0, {200, 110, 290, 155}},
    {lighting_id::kRedLabel, 0, {200, 165, 230, 190}},
    {lighting_id::kGreenLabel, 0, {200, 195, 230, 220}},
    {lighting_id::kBlueLabel, 0, {200, 225, 230, 250}},
    {lighting_id::kRedField, 0, {230, 165, 290, 190}},
    {lighting_id::kGreenField, 0, {230, 195, 290, 220}},
    {lighting_id::kBlueField, 0, {230, 225, 290, 250}},
};
constexpr Placement kSlotGroupMembers[] = {
    {lighting_id::kSlotArea, 0, {0, 0, kWidth, 50}},
    {lighting_id::kSlotCaption, 0, {15, 12, 160, 38}},
    {lighting_id::kFirstSlot, 0, {170, 12, 196, 38}},
    {lighting_id::kFirstSlot + 1, 0, {205, 12, 231, 38}},
    {lighting_id::kFirstSlot + 2, 0, {240, 12, 266, 38}},
    {lighting_id::kFirstSlot + 3, 0, {275, 12, 301, 38}},
    {lighting_id::kFirstSlot + 4, 0, {310, 12, 336, 38}},
    {lighting_id::kFirstSlot + 5, 0, {345, 12, 371, 38}},
    {lighting_id::kLastSlot, 0, {380, 12, 406, 38}},
};
constexpr Group kGroups[] = {
    {lighting_id::kEffectArea, 0, 60, kEffectGroup},
    {lighting_id::kBrightnessArea, 0x1, 110, kBrightnessGroup},
    {lighting_id::kSpeedArea, 0x2, 80, kSpeedGroup},
    {lighting_id::kColourArea, 0x10, 260, kColourGroup},
    {lighting_id::kSlotArea, 0x800, 50, kSlotGroupMembers},
};
constexpr int kGroupGap = 10;

template <typename T>
T* Get(const MDialog& dlg, const MTabLayout* page, int id) {
    return dynamic_cast<T*>(FindInPage(dlg, page, id));
}

void FillInitialState(const MDialog& dlg, const MTabLayout* page) {
    for (size_t i = 0; i < kPresets.size(); ++i) {
        Get<CColorButton>(dlg, page, lighting_id::kFirstPreset + static_cast<int>(i))
            ->SetColor(BgrToArgb(kPresets[i]));
    }
    // The slots start with the first seven presets.
    for (int i = 0; i < 7; ++i) {
        Get<CColorButton>(dlg, page, lighting_id::kFirstSlot + i)->SetColor(BgrToArgb(kPresets[i]));
    }
    Get<CColorButton>(dlg, page, lighting_id::kFirstSlot)->SetCheck(true);
    Get<CArea>(dlg, page, lighting_id::kPreview)->SetColor(BgrToArgb(kPresets[0]));
    for (int id : {lighting_id::kRedField, lighting_id::kGreenField, lighting_id::kBlueField}) {
        auto* field = Get<MEdit>(dlg, page, id);
        field->SetInputMode(EditMode::kNumber);
        field->SetLimitText(3);
    }
    auto* brightness = Get<LightSlider>(dlg, page, lighting_id::kBrightnessSlider);
    brightness->SetMaxValue(kLightSliderSteps);
    brightness->SetProgress(kStartBrightness);
    auto* speed = Get<LightSlider>(dlg, page, lighting_id::kSpeedSlider);
    speed->SetMaxValue(kLightSliderSteps);
    speed->SetProgress(kStartSpeed);
}

void SetGroupVisible(const MDialog& dlg, const MTabLayout* page, const Group& group, bool visible) {
    for (const Placement& member : group.members) {
        if (MControl* control = FindInPage(dlg, page, member.id, member.nth)) {
            control->SetVisible(visible);
        }
    }
}

bool GroupShown(const MDialog& dlg, const MTabLayout* page, const Group& group) {
    const MControl* area = FindInPage(dlg, page, group.area_id);
    return area != nullptr && area->IsVisible();
}

// The page's background: tall with the colour group, shorter with only the
// sliders, just the effect list otherwise.
int ContentHeight(const MDialog& dlg, const MTabLayout* page) {
    if (GroupShown(dlg, page, kGroups[3])) {
        return 658;
    }
    if (GroupShown(dlg, page, kGroups[1])) {
        return 430;
    }
    return 170;
}

}  // namespace

int LightEffectText(int mode) {
    for (const Effect& effect : kEffects) {
        if (effect.mode == mode) {
            return effect.text;
        }
    }
    return 0;
}

void BuildLightingPage(MDialog& dlg, MTabLayout& page, const PageStyle& style) {
    CreateControls(dlg, &page, kRows, style);
    FillInitialState(dlg, &page);
    RefreshLightingValueTexts(dlg);
}

void SetLightingGroupsVisible(MDialog& dlg, uint32_t mask) {
    const MTabLayout* page = FindPage(dlg, kLightingPageId);
    for (const Group& group : kGroups) {
        if (group.bit != 0) {
            SetGroupVisible(dlg, page, group, (mask & group.bit) != 0);
        }
    }
}

void RefreshLightingValueTexts(MDialog& dlg) {
    const MTabLayout* page = FindPage(dlg, kLightingPageId);
    auto* brightness = Get<LightSlider>(dlg, page, lighting_id::kBrightnessSlider);
    auto* speed = Get<LightSlider>(dlg, page, lighting_id::kSpeedSlider);
    if (brightness == nullptr || speed == nullptr) {
        return;
    }
    static constexpr std::array<const char16_t*, 5> kPercent{u"%s: 0%%", u"%s: 25%%", u"%s: 50%%",
                                                             u"%s: 75%%", u"%s: 100%%"};
    const int level = std::clamp(brightness->GetProgress(), 0, 4);
    Get<MText>(dlg, page, lighting_id::kBrightnessValue)
        ->SetTitle(Format(kPercent[level], LoadLanguageString(t::kBrightnessValue)));
    Get<MText>(dlg, page, lighting_id::kSpeedValue)
        ->SetTitle(Format(u"%s: %d", LoadLanguageString(t::kSpeedValue), speed->GetProgress()));
}

void LayoutLightingPage(MDialog& dlg, Rect, float scale) {
    const MTabLayout* page = FindPage(dlg, kLightingPageId);
    if (page == nullptr) {
        return;
    }
    const Placement frame[] = {
        {lighting_id::kBackground, 0, {0, 0, 500, ContentHeight(dlg, page)}},
        {lighting_id::kCaptionBar, 0, {0, 0, 500, 40}},
        {lighting_id::kTitle, 0, {15, 0, 300, 40}},
        {lighting_id::kReset, 0, {455, 5, 485, 35}},
    };
    Place(dlg, page, kPageOrigin, scale, frame);
    int top = kFirstGroupTop;
    for (const Group& group : kGroups) {
        if (!GroupShown(dlg, page, group)) {
            continue;
        }
        const Point origin{kPageOrigin.x + static_cast<int>(15.0f * scale),
                           kPageOrigin.y + static_cast<int>(static_cast<float>(top) * scale)};
        Place(dlg, page, origin, scale, group.members);
        top += group.height + kGroupGap;
    }
}

void ReapplyLightingPageTexts(MDialog& dlg, const PageStyle& style) {
    const MTabLayout* page = FindPage(dlg, kLightingPageId);
    ReapplyTexts(dlg, page, kRows, style);
    if (auto* effects = Get<MComboBox>(dlg, page, lighting_id::kEffectList)) {
        // The items carry the effect's mode; the name follows from it.
        for (int i = 0; i < effects->GetItemCount(); ++i) {
            if (int number = LightEffectText(static_cast<int>(effects->GetItemData(i)))) {
                effects->SetItemText(i, LoadLanguageString(number));
            }
        }
    }
    RefreshLightingValueTexts(dlg);
}

}  // namespace tessaly::ui
