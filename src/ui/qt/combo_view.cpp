#include "ui/qt/combo_view.h"

#include <QSignalBlocker>
#include <algorithm>

#include "ui/qt/theme.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::qt {

ComboView::ComboView(DUI::MComboBox& combo, QWidget& parent)
    : QComboBox(&parent), ControlView(combo) {
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (DUI::MComboBox* model = this->combo()) {
            DUI::Toolkit::Get().DeliverControlEvent(*model, DUI::kEventActivated, index);
        }
    });
}

// A list filled one item at a time notes a change per item: only the rows
// between the unchanged head and tail are replaced, so an append costs one
// row, not the whole list again.
void ComboView::ApplyItems(const std::vector<DUI::ListItem>& items) {
    const size_t old_size = shown_.size();
    const size_t new_size = items.size();
    size_t head = 0;
    while (head < old_size && head < new_size && shown_[head] == items[head].text) {
        ++head;
    }
    size_t tail = 0;
    while (tail < old_size - head && tail < new_size - head &&
           shown_[old_size - 1 - tail] == items[new_size - 1 - tail].text) {
        ++tail;
    }
    const size_t removed = old_size - head - tail;
    const size_t added = new_size - head - tail;
    const size_t replaced = std::min(removed, added);
    for (size_t i = 0; i < replaced; ++i) {
        setItemText(static_cast<int>(head + i), ToQString(items[head + i].text));
    }
    if (removed > added) {
        // Last first, so the rows before keep their numbers.
        for (size_t i = removed; i > added; --i) {
            removeItem(static_cast<int>(head + i - 1));
        }
    } else if (added > removed) {
        QStringList texts;
        for (size_t i = replaced; i < added; ++i) {
            texts << ToQString(items[head + i].text);
        }
        insertItems(static_cast<int>(head + replaced), texts);
    }
    shown_.erase(shown_.begin() + static_cast<std::ptrdiff_t>(head),
                 shown_.begin() + static_cast<std::ptrdiff_t>(head + removed));
    std::vector<std::u16string> middle;
    middle.reserve(added);
    for (size_t i = 0; i < added; ++i) {
        middle.push_back(items[head + i].text);
    }
    shown_.insert(shown_.begin() + static_cast<std::ptrdiff_t>(head), middle.begin(), middle.end());
}

void ComboView::Refresh(DUI::ControlChange change) {
    using C = DUI::ControlChange;
    RefreshCommon(change);
    DUI::MComboBox* model = combo();
    if (model == nullptr) {
        return;
    }
    const QSignalBlocker block(this);
    if (change == C::kItems) {
        ApplyItems(model->Items());
    }
    if (change == C::kItems || change == C::kSelection) {
        setCurrentIndex(model->GetCurSel());
    }
    if (change == C::kFont || change == C::kItems) {
        // Setting a font rebuilds the drop-down's list: only when it differs.
        const QFont wanted =
            ControlFont(model->GetFontName(), model->GetFontWidth(), model->GetFontStyle());
        if (!font_set_ || font() != wanted) {
            font_set_ = true;
            setFont(wanted);
        }
    }
}

}  // namespace tessaly::qt
