#include "ui/pages/lighting_page.h"

#include <algorithm>
#include <array>

#include "base/text_format.h"
#include "ui/dialogs/colour_values.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;
namespace t = text;

namespace {

constexpr std::u16string_view kGroupArea = u"img_area_content.png";
constexpr std::u16string_view kPresetGroup = u"DEFAULTCOLOR";
constexpr std::u16string_view kSlotGroup = u"COLORVALUE";

// Background pictures of the groups; the design numbers only their contents.
constexpr int kEffectArea = 195;
constexpr int kBrightnessArea = 198;
constexpr int kSpeedArea = 199;
constexpr int kColourArea = 234;
constexpr int kSlotArea = 235;

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
    {.class_name = "MPicture", .id = 192, .flags = kArea, .image = u"img_area_bkg.png"},
    {.class_name = "MPicture", .id = 193, .flags = kArea, .image = u"img_area_caption.png"},
    Caption(194, t::kLightingPageTitle),
    {.class_name = "CImageButton",
     .id = 201,
     .image = u"btn_reset.png",
     .frames = 4,
     .tooltip = t::kResetLightingTitle},
    Area(kEffectArea),
    Caption(196, t::kLightingEffect),
    {.class_name = "MComboBox", .id = 197, .image = u"img_combobox.png", .frames = 4},
    Area(kBrightnessArea),
    Caption(200, t::kBrightnessAndSpeed),
    Caption(202, t::kBrightnessCaption),
    Caption(203, 0),
    {.class_name = "LightSlider", .id = 204},
    Area(kSpeedArea),
    Caption(205, t::kSpeedCaption),
    Caption(206, 0),
    {.class_name = "LightSlider", .id = 207},
    Area(kColourArea),
    Caption(208, t::kSingleColour),
    Swatch(209, kPresetGroup),
    Swatch(210, kPresetGroup),
    Swatch(211, kPresetGroup),
    Swatch(212, kPresetGroup),
    Swatch(213, kPresetGroup),
    Swatch(214, kPresetGroup),
    Swatch(215, kPresetGroup),
    Swatch(216, kPresetGroup),
    Caption(225, t::kCustomColour),
    {.class_name = "MPalette", .id = 226},
    {.class_name = "CArea", .id = 227, .flags = kArea},
    Fixed(228, u"R:"),
    Fixed(229, u"G:"),
    Fixed(230, u"B:"),
    Field(231),
    Field(232),
    Field(233),
    Area(kSlotArea),
    Caption(217, t::kColourSlots),
    Swatch(218, kSlotGroup),
    Swatch(219, kSlotGroup),
    Swatch(220, kSlotGroup),
    Swatch(221, kSlotGroup),
    Swatch(222, kSlotGroup),
    Swatch(223, kSlotGroup),
    Swatch(224, kSlotGroup),
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
    {kEffectArea, 0, {0, 0, kWidth, 60}},
    {196, 0, {15, 15, 165, 45}},
    {197, 0, {170, 15, 420, 45}},
};
constexpr Placement kBrightnessGroup[] = {
    {kBrightnessArea, 0, {0, 0, kWidth, 110}},
    {200, 0, {15, 5, 300, 35}},
    {202, 0, {15, 40, 150, 70}},
    {203, 0, {300, 40, 455, 70}},
    {204, 0, {15, 75, 455, 100}},
};
constexpr Placement kSpeedGroup[] = {
    {kSpeedArea, 0, {0, 0, kWidth, 80}},
    {205, 0, {15, 5, 150, 35}},
    {206, 0, {300, 5, 455, 35}},
    {207, 0, {15, 40, 455, 70}},
};
constexpr Placement kColourGroup[] = {
    {kColourArea, 0, {0, 0, kWidth, 260}},
    {208, 0, {15, 5, 300, 35}},
    {209, 0, {15, 40, 41, 66}},
    {210, 0, {50, 40, 76, 66}},
    {211, 0, {85, 40, 111, 66}},
    {212, 0, {120, 40, 146, 66}},
    {213, 0, {155, 40, 181, 66}},
    {214, 0, {190, 40, 216, 66}},
    {215, 0, {225, 40, 251, 66}},
    {216, 0, {260, 40, 286, 66}},
    {225, 0, {15, 75, 200, 105}},
    {226, 0, {15, 110, 185, 240}},
    {227, 0, {200, 110, 290, 155}},
    {228, 0, {200, 165, 230, 190}},
    {229, 0, {200, 195, 230, 220}},
    {230, 0, {200, 225, 230, 250}},
    {231, 0, {230, 165, 290, 190}},
    {232, 0, {230, 195, 290, 220}},
    {233, 0, {230, 225, 290, 250}},
};
constexpr Placement kSlotGroupMembers[] = {
    {kSlotArea, 0, {0, 0, kWidth, 50}}, {217, 0, {15, 12, 160, 38}},  {218, 0, {170, 12, 196, 38}},
    {219, 0, {205, 12, 231, 38}},       {220, 0, {240, 12, 266, 38}}, {221, 0, {275, 12, 301, 38}},
    {222, 0, {310, 12, 336, 38}},       {223, 0, {345, 12, 371, 38}}, {224, 0, {380, 12, 406, 38}},
};
constexpr Group kGroups[] = {
    {kEffectArea, 0, 60, kEffectGroup},        {kBrightnessArea, 0x1, 110, kBrightnessGroup},
    {kSpeedArea, 0x2, 80, kSpeedGroup},        {kColourArea, 0x10, 260, kColourGroup},
    {kSlotArea, 0x800, 50, kSlotGroupMembers},
};
constexpr int kGroupGap = 10;
constexpr int kFirstGroupTop = 50;

