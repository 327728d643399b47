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

// Titles and labels take the state font, everything else with a text the
// button font.
void ApplyFont(MControl& control, const PageStyle& style) {
    auto* font = dynamic_cast<MControlFont*>(&control);
    if (font == nullptr || control.ClassName() == MPicture::kClassName) {
        return;
    }
    font->SetFontName(control.ClassName() == MText::kClassName ? style.state_font
                                                               : style.button_font);
}

void ApplyStyle(MControl& control, const PageStyle& style) {
    ApplyFont(control, style);
    if (dynamic_cast<MControlFont*>(&control) != nullptr &&
        control.ClassName() != MPicture::kClassName) {
        control.SetTextColor(style.frame_text_color);
    }
}

void ApplyTip(MControl& control, int tip) {
    if (auto* edit = dynamic_cast<MEdit*>(&control); edit != nullptr && tip != 0) {
        edit->SetTipInfo(LoadLanguageString(tip));
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
        ApplyTip(*control, row.tip);
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

void ReapplyTexts(const MDialog& dlg, const MTabLayout* page, std::span<const ControlSpec> rows,
                  const PageStyle& style) {
    for (size_t i = 0; i < rows.size(); ++i) {
        const ControlSpec& row = rows[i];
        // Rows sharing an id are created in table order.
        int nth = 0;
        for (size_t j = 0; j < i; ++j) {
            nth += rows[j].id == row.id ? 1 : 0;
        }
        MControl* control = FindInPage(dlg, page, row.id, nth);
        if (control == nullptr) {
            continue;
        }
        ApplyFont(*control, style);
        if (auto* font = dynamic_cast<MControlFont*>(control); font != nullptr && row.text != 0) {
            font->SetTitle(LoadLanguageString(row.text));
        }
        if (row.tooltip != 0) {
            control->SetTooltip(LoadLanguageString(row.tooltip));
        }
        ApplyTip(*control, row.tip);
    }
}

void ReapplyListItems(MControl* list, std::span<const ListItemSpec> items) {
    auto* target = dynamic_cast<ListControl*>(list);
    if (target == nullptr) {
        return;
    }
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].text != 0) {
            target->SetItemText(static_cast<int>(i), LoadLanguageString(items[i].text));
        }
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
            // The tables' heights scale but the pages' top margin does not:
            // below the design size a full-height control would end past
            // the page, so it ends with it.
            const Rect rect = Scaled(origin, placement.rect, s);
            control->SetRect(page != nullptr ? ClippedTo(rect, page->GetRect()) : rect);
        }
    }
}

}  // namespace tessaly::ui
