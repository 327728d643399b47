#include "ui/pages/control_table.h"

#include "ui/localisation/language_strings.h"
#include "ui/toolkit/dui.h"

namespace tessaly::ui {

using namespace DUI;

namespace {

MControl* Make(MDialog& dlg, MTabLayout* page, const ControlSpec& row, std::u16string_view text) {
    bool area = (row.flags & kArea) != 0;
    if (page == nullptr) {
        return area ? dlg.CreateArea(row.class_name, row.id, {}, text)
                    : dlg.CreateControl(row.class_name, row.id, {}, text);
    }
    return area ? page->CreateChildArea(row.class_name, row.id, {}, text)
                : page->CreateChildControl(row.class_name, row.id, {}, text);
}

void ApplyStyle(MControl& control, const PageStyle& style) {
    auto* font = dynamic_cast<MControlFont*>(&control);
    if (font == nullptr || control.ClassName() == MPicture::kClassName) {
        return;
    }
    if (control.ClassName() == MText::kClassName) {
        font->SetFontName(style.state_font);
        font->SetTextColor(style.frame_text_color);
    } else {
        font->SetFontName(style.button_font);
        font->SetTextColor(style.frame_text_color);
    }
}

}  // namespace

void CreateControls(MDialog& dlg, MTabLayout* page, std::span<const ControlSpec> rows,
                    const PageStyle& style) {
    for (const ControlSpec& row : rows) {
        std::u16string text =
            row.text != 0 ? LoadLanguageString(row.text) : std::u16string(row.literal);
        MControl* control = Make(dlg, page, row, text);
        if (control == nullptr) {
            continue;  // unknown class: the table is wrong, the tests say so
        }
        ApplyStyle(*control, style);
        if (!row.image.empty()) {
            control->SetImage(row.image, row.frames);
        }
        if (row.tooltip != 0) {
            control->SetTooltip(LoadLanguageString(row.tooltip));
        }
        if (auto* checkable = dynamic_cast<CheckableButton*>(control)) {
            if (!row.group.empty()) {
                checkable->SetGroup(row.group);
            }
            checkable->SetCheck((row.flags & kChecked) != 0);
        }
        if ((row.flags & kHidden) != 0) {
            control->SetVisible(false);
        }
        if ((row.flags & kDisabled) != 0) {
            control->SetEnabled(false);
        }
    }
}

void AddListItems(MControl* list, std::span<const ListItemSpec> items) {
    auto* target = dynamic_cast<ListControl*>(list);
    if (target == nullptr) {
        return;
    }
    for (const ListItemSpec& item : items) {
        std::u16string text =
            item.text != 0 ? LoadLanguageString(item.text) : std::u16string(item.literal);
        target->AddItem(text, item.data);
    }
}

MTabLayout* FindPage(const MDialog& dlg, int page_id) {
    for (MControl* control : dlg.Controls()) {
        if (control->GetId() == page_id && control->ClassName() == MTabLayout::kClassName) {
            return static_cast<MTabLayout*>(control);
        }
    }
    return nullptr;
}

MControl* FindInPage(const MDialog& dlg, const MTabLayout* page, int id, int nth) {
    for (MControl* control : dlg.Controls()) {
        if (control->GetId() == id && control->GetParentLayout() == page && nth-- == 0) {
            return control;
        }
    }
    return nullptr;
}

Rect Scaled(Point origin, Rect rect, float s) {
    auto scale = [s](int value) { return static_cast<int>(static_cast<float>(value) * s); };
    return {origin.x + scale(rect.left), origin.y + scale(rect.top), origin.x + scale(rect.right),
            origin.y + scale(rect.bottom)};
}

void Place(const MDialog& dlg, const MTabLayout* page, Point origin, float s,
           std::span<const Placement> placements) {
    for (const Placement& placement : placements) {
        if (MControl* control = FindInPage(dlg, page, placement.id, placement.nth)) {
            control->SetRect(Scaled(origin, placement.rect, s));
        }
    }
}

}  // namespace tessaly::ui
