#include "ui/qt/control_view.h"

#include "ui/qt/accessible_names.h"
#include "ui/qt/combo_view.h"
#include "ui/qt/edit_view.h"
#include "ui/qt/painted_view.h"
#include "ui/qt/theme.h"
#include "ui/toolkit/controls/edits.h"
#include "ui/toolkit/controls/item_lists.h"

namespace tessaly::qt {

void ControlView::RefreshCommon(DUI::ControlChange change) {
    using C = DUI::ControlChange;
    if (control_ == nullptr) {
        return;
    }
    QWidget& w = widget();
    if (change == C::kRect) {
        w.setGeometry(ToQRect(control_->GetRect()));
    }
    if (change == C::kVisibility || change == C::kRect) {
        w.setVisible(control_->IsShown());
    }
    if (change == C::kEnabled) {
        w.setEnabled(control_->IsEnabled());
    }
    if (change == C::kText) {
        w.setToolTip(ToQString(control_->GetTooltip()));
    }
    // A label's text and place change with the language and the layout.
    const bool names_may_change =
        change == C::kText || change == C::kVisibility || change == C::kRect;
    if (names_may_change && w.focusPolicy() != Qt::NoFocus && control_->IsShown()) {
        const QString name = ToQString(AccessibleName(*control_));
        if (name != w.accessibleName()) {
            w.setAccessibleName(name);
        }
        const QString tip = w.toolTip();
        w.setAccessibleDescription(tip != name ? tip : QString());
    }
}

ControlView* MakeControlView(DUI::MControl& control, QWidget& parent) {
    ControlView* view = nullptr;
    if (auto* edit = dynamic_cast<DUI::MEdit*>(&control)) {
        view = new EditView(*edit, parent);
    } else if (auto* combo = dynamic_cast<DUI::MComboBox*>(&control)) {
        view = new ComboView(*combo, parent);
    } else {
        view = new PaintedView(control, parent);
    }
    for (DUI::ControlChange change :
         {DUI::ControlChange::kRect, DUI::ControlChange::kEnabled, DUI::ControlChange::kText,
          DUI::ControlChange::kItems, DUI::ControlChange::kSelection}) {
        view->Refresh(change);
    }
    return view;
}

}  // namespace tessaly::qt