template <typename T>
T* Get(const MDialog& dlg, const MTabLayout* page, int id) {
    return dynamic_cast<T*>(FindInPage(dlg, page, id));
}

void FillInitialState(const MDialog& dlg, const MTabLayout* page) {
    for (size_t i = 0; i < kPresets.size(); ++i) {
        Get<CColorButton>(dlg, page, 209 + static_cast<int>(i))->SetColor(BgrToArgb(kPresets[i]));
    }
    // The slots start with the first seven presets.
    for (int i = 0; i < 7; ++i) {
        Get<CColorButton>(dlg, page, 218 + i)->SetColor(BgrToArgb(kPresets[i]));
    }
    Get<CColorButton>(dlg, page, 218)->SetCheck(true);
    Get<CArea>(dlg, page, 227)->SetColor(BgrToArgb(kPresets[0]));
    for (int id : {231, 232, 233}) {
        auto* field = Get<MEdit>(dlg, page, id);
        field->SetInputMode(EditMode::kNumber);
        field->SetLimitText(3);
    }
    auto* brightness = Get<LightSlider>(dlg, page, 204);
    brightness->SetMaxValue(kLightSliderSteps);
    brightness->SetProgress(kStartBrightness);
    auto* speed = Get<LightSlider>(dlg, page, 207);
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
    auto* brightness = Get<LightSlider>(dlg, page, 204);
    auto* speed = Get<LightSlider>(dlg, page, 207);
    if (brightness == nullptr || speed == nullptr) {
        return;
    }
    static constexpr std::array<const char16_t*, 5> kPercent{u"%s: 0%%", u"%s: 25%%", u"%s: 50%%",
                                                             u"%s: 75%%", u"%s: 100%%"};
    const int level = std::clamp(brightness->GetProgress(), 0, 4);
    Get<MText>(dlg, page, 203)
        ->SetTitle(Format(kPercent[level], LoadLanguageString(t::kBrightnessValue)));
    Get<MText>(dlg, page, 206)
        ->SetTitle(Format(u"%s: %d", LoadLanguageString(t::kSpeedValue), speed->GetProgress()));
}

void LayoutLightingPage(MDialog& dlg, Rect, float scale) {
    const MTabLayout* page = FindPage(dlg, kLightingPageId);
    if (page == nullptr) {
        return;
    }
    constexpr Point kOrigin{230, 80};
    const Placement frame[] = {
        {192, 0, {0, 0, 500, ContentHeight(dlg, page)}},
        {193, 0, {0, 0, 500, 40}},
        {194, 0, {15, 0, 300, 40}},
        {201, 0, {455, 5, 485, 35}},
    };
    Place(dlg, page, kOrigin, scale, frame);
    int top = kFirstGroupTop;
    for (const Group& group : kGroups) {
        if (!GroupShown(dlg, page, group)) {
            continue;
        }
        const Point origin{kOrigin.x + static_cast<int>(15.0f * scale),
                           kOrigin.y + static_cast<int>(static_cast<float>(top) * scale)};
        Place(dlg, page, origin, scale, group.members);
        top += group.height + kGroupGap;
    }
}

void ReapplyLightingPageTexts(MDialog& dlg, const PageStyle& style) {
    const MTabLayout* page = FindPage(dlg, kLightingPageId);
    ReapplyTexts(dlg, page, kRows, style);
    if (auto* effects = Get<MComboBox>(dlg, page, 197)) {
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
