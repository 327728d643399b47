#pragma once
// Pages and dialogs are built from tables: one row per control with its
// class, id, image, text and initial state. Layouts place controls by id
// within one page, because ids repeat across pages.

#include <cstdint>
#include <span>
#include <string_view>

#include "ui/localisation/button_function_items.h"
#include "ui/main/page_builders.h"
#include "ui/toolkit/control.h"
#include "ui/toolkit/controls/tabs.h"
#include "ui/toolkit/dialog.h"

namespace tessaly::ui {

enum ControlFlag : uint32_t {
    kArea = 1,
    kHidden = 2,
    kChecked = 4,
    kDisabled = 8,
};

struct ControlSpec {
    std::string_view class_name;
    int id = 0;
    uint32_t flags = 0;
    std::u16string_view image = {};
    int frames = 1;
    int text = 0;                      // language number; 0 for none
    std::u16string_view literal = {};  // a fixed text, used without a number
    int tooltip = 0;
    std::u16string_view group = {};
    int tip = 0;  // an edit field's hint, a language number
};

// Creates the rows inside the page (or in the dialog itself when page is
// null), with empty rectangles. Texts take the state font and the frame
// colour, other controls with text the button font.
void CreateControls(DUI::MDialog& dlg, DUI::MTabLayout* page, std::span<const ControlSpec> rows,
                    const PageStyle& style);
void AddListItems(DUI::MControl* list, std::span<const ListItemSpec> items);

// After a change of language: every numbered title, tooltip and hint of the
// rows is read again, and the fonts follow the style; colours stay. The rows
// must be the ones the page was built from, in the same order.
void ReapplyTexts(const DUI::MDialog& dlg, const DUI::MTabLayout* page,
                  std::span<const ControlSpec> rows, const PageStyle& style);
// The numbered items, by index; literal items keep their text.
void ReapplyListItems(DUI::MControl* list, std::span<const ListItemSpec> items);

// The tab layout with the id, or null.
DUI::MTabLayout* FindPage(const DUI::MDialog& dlg, int page_id);
// The nth control with the id directly inside the page, or null.
DUI::MControl* FindInPage(const DUI::MDialog& dlg, const DUI::MTabLayout* page, int id,
                          int nth = 0);

// A rectangle in page units, placed at an origin and scaled (truncated).
struct Placement {
    int id;
    int nth;
    DUI::Rect rect;
};
DUI::Rect Scaled(DUI::Point origin, DUI::Rect rect, float s);
void Place(const DUI::MDialog& dlg, const DUI::MTabLayout* page, DUI::Point origin, float s,
           std::span<const Placement> placements);

}  // namespace tessaly::ui
