#include "ui/pages/button_page.h"

#include <array>

#include "base/text_format.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;
namespace t = text;

namespace {

constexpr std::u16string_view kButton = u"img_button.png";
constexpr std::u16string_view kCombo = u"img_combobox.png";
constexpr std::u16string_view kEdit = u"img_edit.png";
constexpr std::u16string_view kClosePanel = u"btn_close.png";

constexpr ControlSpec kPageRows[] = {
    {.class_name = "MPicture", .id = 62, .flags = kArea, .image = u"img_area_bkg.png"},
    {.class_name = "MText", .id = 64, .flags = kArea, .text = t::kButtonPageTitle},
    {.class_name = "MText", .id = 66, .flags = kArea, .text = t::kButtonListCaption},
    {.class_name = "MButton", .id = 67, .image = kButton, .frames = 4, .text = t::kResetAllButtons},
    {.class_name = "MouseKeyCtrl", .id = 68, .image = u"img_list_bkg.png"},
    {.class_name = "MouseCtrl", .id = 108, .image = u"img_key_bkg.png"},
};

constexpr ControlSpec Label(int id, int text) {
    return {.class_name = "MText", .id = id, .flags = kArea, .text = text};
}
constexpr ControlSpec Choice(int id) {
    return {.class_name = "MComboBox2", .id = id, .image = kCombo, .frames = 4};
}
constexpr ControlSpec Switch(int id, int text) {
    return {.class_name = "MButton2", .id = id, .image = kButton, .frames = 4, .text = text};
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
    {.class_name = "MPicture", .id = 69, .flags = kArea, .image = u"img_area_content.png"},
    Label(70, t::kKey),
    {.class_name = "CImageButton",
     .id = 71,
     .image = u"btn_reset.png",
     .frames = 4,
     .tooltip = t::kResetButtonTip},
    Label(72, t::kMouseFunctions),
    Choice(73),
    Label(74, t::kMultimedia),
    Choice(75),
    Label(76, t::kMacro),
    Choice(77),
    Label(79, t::kShortcuts),
    Choice(79),
    Label(80, t::kDpiFunctions),
    Choice(81),
    Label(82, t::kSpecialFunctions),
    Choice(83),
    Label(84, t::kKeyCombination),
    Switch(85, t::kSettings),
    Label(86, t::kRapidFire),
    Switch(87, t::kSettings),
    Label(88, t::kDisable),
    Switch(89, t::kDisable),

    {.class_name = "MPicture", .id = 90, .flags = kArea | kHidden, .image = u"img_area3.png"},
    {.class_name = "CImageButton",
     .id = 91,
     .flags = kHidden,
     .image = kClosePanel,
     .frames = 4,
     .tooltip = t::kClosePanel},
    {.class_name = "MText", .id = 92, .flags = kArea | kHidden, .text = t::kKeyCombination},
    {.class_name = "MEdit", .id = 93, .flags = kHidden, .image = kEdit, .tip = t::kPressAKey},
    Modifier(94, u"Ctrl"),
    Modifier(95, u"Win"),
    Modifier(96, u"Alt"),
    Modifier(97, u"Shift"),
    {.class_name = "MButton",
     .id = 98,
     .flags = kHidden,
     .image = kButton,
     .frames = 4,
     .text = t::kApply},

    {.class_name = "MPicture", .id = 99, .flags = kArea | kHidden, .image = u"img_area3.png"},
    {.class_name = "MText", .id = 100, .flags = kArea | kHidden, .text = t::kRapidFire},
    {.class_name = "MText", .id = 101, .flags = kArea | kHidden, .text = t::kRepeatCount},
    {.class_name = "MEdit", .id = 102, .flags = kHidden, .image = kEdit},
    {.class_name = "MText", .id = 103, .flags = kArea | kHidden, .text = t::kRepeatInterval},
    {.class_name = "MEdit", .id = 105, .flags = kHidden, .image = kEdit},
    {.class_name = "MText", .id = 104, .flags = kArea | kHidden, .text = t::kMilliseconds},
    {.class_name = "MButton",
     .id = 106,
     .flags = kHidden,
     .image = kButton,
     .frames = 4,
     .text = t::kApply},
    {.class_name = "CImageButton", .id = 107, .flags = kHidden, .image = kClosePanel, .frames = 4},
};

// The function choices: items (text → data) and the resting selection.
struct ChoiceItems {
    int id;
    int nth;
    std::span<const ListItemSpec> items;
    int resting;
};
const ChoiceItems kChoices[] = {
    {73, 0, MouseFunctionItems(), 0},    {75, 0, MediaFunctionItems(), 3},
    {79, 1, ShortcutFunctionItems(), 2}, {81, 0, DpiFunctionItems(), 0},
    {83, 0, SpecialFunctionItems(), 0},
};

void FillInitialState(const MDialog& dlg, const MTabLayout* page, const MTabLayout* panel) {
    for (const ChoiceItems& choice : kChoices) {
        MControl* list = FindInPage(dlg, panel, choice.id, choice.nth);
        AddListItems(list, choice.items);
        if (auto* box = dynamic_cast<MComboBox*>(list)) {
            box->SelectItem(choice.resting);
        }
    }
    if (auto* mouse = dynamic_cast<MComboBox2*>(FindInPage(dlg, panel, 73))) {
        mouse->SetCheck(true);
    }
    if (auto* buttons = dynamic_cast<MouseKeyCtrl*>(FindInPage(dlg, page, 68))) {
        for (int i = 0; i < kButtonPlaceholderRows; ++i) {
            // Key code 0 cannot be given a function, so nothing is assigned
            // before a mouse is selected.
            buttons->AddItem(ButtonPlaceholderName(i), u"", 0);
        }
    }
    for (int id : {102, 105}) {
        if (auto* field = dynamic_cast<MEdit*>(FindInPage(dlg, panel, id))) {
            field->SetInputMode(EditMode::kNumber);
            field->SetLimitText(3);
        }
    }
    if (auto* capture = dynamic_cast<MEdit*>(FindInPage(dlg, panel, 93))) {
        capture->SetInputMode(EditMode::kCapture);
    }
}

// Page 50 at the content origin (230, 80); the background is narrow until a
// button is selected.
constexpr Placement kPagePlacements[] = {
    {62, 0, {0, 0, 260, 658}},   {64, 0, {15, 5, 245, 40}},    {66, 0, {15, 45, 245, 75}},
    {68, 0, {15, 80, 245, 560}}, {67, 0, {30, 600, 230, 635}}, {108, 0, {500, 0, 1030, 658}},
};

// Sub-page 51 at its own origin: the function panel in one column (each
// switch under its label, so both have the column's width), the small panels
// to its right, one over the other.
constexpr Placement kPanelPlacements[] = {
    {69, 0, {0, 0, 250, 600}},      {70, 0, {10, 5, 205, 35}},      {71, 0, {212, 5, 242, 35}},
    {72, 0, {10, 45, 240, 70}},     {73, 0, {10, 70, 240, 100}},    {74, 0, {10, 105, 240, 130}},
    {75, 0, {10, 130, 240, 160}},   {76, 0, {10, 165, 240, 190}},   {77, 0, {10, 190, 240, 220}},
    {79, 0, {10, 225, 240, 250}},   {79, 1, {10, 250, 240, 280}},   {80, 0, {10, 285, 240, 310}},
    {81, 0, {10, 310, 240, 340}},   {82, 0, {10, 345, 240, 370}},   {83, 0, {10, 370, 240, 400}},
    {84, 0, {10, 410, 240, 432}},   {85, 0, {10, 434, 135, 462}},   {86, 0, {10, 470, 240, 492}},
    {87, 0, {10, 494, 135, 522}},   {88, 0, {10, 530, 240, 552}},   {89, 0, {10, 554, 135, 582}},

    {90, 0, {250, 45, 590, 245}},   {91, 0, {555, 50, 585, 80}},    {92, 0, {265, 50, 545, 80}},
    {93, 0, {265, 90, 575, 120}},   {94, 0, {265, 135, 335, 165}},  {95, 0, {340, 135, 410, 165}},
    {96, 0, {415, 135, 485, 165}},  {97, 0, {490, 135, 575, 165}},  {98, 0, {415, 195, 575, 230}},

    {99, 0, {250, 45, 590, 245}},   {107, 0, {555, 50, 585, 80}},   {100, 0, {265, 50, 545, 80}},
    {101, 0, {265, 90, 425, 120}},  {102, 0, {435, 90, 575, 120}},  {103, 0, {265, 135, 425, 165}},
    {105, 0, {435, 135, 515, 165}}, {104, 0, {520, 135, 575, 165}}, {106, 0, {415, 195, 575, 230}},
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
        Place(dlg, page, {230, 80}, scale, std::array<Placement, 1>{{{62, 0, {0, 0, 500, 658}}}});
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
    auto* list = dynamic_cast<MouseKeyCtrl*>(FindInPage(dlg, page, 68));
    auto* picture = dynamic_cast<MouseCtrl*>(FindInPage(dlg, page, 108));
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
