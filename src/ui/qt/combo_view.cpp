#include "ui/qt/combo_view.h"

#include <QSignalBlocker>

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

void ComboView::Refresh(DUI::ControlChange change) {
    using C = DUI::ControlChange;
    RefreshCommon(change);
    DUI::MComboBox* model = combo();
    if (model == nullptr) {
        return;
    }
    const QSignalBlocker block(this);
    if (change == C::kItems) {
        clear();
        for (const DUI::ListItem& item : model->Items()) {
            addItem(ToQString(item.text));
        }
    }
    if (change == C::kItems || change == C::kSelection) {
        setCurrentIndex(model->GetCurSel());
    }
    if (change == C::kFont || change == C::kItems) {
        setFont(ControlFont(model->GetFontName(), model->GetFontWidth(), model->GetFontStyle()));
    }
}

}  // namespace tessaly::qt
