#include "ui/pages/button_page.h"

#include <array>

#include "base/text_format.h"
#include "ui/ids/button_page_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/control_table.h"
#include "ui/pages/page_look.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;
namespace t = text;

namespace {

constexpr std::u16string_view kCombo = u"img_combobox.png";
constexpr std::u16string_view kEdit = u"img_edit.png";
constexpr std::u16string_view kClosePanel = u"btn_close.png";

constexpr ControlSpec kPageRows[] = {
    {.class_name = "MPicture",
     .id = button_id::kBackground,
     .flags = kArea,
     .image = u"img_area_bkg.png"},
    {.class_name = "MText", .id = button_id::kTitle, .flags = kArea, .text = t::kButtonPageTitle},
    {.class_name = "MText",
     .id = button_id::kListCaption,
     .flags = kArea,
     .text = t::kButtonListCaption},
    {.class_name = "MButton",
     .id = button_id::kResetAll,
     .image = kButtonImage,
     .frames = 4,
     .text = t::kResetAllButtons},
    {.class_name = "MouseKeyCtrl", .id = button_id::kList, .image = u"img_list_bkg.png"},
    {.class_name = "MouseCtrl", .id = button_id::kPicture, .image = u"img_key_bkg.png"},
};

constexpr ControlSpec Label(int id, int text) {
    return {.class_name = "MText", .id = id, .flags = kArea, .text = text};
}
constexpr ControlSpec Choice(int id) {
    return {.class_name = "MComboBox2", .id = id, .image = kCombo, .frames = 4};
}
constexpr ControlSpec Switch(int id, int text) {
    return {.class_name = "MButton2", .id = id, .image = kButtonImage, .frames = 4, .text = text};
}
constexpr ControlSpec Modifier(int id, std::u16string_view name) {
    return {.class_name = "MButton3",
            .id = id,
            .flags = kHidden,
            .image = u"btn_checkbox.png",
            .frames = 8,
            .literal = name};
}

// Sub-page 51: the function panel, then the two small panels (hidden).
constexpr ControlSpec kPanelRows[] = {
    {.class_name = "MPicture",
     .id = button_id::kPanelBackground,
     .flags = kArea,
     .image = u"img_area_content.png"},
    Label(button_id::kButtonName, t::kKey),
    {.class_name = "CImageButton",
     .id = button_id::kResetButton,
     .image = u"btn_reset.png",
     .frames = 4,
     .tooltip = t::kResetButtonTip},
    Label(button_id::kMouseCaption, t::kMouseFunctions),
    Choice(button_id::kMouseChoice),
    Label(button_id::kMultimediaCaption, t::kMultimedia),
    Choice(button_id::kMultimediaChoice),
    Label(button_id::kMacroCaption, t::kMacro),
    Choice(button_id::kMacroChoice),
    Label(button_id::kShortcutChoice, t::kShortcuts),
    Choice(button_id::kShortcutChoice),
    Label(button_id::kDpiCaption, t::kDpiFunctions),
    Choice(button_id::kDpiChoice),
    Label(button_id::kSpecialCaption, t::kSpecialFunctions),
    Choice(button_id::kSpecialChoice),
    Label(button_id::kCombinationCaption, t::kKeyCombination),
    Switch(button_id::kOpenCombination, t::kSettings),
    Label(button_id::kRepeatCaption, t::kRapidFire),
    Switch(button_id::kOpenRepeat, t::kSettings),
    Label(button_id::kDisableCaption, t::kDisable),
    Switch(button_id::kDisable, t::kDisable),

    {.class_name = "MPicture",
     .id = button_id::kCombinationBackground,
     .flags = kArea | kHidden,
     .image = u"img_area3.png"},
    {.class_name = "CImageButton",
     .id = button_id::kCloseCombination,
     .flags = kHidden,
     .image = kClosePanel,
     .frames = 4,
     .tooltip = t::kClosePanel},
    {.class_name = "MText",
     .id = button_id::kCombinationTitle,
     .flags = kArea | kHidden,
     .text = t::kKeyCombination},
    {.class_name = "MEdit",
     .id = button_id::kCapturedKey,
     .flags = kHidden,
     .image = kEdit,
     .tip = t::kPressAKey},
    Modifier(button_id::kCtrl, u"Ctrl"),
    Modifier(button_id::kWin, u"Win"),
    Modifier(button_id::kAlt, u"Alt"),
    Modifier(button_id::kShift, u"Shift"),
    {.class_name = "MButton",
     .id = button_id::kApplyCombination,
     .flags = kHidden,
     .image = kButtonImage,
     .frames = 4,
     .text = t::kApply},

    {.class_name = "MPicture",
     .id = button_id::kRepeatBackground,
     .flags = kArea | kHidden,
     .image = u"img_area3.png"},
    {.class_name = "MText",
     .id = button_id::kRepeatTitle,
     .flags = kArea | kHidden,
     .text = t::kRapidFire},
    {.class_name = "MText",
     .id = button_id::kRepeatCountCaption,
     .flags = kArea | kHidden,
     .text = t::kRepeatCount},
    {.class_name = "MEdit", .id = button_id::kRepeatSecond, .flags = kHidden, .image = kEdit},
    {.class_name = "MText",
     .id = button_id::kRepeatIntervalCaption,
     .flags = kArea | kHidden,
     .text = t::kRepeatInterval},
    {.class_name = "MEdit", .id = button_id::kRepeatFirst, .flags = kHidden, .image = kEdit},
    {.class_name = "MText",
     .id = button_id::kRepeatIntervalUnit,
     .flags = kArea | kHidden,
     .text = t::kMilliseconds},
    {.class_name = "MButton",
     .id = button_id::kApplyRepeat,
     .flags = kHidden,
     .image = kButtonImage,
     .frames = 4,
     .text = t::kApply},
    {.class_name = "CImageButton",
     .id = button_id::kCloseRepeat,
     .flags = kHidden,
     .image = kClosePanel,
     .frames = 4},
};

// The function choices: items (text → data) and the resting selection.
struct ChoiceItems {
    int id;
    int nth;
    std::span<const ListItemSpec> items;
    int resting;
};
const ChoiceItems kChoices[] = {
    {button_id::kMouseChoice, 0, MouseFunctionItems(), 0},
    {button_id::kMultimediaChoice, 0, MediaFunctionItems(), 3},
    {button_id::kShortcutChoice, 1, ShortcutFunctionItems(), 2},
    {button_id::kDpiChoice, 0, DpiFunctionItems(), 0},
    {button_id::kSpecialChoice, 0, SpecialFunctionItems(), 0},
};

void FillInitialState(const MDialog& dlg, const MTabLayout* page, const MTabLayout* panel) {
    for (const ChoiceItems& choice : kChoices) {
        MControl* list = FindInPage(dlg, panel, choice.id, choice.nth);
        AddListItems(list, choice.items);
        if (auto* box = dynamic_cast<MComboBox*>(list)) {
            box->SelectItem(choice.resting);
        }
    }
    if (auto* mouse = dynamic_cast<MComboBox2*>(FindInPage(dlg, panel, button_id::kMouseChoice))) {
        mouse->SetCheck(true);
    }
    if (auto* buttons = dynamic_cast<MouseKeyCtrl*>(FindInPage(dlg, page, button_id::kList))) {
        for (int i = 0; i < kButtonPlaceholderRows; ++i) {
            // Key code 0 cannot be given a function, so nothing is assigned
            // before a mouse is selected.
            buttons->AddItem(ButtonPlaceholderName(i), u"", 0);
        }
    }
    for (int id : {button_id::kRepeatSecond, button_id::kRepeatFirst}) {
        if (auto* field = dynamic_cast<MEdit*>(FindInPage(dlg, panel, id))) {
            field->SetInputMode(EditMode::kNumber);
            field->SetLimitText(3);
        }
    }
    if (auto* capture = dynamic_cast<MEdit*>(FindInPage(dlg, panel, button_id::kCapturedKey))) {
        capture->SetInputMode(EditMode::kCapture);
    }
}

// Page 50 at the content origin (230, 80); the background is narrow until a
// button is selected.
constexpr Placement kPagePlacements[] = {
    {button_id::kBackground, 0, {0, 0, 260, 658}},   {button_id::kTitle, 0, {15, 5, 245, 40}},
    {button_id::kListCaption, 0, {15, 45, 245, 75}}, {button_id::kList, 0, {15, 80, 245, 560}},
    {button_id::kResetAll, 0, {30, 600, 230, 635}},  {button_id::kPicture, 0, {500, 0, 1030, 658}},
};

// Sub-page 51 at its own origin: the function panel in one column (each
// switch under its label, so both have the column's width), the small panels
// to its right, one over the other.
constexpr Placement kPanelPlacements[] = {
    {button_id::kPanelBackground, 0, {0, 0, 250, 600}},
    {button_id::kButtonName, 0, {10, 5, 205, 35}},
    {button_id::kResetButton, 0, {212, 5, 242, 35}},
    {button_id::kMouseCaption, 0, {10, 45, 240, 70}},
    {button_id::kMouseChoice, 0, {10, 70, 240, 100}},
    {button_id::kMultimediaCaption, 0, {10, 105, 240, 130}},
    {button_id::kMultimediaChoice, 0, {10, 130, 240, 160}},
    {button_id::kMacroCaption, 0, {10, 165, 240, 190}},
    {button_id::kMacroChoice, 0, {10, 190, 240, 220}},
    {button_id::kShortcutChoice, 0, {10, 225, 240, 250}},
    {button_id::kShortcutChoice, 1, {10, 250, 240, 280}},
    {button_id::kDpiCaption, 0, {10, 285, 240, 310}},
    {button_id::kDpiChoice, 0, {10, 310, 240, 340}},
    {button_id::kSpecialCaption, 0, {10, 345, 240, 370}},
    {button_id::kSpecialChoice, 0, {10, 370, 240, 400}},
    {button_id::kCombinationCaption, 0, {10, 410, 240, 432}},
    {button_id::kOpenCombination, 0, {10, 434, 135, 462}},
    {button_id::kRepeatCaption, 0, {10, 470, 240, 492}},
    {button_id::kOpenRepeat, 0, {10, 494, 135, 522}},
    {button_id::kDisableCaption, 0, {10, 530, 240, 552}},
    {button_id::kDisable, 0, {10, 554, 135, 582}},

    {button_id::kCombinationBackground, 0, {250, 45, 590, 245}},
    {button_id::kCloseCombination, 0, {555, 50, 585, 80}},
    {button_id::kCombinationTitle, 0, {265, 50, 545, 80}},
    {button_id::kCapturedKey, 0, {265, 90, 575, 120}},
    {button_id::kCtrl, 0, {265, 135, 335, 165}},
    {button_id::kWin, 0, {340, 135, 410, 165}},
    {button_id::kAlt, 0, {415, 135, 485, 165}},
    {button_id::kShift, 0, {490, 135, 575, 165}},
    {button_id::kApplyCombination, 0, {415, 195, 575, 230}},

    {button_id::kRepeatBackground, 0, {250, 45, 590, 245}},
    {button_id::kCloseRepeat, 0, {555, 50, 585, 80}},
    {button_id::kRepeatTitle, 0, {265, 50, 545, 80}},
    {button_id::kRepeatCountCaption, 0, {265, 90, 425, 120}},
    {button_id::kRepeatSecond, 0, {435, 90, 575, 120}},
    {button_id::kRepeatIntervalCaption, 0, {265, 135, 425, 165}},
    {button_id::kRepeatFirst, 0, {435, 135, 515, 165}},
    {button_id::kRepeatIntervalUnit, 0, {520, 135, 575, 165}},
    {button_id::kApplyRepeat, 0, {415, 195, 575, 230}},
};

// A mouse's buttons have distinct key codes; the placeholders all have 0.
bool HoldsPlaceholders(const MouseKeyCtrl& list) {
    if (list.GetItemCount() != kButtonPlaceholderRows) {
        return false;
    }
    for (int i = 0; i < kButtonPlaceholderRows; ++i) {
        if (list.GetItemKeyValue(i) != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::u16string ButtonPlaceholderName(int index) {
    return Format(u"%s %d", LoadLanguageString(t::kKey), index + 1);
}

void BuildButtonPage(MDialog& dlg, MTabLayout& page, MTabLayout& custom_key_page,
                     const PageStyle& style) {
    CreateControls(dlg, &page, kPageRows, style);
    CreateControls(dlg, &custom_key_page, kPanelRows, style);
    FillInitialState(dlg, &page, &custom_key_page);
}

void LayoutButtonPage(MDialog& dlg, Rect, float scale) {
    const MTabLayout* page = FindPage(dlg, kButtonPageId);
    const MTabLayout* panel =
        dynamic_cast<const MTabLayout*>(FindInPage(dlg, page, kCustomKeyPageId));
    if (page == nullptr || panel == nullptr) {
        return;
    }
    Place(dlg, page, {230, 80}, scale, kPagePlacements);
    if (panel->IsVisible()) {
        // A selected button widens the background over the panel.
        Place(dlg, page, {230, 80}, scale,
              std::array<Placement, 1>{{{button_id::kBackground, 0, {0, 0, 500, 658}}}});
    }
    const Rect area = panel->GetRect();
    Place(dlg, panel, {area.left, area.top}, scale, kPanelPlacements);
}

void ReapplyButtonPageTexts(MDialog& dlg, const PageStyle& style,
                            std::span<const std::u16string> button_names) {
    const MTabLayout* page = FindPage(dlg, kButtonPageId);
    const MTabLayout* panel =
        dynamic_cast<const MTabLayout*>(FindInPage(dlg, page, kCustomKeyPageId));
    ReapplyTexts(dlg, page, kPageRows, style);
    ReapplyTexts(dlg, panel, kPanelRows, style);
    for (const ChoiceItems& choice : kChoices) {
        ReapplyListItems(FindInPage(dlg, panel, choice.id, choice.nth), choice.items);
    }
    auto* list = dynamic_cast<MouseKeyCtrl*>(FindInPage(dlg, page, button_id::kList));
    auto* picture = dynamic_cast<MouseCtrl*>(FindInPage(dlg, page, button_id::kPicture));
    if (list == nullptr || picture == nullptr) {
        return;
    }
    if (button_names.empty()) {
        if (HoldsPlaceholders(*list)) {
            for (int i = 0; i < list->GetItemCount(); ++i) {
                list->SetItemText(i, ButtonPlaceholderName(i));
            }
        }
        return;
    }
    for (int i = 0; i < list->GetItemCount() && static_cast<size_t>(i) < button_names.size(); ++i) {
        list->SetItemText(i, button_names[i]);
    }
    for (int i = 0; i < picture->GetItemCount() && static_cast<size_t>(i) < button_names.size();
         ++i) {
        picture->SetItemText(i, button_names[i]);
    }
}

}  // namespace tessaly::ui
