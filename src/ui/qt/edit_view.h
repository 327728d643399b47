#pragma once
// MEdit and NumberEdit as a QLineEdit: typing updates the model's text,
// focus changes give kEventSetFocus and kEventKillFocus, Enter on a number
// edit confirms it (kEventActivated) and every change of a number edit's text
// is reported as kEventKillFocus.

#include <QLineEdit>

#include "ui/qt/control_view.h"
#include "ui/toolkit/controls/edits.h"

namespace tessaly::qt {

class EditView : public QLineEdit, public ControlView {
  public:
    EditView(DUI::MEdit& edit, QWidget& parent);
    QWidget& widget() override { return *this; }
    void Refresh(DUI::ControlChange change) override;

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void OnEdited(const QString& text);
    void OnReturn();
    DUI::MEdit* edit() const { return static_cast<DUI::MEdit*>(mutable_control()); }
};

}  // namespace tessaly::qt
