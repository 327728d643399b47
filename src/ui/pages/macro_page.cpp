#include "ui/pages/macro_page.h"

#include "ui/ids/button_page_ids.h"
#include "ui/ids/macro_page_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/shown_macro_name.h"
#include "ui/localisation/text_ids.h"
#include "ui/localisation/unit_texts.h"
#include "ui/pages/button_page.h"
#include "ui/pages/control_table.h"
#include "ui/pages/page_look.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;
namespace t = text;

namespace {

constexpr std::u16string_view kContent = u"img_area_content.png";
constexpr std::u16string_view kDelayGroup = u"IDC_MACRO_STC_DELAYSET";
constexpr std::u16string_view kPlayGroup = u"IDC_MACRO_RADIO_LOOP1";

constexpr ControlSpec Picture(int id, std::u16string_view image, uint32_t flags = 0) {
    return {.class_name = "MPicture", .id = id, .flags = kArea | flags, .image = image};
}
constexpr ControlSpec Label(int id, int text, uint32_t flags = 0) {
    return {.class_name = "MText", .id = id, .flags = kArea | flags, .text = text};
}
constexpr ControlSpec Button(int id, int text) {
    return {.class_name = "MButton", .id = id, .image = kButtonImage, .frames = 4, .text = text};
}
constexpr ControlSpec Radio(int id, int text, std::u16string_view group) {
    return {.class_name = "CRadioButton",
            .id = id,
            .image = kRadioImage,
            .frames = 8,
            .text = text,
            .group = group};
}

constexpr ControlSpec kRows[] = {
    Picture(macro_id::kBackground, u"img_area_bkg.png"),
    Picture(macro_id::kCaptionBand, u"img_area_caption.png"),
    Label(macro_id::kTitle, t::kMacroPageTitle),
    Picture(macro_id::kMacroPanel, kContent),
    Label(macro_id::kMacroListCaption, t::kMacroList),
    {.class_name = "MacroList", .id = macro_id::kMacroList, .image = u"img_list_bkg.png"},
    Button(macro_id::kNewMacro, t::kNewMacro),
    Button(macro_id::kDeleteMacro, t::kDelete),
    Button(macro_id::kFilesButton, t::kMacroFiles),
    Picture(macro_id::kEventPanel, kContent),
    Label(macro_id::kEventListCaption, t::kEventList),
    Picture(macro_id::kEventListBackground, u"img_list_bkg.png"),
    Label(macro_id::kNumberColumn, t::kColumnNumber),
    Label(macro_id::kEventColumn, t::kColumnEvent),
    Label(macro_id::kEditColumn, t::kColumnEdit),
    {.class_name = "CRecordList", .id = macro_id::kEventList, .image = u"icon\\icon_list.png"},
    Picture(macro_id::kEventButtonsPanel, kContent),
    Button(macro_id::kInsert, t::kInsert),
    Button(macro_id::kDeleteEvent, t::kDeleteEvent),
    Button(macro_id::kClearEvents, t::kClearEvents),
    {.class_name = "CIconButton",
     .id = macro_id::kRecord,
     .image = kButtonImage,
     .frames = 4,
     .text = t::kStartRecording},
    Picture(macro_id::kDelayPanel, kContent),
    Label(macro_id::kDelayCaption, t::kDelaySettings),
    Radio(macro_id::kNoDelays, t::kNoDelay, kDelayGroup),
    Radio(macro_id::kRecordedDelays, t::kRecordedDelay, kDelayGroup),
    Radio(macro_id::kFixedDelay, t::kFixedDelay, kDelayGroup),
    {.class_name = "CArea", .id = macro_id::kFixedDelayFrame, .flags = kArea},
    {.class_name = "MEdit", .id = macro_id::kFixedDelayField, .flags = kDisabled, .literal = u"10"},
    {.class_name = "MText", .id = macro_id::kFixedDelayUnit, .flags = kArea},
    Picture(macro_id::kPlayPanel, kContent),
    Label(macro_id::kPlayCaption, t::kPlaySettings),
    Radio(macro_id::kPlayWhileHeld, t::kPlayWhileHeld, kPlayGroup),
    Radio(macro_id::kPlayUntilPressedAgain, t::kPlayUntilPressedAgain, kPlayGroup),
    Radio(macro_id::kPlayCount, t::kPlayTimes, kPlayGroup),
    {.class_name = "MEdit",
     .id = macro_id::kPlayCountField,
     .flags = kDisabled,
     .image = u"img_edit.png"},
    Picture(macro_id::kEditorPanel, kContent, kHidden),
    Label(macro_id::kEditorKindLabel, t::kEventKind, kHidden),
    {.class_name = "MComboBox",
     .id = macro_id::kEditorKind,
     .flags = kHidden,
     .image = u"img_combobox.png",
     .frames = 4},
    Label(macro_id::kEditorValueLabel, t::kEventValue, kHidden),
    {.class_name = "MEdit",
     .id = macro_id::kEditorValue,
     .flags = kHidden,
     .image = u"img_edit.png"},
    {.class_name = "MComboBox",
     .id = macro_id::kEditorButton,
     .flags = kHidden,
     .image = u"img_combobox.png",
     .frames = 4},
    {.class_name = "MButton",
     .id = macro_id::kMoveUp,
     .flags = kHidden,
     .image = u"img_recorditem_up.png",
     .frames = 4},
    {.class_name = "MButton",
     .id = macro_id::kMoveDown,
     .flags = kHidden,
     .image = u"img_recorditem_down.png",
     .frames = 4},
};

constexpr ListItemSpec kMouseButtons[] = {
    {t::kLeftButton, {}, 1}, {t::kRightButton, {}, 3}, {t::kMiddleButton, {}, 2},
    {t::kForward, {}, 5},    {t::kBack, {}, 6},
};

// The single item of the kind choice, by its data.
struct Kind {
    intptr_t data;
    int text;
};
constexpr Kind kKinds[] = {
    {1, t::kKindMouseButton},
    {2, t::kKindKey},
    {3, t::kKindDelay},
};

template <typename T>
T* Get(const MDialog& dlg, const MTabLayout* page, int id) {
    return dynamic_cast<T*>(FindInPage(dlg, page, id));
}

void FillInitialState(const MDialog& dlg, const MTabLayout* page) {
    if (auto* list = Get<MacroList>(dlg, page, macro_id::kMacroList)) {
        list->SetSubImage(ImageRole::kEdit, u"btn_more.png");
    }
    if (auto* events = Get<CRecordList>(dlg, page, macro_id::kEventList)) {
        events->SetSubImage(ImageRole::kItem, u"img_list_bkg.png");
        events->SetSubImage(ImageRole::kMore, u"btn_more.png");
    }
    if (auto* record = Get<CIconButton>(dlg, page, macro_id::kRecord)) {
        record->SetIcon(u"icon\\icon_rec.png", 1);
    }
    for (int id : {macro_id::kFixedDelayField, macro_id::kPlayCountField}) {
        auto* field = Get<MEdit>(dlg, page, id);
        field->SetInputMode(EditMode::kNumber);
        field->SetLimitText(5);
    }
    AddListItems(FindInPage(dlg, page, macro_id::kEditorButton), kMouseButtons);
}

// Three columns at the content origin (230, 80): the macros, the events, the
// settings with the event editor below them.
constexpr Placement kPlacements[] = {
    {macro_id::kBackground, 0, {0, 0, 1030, 658}},
    {macro_id::kCaptionBand, 0, {0, 0, 1030, 40}},
    {macro_id::kTitle, 0, {15, 0, 400, 40}},

    {macro_id::kMacroPanel, 0, {15, 50, 275, 648}},
    {macro_id::kMacroListCaption, 0, {30, 55, 260, 85}},
    {macro_id::kMacroList, 0, {30, 90, 260, 520}},
    {macro_id::kNewMacro, 0, {30, 530, 147, 560}},
    {macro_id::kDeleteMacro, 0, {152, 530, 260, 560}},
    {macro_id::kFilesButton, 0, {30, 575, 260, 605}},

    {macro_id::kEventPanel, 0, {285, 50, 705, 648}},
    {macro_id::kEventListCaption, 0, {300, 55, 690, 85}},
    {macro_id::kEventListBackground, 0, {300, 90, 690, 120}},
    {macro_id::kNumberColumn, 0, {300, 90, 380, 120}},
    {macro_id::kEventColumn, 0, {380, 90, 600, 120}},
    {macro_id::kEditColumn, 0, {600, 90, 690, 120}},
    {macro_id::kEventList, 0, {300, 120, 690, 510}},
    {macro_id::kEventButtonsPanel, 0, {300, 520, 690, 640}},
    {macro_id::kInsert, 0, {310, 530, 430, 560}},
    {macro_id::kDeleteEvent, 0, {435, 530, 555, 560}},
    {macro_id::kClearEvents, 0, {560, 530, 680, 560}},
    {macro_id::kRecord, 0, {310, 575, 680, 610}},

    // Each number field sits under its choice, which keeps the column's width.
    {macro_id::kDelayPanel, 0, {715, 50, 1015, 215}},
    {macro_id::kDelayCaption, 0, {730, 55, 1000, 85}},
    {macro_id::kNoDelays, 0, {730, 90, 1000, 115}},
    {macro_id::kRecordedDelays, 0, {730, 120, 1000, 145}},
    {macro_id::kFixedDelay, 0, {730, 150, 1000, 175}},
    {macro_id::kFixedDelayFrame, 0, {760, 180, 840, 205}},
    {macro_id::kFixedDelayField, 0, {762, 182, 838, 203}},
    {macro_id::kFixedDelayUnit, 0, {845, 180, 890, 205}},

    {macro_id::kPlayPanel, 0, {715, 225, 1015, 390}},
    {macro_id::kPlayCaption, 0, {730, 230, 1000, 260}},
    {macro_id::kPlayWhileHeld, 0, {730, 265, 1000, 290}},
    {macro_id::kPlayUntilPressedAgain, 0, {730, 295, 1000, 320}},
    {macro_id::kPlayCount, 0, {730, 325, 1000, 350}},
    {macro_id::kPlayCountField, 0, {760, 355, 840, 380}},

    {macro_id::kEditorPanel, 0, {715, 400, 1015, 648}},
    {macro_id::kEditorKindLabel, 0, {730, 408, 1000, 438}},
    {macro_id::kEditorKind, 0, {730, 440, 1000, 470}},
    {macro_id::kEditorValueLabel, 0, {730, 478, 1000, 508}},
    {macro_id::kEditorValue, 0, {730, 512, 1000, 542}},
    {macro_id::kEditorButton, 0, {730, 512, 1000, 542}},
    {macro_id::kMoveUp, 0, {730, 560, 860, 590}},
    {macro_id::kMoveDown, 0, {870, 560, 1000, 590}},
};

// The unit beside the fixed delay's field.
void SetDelayUnit(const MDialog& dlg, const MTabLayout* page) {
    if (auto* unit = Get<MControlFont>(dlg, page, macro_id::kFixedDelayUnit)) {
        unit->SetTitle(UnitName(Unit::kMillisecond));
    }
}

}  // namespace

