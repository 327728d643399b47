#include "ui/qt/edit_view.h"

#include <QFocusEvent>
#include <QSignalBlocker>
#include <algorithm>

#include "ui/qt/theme.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::qt {
namespace {

bool IsNumberEdit(const DUI::MEdit& edit) {
    return edit.GetInputMode() == DUI::EditMode::kNumber;
}

}  // namespace

EditView::EditView(DUI::MEdit& edit, QWidget& parent) : QLineEdit(&parent), ControlView(edit) {
    setAttribute(Qt::WA_InputMethodEnabled, parent.testAttribute(Qt::WA_InputMethodEnabled));
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { OnEdited(text); });
    connect(this, &QLineEdit::returnPressed, this, [this] { OnReturn(); });
}

void EditView::Refresh(DUI::ControlChange change) {
    using C = DUI::ControlChange;
    RefreshCommon(change);
    DUI::MEdit* model = edit();
    if (model == nullptr) {
        return;
    }
    if (change == C::kText || change == C::kStyle) {
        const QString text = ToQString(model->GetTitle());
        if (text != this->text()) {
            const QSignalBlocker block(this);
            setText(text);
        }
        setPlaceholderText(ToQString(model->GetTipInfo()));
        setMaxLength(model->GetLimitText() > 0 ? model->GetLimitText() : 32767);
        setReadOnly(model->GetInputMode() == DUI::EditMode::kCapture);
    }
    if (change == C::kFont || change == C::kText) {
        setFont(ControlFont(model->GetFontName(), model->GetFontWidth(), model->GetFontStyle()));
    }
    if (change == C::kAlignment || change == C::kText) {
        const int align = model->GetAlignment();
        setAlignment((align & DUI::kAlignCenter)  ? Qt::AlignHCenter | Qt::AlignVCenter
                     : (align & DUI::kAlignRight) ? Qt::AlignRight | Qt::AlignVCenter
                                                  : Qt::AlignLeft | Qt::AlignVCenter);
    }
}

void EditView::OnEdited(const QString& text) {
    DUI::MEdit* model = edit();
    if (model == nullptr) {
        return;
    }
    auto& toolkit = DUI::Toolkit::Get();
    toolkit.DeliverUserText(*model, FromQString(text));
    // The model may refuse characters (digits only, length limit).
    const QString accepted = ToQString(model->GetTitle());
    if (accepted != text) {
        const int cursor = std::min(cursorPosition(), static_cast<int>(accepted.size()));
        const QSignalBlocker block(this);
        setText(accepted);
        setCursorPosition(cursor);
    }
    if (IsNumberEdit(*model)) {
        toolkit.DeliverControlEvent(*model, DUI::kEventKillFocus, 0);
    }
}

void EditView::OnReturn() {
    if (DUI::MEdit* model = edit(); model != nullptr && IsNumberEdit(*model)) {
        DUI::Toolkit::Get().DeliverControlEvent(*model, DUI::kEventActivated, 0);
    }
}

void EditView::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Focus the model gave comes back here; the model ignores the repeat.
    if (DUI::MEdit* model = edit()) {
        DUI::Toolkit::Get().DeliverFocus(*model, true);
    }
}

void EditView::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (DUI::MEdit* model = edit()) {
        DUI::Toolkit::Get().DeliverFocus(*model, false);
    }
}

}  // namespace tessaly::qt
