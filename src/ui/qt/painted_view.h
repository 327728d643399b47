#pragma once
// Every control class without a fitting native widget: drawn by
// control_painters, and turning mouse and keyboard input into the event
// codes the pages expect (2 activated, 5 a list item's "more" button, 9 a
// DPI stage's colour, 27 a palette pick, 29 an in-place edit finished).
// Keys: Space and Enter press, arrows move through items, sliders and the
// colour picker, F2 (or a right-click on the profile list) edits an item in
// place and Escape leaves the edit unchanged, the menu key or Shift+F10 does
// what a right-click does (a list's menu, a DPI stage's colour).

#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include "ui/qt/control_view.h"

namespace tessaly::qt {

class PaintedView : public QWidget, public ControlView {
  public:
    PaintedView(DUI::MControl& control, QWidget& parent);
    QWidget& widget() override { return *this; }
    void Refresh(DUI::ControlChange change) override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    enum class Input { kNone, kClick, kItems, kSlider, kPalette };
    Input InputKind() const;
    bool Deliver(int event, intptr_t param);
    void PickColour(QPoint point);
    bool ItemKey(int key);
    bool ItemMenuKey(const QKeyEvent& event);
    bool PaletteKey(int key);
    // Selects without telling the dialog (the profile list switches on a
    // choice); other item controls choose.
    void MoveToItem(int index);
    void StartInPlaceEdit(int index);
    void FinishInPlaceEdit();
    void CancelInPlaceEdit();
    void PaintFocusRing(QPainter& painter) const;

    bool keyboard_focus_ = false;
    bool hover_ = false;
    bool pressed_ = false;
    int hover_item_ = -1;
    int drag_value_ = -1;
    QPointer<QLineEdit> in_place_;
};

}  // namespace tessaly::qt