void BuildMacroPage(MDialog& dlg, MTabLayout& page, const PageStyle& style) {
    CreateControls(dlg, &page, kRows, style);
    FillInitialState(dlg, &page);
    SetDelayUnit(dlg, &page);
}

// The event list draws its number and text under the column captions.
void SetEventColumns(const MDialog& dlg, const MTabLayout* page) {
    auto* events = Get<CRecordList>(dlg, page, macro_id::kEventList);
    const MControl* number = FindInPage(dlg, page, macro_id::kNumberColumn);
    const MControl* text = FindInPage(dlg, page, macro_id::kEventColumn);
    if (events != nullptr && number != nullptr && text != nullptr) {
        events->SetColumns(number->GetRect().Width(), text->GetRect().Width());
    }
}

void LayoutMacroPage(MDialog& dlg, Rect, float scale) {
    if (const MTabLayout* page = FindPage(dlg, kMacroPageId)) {
        Place(dlg, page, {230, 80}, scale, kPlacements);
        SetEventColumns(dlg, page);
    }
}

void ReapplyMacroPageTexts(MDialog& dlg, const PageStyle& style) {
    const MTabLayout* page = FindPage(dlg, kMacroPageId);
    ReapplyTexts(dlg, page, kRows, style);
    SetDelayUnit(dlg, page);
    ReapplyListItems(FindInPage(dlg, page, macro_id::kEditorButton), kMouseButtons);
    if (auto* kind = Get<MComboBox>(dlg, page, macro_id::kEditorKind);
        kind != nullptr && kind->GetItemCount() > 0) {
        for (const Kind& row : kKinds) {
            if (row.data == kind->GetItemData(0)) {
                kind->SetItemText(0, LoadLanguageString(row.text));
            }
        }
    }
    if (auto* field = Get<MEdit>(dlg, page, macro_id::kEditorValue);
        field != nullptr && !field->GetTipInfo().empty()) {
        field->SetTipInfo(LoadLanguageString(t::kPressAKeyEvent));
    }
    auto* macros = Get<MacroList>(dlg, page, macro_id::kMacroList);
    const MTabLayout* panel = dynamic_cast<const MTabLayout*>(
        FindInPage(dlg, FindPage(dlg, kButtonPageId), kCustomKeyPageId));
    auto* choice = dynamic_cast<MComboBox*>(FindInPage(dlg, panel, button_id::kMacroChoice));
    if (macros == nullptr) {
        return;
    }
    for (int i = 0; i < macros->GetItemCount(); ++i) {
        const std::u16string shown = ShownMacroName(macros->GetItemText(i));
        macros->ModifyItemString(i, shown);
        if (choice != nullptr) {
            choice->SetItemText(i, shown);
        }
    }
}

}  // namespace tessaly::ui
