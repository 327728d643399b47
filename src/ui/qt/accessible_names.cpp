#include "ui/qt/accessible_names.h"

#include <array>
#include <limits>
#include <utility>

#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

#include "ui/toolkit/controls/edits.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/palette.h"
#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/dialog.h"

namespace tessaly::qt {
namespace {

// How far a label may sit from what it names.
constexpr int kLabelReachLeft = 260;
constexpr int kLabelReachAbove = 60;
constexpr int kTouching = 4;

// Controls that show no text that names them, nor have a label.
constexpr std::array<std::pair<std::string_view, int>, 2> kClassNames{{
    {"MTabCtrl", text::kAccessiblePages},
    {"CDeviceList", text::kAccessibleMice},
}};

std::u16string NameOfClass(std::string_view class_name) {
    for (const auto& [name, text_number] : kClassNames) {
        if (name == class_name) {
            return LoadLanguageString(text_number);
        }
    }
    return {};
}

std::u16string Trimmed(const std::u16string& text) {
    const size_t first = text.find_first_not_of(u" \t\r\n");
    if (first == std::u16string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(u" \t\r\n") - first + 1);
}

std::u16string TitleOf(const DUI::MControl& control) {
    auto* font = dynamic_cast<const DUI::MControlFont*>(&control);
    return font != nullptr ? Trimmed(font->GetTitle()) : std::u16string();
}

bool ShowsAValue(const DUI::MControl& control) {
    return dynamic_cast<const DUI::ListControl*>(&control) != nullptr ||
           dynamic_cast<const DUI::MEdit*>(&control) != nullptr ||
           dynamic_cast<const DUI::MProgress*>(&control) != nullptr ||
           dynamic_cast<const DUI::MPalette*>(&control) != nullptr;
}

// The gap between a label and the control, or -1 where it is not placed
// as a label of it.
int LabelGap(DUI::Rect label, DUI::Rect control) {
    const bool same_row = label.top < control.bottom && label.bottom > control.top;
    if (same_row && label.right <= control.left + kTouching &&
        control.left - label.right <= kLabelReachLeft) {
        return std::max(0, control.left - label.right);
    }
    const bool same_column = label.left < control.right && label.right > control.left;
    if (same_column && label.bottom <= control.top + kTouching &&
        control.top - label.bottom <= kLabelReachAbove) {
        return std::max(0, control.top - label.bottom);
    }
    return -1;
}

}  // namespace

std::u16string NearestLabel(const DUI::MControl& control) {
    const DUI::MDialog* owner = control.GetOwner();
    if (owner == nullptr) {
        return {};
    }
    const DUI::Rect rect = control.GetRect();
    std::u16string best;
    int best_gap = std::numeric_limits<int>::max();
    for (const DUI::MControl* other : owner->Controls()) {
        if (other == &control || !other->IsArea() || !other->IsShown()) {
            continue;
        }
        const int gap = LabelGap(other->GetRect(), rect);
        if (gap < 0 || gap >= best_gap) {
            continue;
        }
        if (std::u16string text = TitleOf(*other); !text.empty()) {
            best = std::move(text);
            best_gap = gap;
        }
    }
    return best;
}

std::u16string AccessibleName(const DUI::MControl& control) {
    if (std::u16string named = NameOfClass(control.ClassName()); !named.empty()) {
        return named;
    }
    const std::u16string tooltip = Trimmed(control.GetTooltip());
    if (ShowsAValue(control)) {
        if (!tooltip.empty()) {
            return tooltip;
        }
        if (std::u16string label = NearestLabel(control); !label.empty()) {
            return label;
        }
        if (auto* edit = dynamic_cast<const DUI::MEdit*>(&control)) {
            return Trimmed(edit->GetTipInfo());
        }
        return {};
    }
    if (std::u16string title = TitleOf(control); !title.empty()) {
        return title;
    }
    return !tooltip.empty() ? tooltip : NearestLabel(control);
}

}  // namespace tessaly::qt
