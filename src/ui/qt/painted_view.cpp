#include "ui/qt/painted_view.h"

#include <QFocusEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <string_view>

#include "ui/qt/control_geometry.h"
#include "ui/qt/control_painters.h"
#include "ui/qt/item_navigation.h"
#include "ui/qt/painted_accessible.h"
#include "ui/qt/theme.h"
#include "ui/toolkit/control_events.h"
#include "ui/toolkit/controls/dpi_control.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/palette.h"
#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::qt {
namespace {

constexpr int kMoreButtonWidth = 28;
constexpr int kStageColourStrip = 22;  // top of a stage cell: the colour bar
constexpr int kHueStep = 10;
constexpr int kSaturationStep = 25;

constexpr std::string_view kClickClasses[] = {
    "MButton",     "MButton2",    "MButton3",     "CImageButton", "CTextButton",
    "CHelpButton", "CIconButton", "CCheckButton", "CRadioButton", "CColorButton",
};
constexpr std::string_view kItemClasses[] = {
    "DListBox",    "MacroList",  "CRecordList", "MouseKeyCtrl", "MouseCtrl",
    "CDeviceList", "DPIControl", "ReporteCtrl", "MTabCtrl",
};
constexpr std::string_view kSliderClasses[] = {"DPISlider", "LightSlider"};

template <size_t N>
bool Listed(const std::string_view (&names)[N], std::string_view name) {
    for (std::string_view listed : names) {
        if (listed == name) {
            return true;
        }
    }
    return false;
}

bool HasMoreButton(std::string_view name) {
    return name == "MacroList" || name == "CRecordList";
}

// The event a list's more button sends: the macro list's menu comes on 5,
// the event list's on 9.
int MoreButtonEvent(std::string_view name) {
    return name == "CRecordList" ? DUI::kEventSecondary : DUI::kEventMore;
}

bool EditsInPlace(std::string_view name) {
    return name == "MacroList" || name == "DPIControl" || name == "DListBox";
}

// Choosing a profile list item switches profiles and closes the list, so
// moving through it and editing an item only select.
bool SelectsQuietly(std::string_view name) {
    return name == "DListBox";
}

bool IsActivationKey(int key) {
    return key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
}

// The menu key and Shift+F10 do what a right-click does.
bool IsMenuKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Menu ||
           (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
}

}  // namespace

PaintedView::PaintedView(DUI::MControl& control, QWidget& parent)
    : QWidget(&parent), ControlView(control) {
    InstallPaintedAccessibility();
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    const Input input = InputKind();
    if (input == Input::kNone || control.IsArea()) {
        // Decorations let clicks through to the window (caption drag).
        setAttribute(Qt::WA_TransparentForMouseEvents);
    } else {
        setFocusPolicy(Qt::StrongFocus);
        setCursor(input == Input::kClick || input == Input::kItems ? Qt::PointingHandCursor
                                                                   : Qt::ArrowCursor);
    }
}

PaintedView::Input PaintedView::InputKind() const {
    const DUI::MControl* c = control();
    if (c == nullptr) {
        return Input::kNone;
    }
    const std::string_view name = c->ClassName();
    if (Listed(kClickClasses, name)) {
        return Input::kClick;
    }
    if (Listed(kItemClasses, name)) {
        return Input::kItems;
    }
    if (Listed(kSliderClasses, name)) {
        return Input::kSlider;
    }
    return name == "MPalette" ? Input::kPalette : Input::kNone;
}

void PaintedView::Refresh(DUI::ControlChange change) {
    RefreshCommon(change);
    if (change == DUI::ControlChange::kValue && !pressed_) {
        drag_value_ = -1;
    }
    update();
}

void PaintedView::paintEvent(QPaintEvent*) {
    const DUI::MControl* c = control();
    if (c == nullptr) {
        return;
    }
    QPainter painter(this);
    PaintState state;
    state.size = size();
    state.hover = hover_;
    state.pressed = pressed_;
    state.hover_item = hover_item_;
    state.drag_value = drag_value_;
    PaintControl(painter, *c, state);
    if (hasFocus() && keyboard_focus_ && InputKind() != Input::kNone) {
        PaintFocusRing(painter);
    }
}

void PaintedView::PaintFocusRing(QPainter& painter) const {
    // A dark halo under the accent line keeps the ring visible on light
    // skins and on the accent colour itself.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    const QRectF ring = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(QPen(QColor(0, 0, 0, 170), 3));
    painter.drawRoundedRect(ring, 5, 5);
    painter.setPen(QPen(Theme::Accent(), 2));
    painter.drawRoundedRect(ring, 5, 5);
}

bool PaintedView::Deliver(int event, intptr_t param) {
    DUI::MControl* c = mutable_control();
    return c != nullptr && DUI::Toolkit::Get().DeliverControlEvent(*c, event, param);
}

void PaintedView::enterEvent(QEnterEvent* event) {
    hover_ = true;
    update();
    QWidget::enterEvent(event);
}

void PaintedView::leaveEvent(QEvent* event) {
    hover_ = false;
    hover_item_ = -1;
    update();
    QWidget::leaveEvent(event);
}

void PaintedView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        return;
    }
    pressed_ = event->button() == Qt::LeftButton;
    keyboard_focus_ = false;
    const Input input = InputKind();
    if (input == Input::kSlider && pressed_) {
        if (auto* slider = dynamic_cast<const DUI::MProgress*>(control())) {
            drag_value_ = SliderValueAt(slider->GetMaxValue(), size(), event->position().toPoint());
        }
    } else if (input == Input::kPalette && pressed_) {
        PickColour(event->position().toPoint());
    }
    update();
}

void PaintedView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const DUI::MControl* c = control();
    if (c == nullptr) {
        return;
    }
    const Input input = InputKind();
    if (input == Input::kItems) {
        const int item = HitItem(*c, size(), at);
        if (item != hover_item_) {
            hover_item_ = item;
            update();
        }
    } else if (input == Input::kSlider && pressed_) {
        if (auto* slider = dynamic_cast<const DUI::MProgress*>(c)) {
            drag_value_ = SliderValueAt(slider->GetMaxValue(), size(), at);
            update();
        }
    } else if (input == Input::kPalette && pressed_) {
        PickColour(at);
    }
}

void PaintedView::mouseReleaseEvent(QMouseEvent* event) {
    const bool was_pressed = pressed_;
    pressed_ = false;
    update();
    const DUI::MControl* c = control();
    const QPoint at = event->position().toPoint();
    if (c == nullptr || !rect().contains(at)) {
        drag_value_ = -1;
        return;
    }
    const Input input = InputKind();
    const bool right = event->button() == Qt::RightButton;
    if (input == Input::kClick && was_pressed) {
        Deliver(DUI::kEventActivated, 0);
    } else if (input == Input::kItems) {
        const int item = HitItem(*c, size(), at);
        if (item < 0) {
            return;
        }
        const QRect cell = ItemRects(*c, size())[static_cast<size_t>(item)];
        const std::string_view name = c->ClassName();
        if (right && SelectsQuietly(name)) {
            StartInPlaceEdit(item);
        } else if (HasMoreButton(name) && (right || at.x() >= cell.right() - kMoreButtonWidth)) {
            Deliver(DUI::kEventActivated, item);
            Deliver(MoreButtonEvent(name), item);
        } else if (name == "DPIControl" && at.y() < cell.top() + kStageColourStrip) {
            Deliver(DUI::kEventSecondary, item);
        } else if (was_pressed) {
            Deliver(DUI::kEventActivated, item);
        }
    } else if (input == Input::kSlider && was_pressed && drag_value_ >= 0) {
        const int value = drag_value_;
        Deliver(DUI::kEventActivated, value);
        drag_value_ = -1;
    }
}

void PaintedView::mouseDoubleClickEvent(QMouseEvent* event) {
    const DUI::MControl* c = control();
    if (c == nullptr) {
        return;
    }
    const std::string_view name = c->ClassName();
    if (name == "MacroList" || name == "DPIControl") {
        const int item = HitItem(*c, size(), event->position().toPoint());
        if (item >= 0) {
            StartInPlaceEdit(item);
            return;
        }
    }
    mousePressEvent(event);
}

void PaintedView::keyPressEvent(QKeyEvent* event) {
    keyboard_focus_ = true;
    update();
    if (IsActivationKey(event->key()) && InputKind() == Input::kClick) {
        Deliver(DUI::kEventActivated, 0);
        return;
    }
    if (InputKind() == Input::kItems && (ItemMenuKey(*event) || ItemKey(event->key()))) {
        return;
    }
    if (InputKind() == Input::kPalette && PaletteKey(event->key())) {
        return;
    }
    if (InputKind() == Input::kSlider) {
        auto* slider = dynamic_cast<const DUI::MProgress*>(control());
        const int step = event->key() == Qt::Key_Right ? 1 : event->key() == Qt::Key_Left ? -1 : 0;
        if (slider != nullptr && step != 0) {
            const int value = std::clamp(slider->GetProgress() + step, 0, slider->GetMaxValue());
            Deliver(DUI::kEventActivated, value);
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

bool PaintedView::ItemKey(int key) {
    const DUI::MControl* c = control();
    if (c == nullptr) {
        return false;
    }
    const int current = CurrentItem(*c);
    if (key == Qt::Key_F2 && EditsInPlace(c->ClassName()) && current >= 0) {
        StartInPlaceEdit(current);
        return true;
    }
    const int step = key == Qt::Key_Right || key == Qt::Key_Down ? 1
                     : key == Qt::Key_Left || key == Qt::Key_Up  ? -1
                                                                 : 0;
    const int count = ItemCount(*c);
    if (step != 0 && count > 0) {
        const int next = std::clamp(current < 0 ? 0 : current + step, 0, count - 1);
        if (next != current) {
            MoveToItem(next);
        }
        return true;
    }
    if (IsActivationKey(key) && current >= 0) {
        Deliver(DUI::kEventActivated, current);
        return true;
    }
    return false;
}

bool PaintedView::ItemMenuKey(const QKeyEvent& event) {
    const DUI::MControl* c = control();
    if (c == nullptr || !IsMenuKey(event)) {
        return false;
    }
    const int current = CurrentItem(*c);
    if (current < 0) {
        return true;
    }
    const std::string_view name = c->ClassName();
    if (HasMoreButton(name)) {
        Deliver(DUI::kEventActivated, current);
        Deliver(MoreButtonEvent(name), current);
    } else if (name == "DPIControl") {
        Deliver(DUI::kEventSecondary, current);
    } else if (SelectsQuietly(name)) {
        StartInPlaceEdit(current);
    }
    return true;
}

// Left and right turn the hue, up and down the saturation, as moving the
// marker across and down the picker does.
bool PaintedView::PaletteKey(int key) {
    auto* palette = dynamic_cast<const DUI::MPalette*>(control());
    if (palette == nullptr) {
        return false;
    }
    const QColor current = QColor::fromRgba(palette->GetSelectColor());
    int hue = std::max(0, current.hsvHue());
    int saturation = current.hsvSaturation();
    switch (key) {
        case Qt::Key_Left:
            hue = (hue + 360 - kHueStep) % 360;
            break;
        case Qt::Key_Right:
            hue = (hue + kHueStep) % 360;
            break;
        case Qt::Key_Up:
            saturation = std::min(255, saturation + kSaturationStep);
            break;
        case Qt::Key_Down:
            saturation = std::max(0, saturation - kSaturationStep);
            break;
        default:
            return false;
    }
    const QColor picked = QColor::fromHsv(hue, saturation, 255);
    Deliver(DUI::kEventDragged, static_cast<intptr_t>(picked.rgba()));
    update();
    return true;
}

void PaintedView::MoveToItem(int index) {
    DUI::MControl* c = mutable_control();
    if (c == nullptr) {
        return;
    }
    auto* list = dynamic_cast<DUI::ListControl*>(c);
    if (list != nullptr && SelectsQuietly(c->ClassName())) {
        list->SelectItem(index);
    } else {
        Deliver(DUI::kEventActivated, index);
    }
}

void PaintedView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    // The focus ring is for keyboard users only.
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason) {
        keyboard_focus_ = true;
    } else if (event->reason() == Qt::MouseFocusReason) {
        keyboard_focus_ = false;
    }
    update();
}

void PaintedView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void PaintedView::PickColour(QPoint point) {
    const int x = std::clamp(point.x(), 0, std::max(1, width() - 1));
    const int y = std::clamp(point.y(), 0, std::max(1, height() - 1));
    const QColor picked = QColor::fromHsv(359 * x / std::max(1, width() - 1),
                                          255 - 255 * y / std::max(1, height() - 1), 255);
    Deliver(DUI::kEventDragged, static_cast<intptr_t>(picked.rgba()));
    update();
}

void PaintedView::StartInPlaceEdit(int index) {
    DUI::MControl* c = mutable_control();
    if (c == nullptr || in_place_) {
        return;
    }
    // Select first: the model edits the selected item or stage.
    MoveToItem(index);
    QString text;
    if (auto* list = dynamic_cast<DUI::ListControl*>(c)) {
        text = ToQString(list->GetItemText(index));
    } else if (auto* dpi = dynamic_cast<DUI::DPIControl*>(c)) {
        text = QString::number(dpi->GetDPIValue(index));
    }
    auto* edit = new QLineEdit(text, this);
    if (dynamic_cast<DUI::DPIControl*>(c) != nullptr) {
        edit->setValidator(new QIntValidator(0, 999999, edit));
    }
    edit->setGeometry(ItemRects(*c, size())[static_cast<size_t>(index)].adjusted(4, 4, -4, -4));
    edit->selectAll();
    edit->setAccessibleName(accessibleName());
    edit->installEventFilter(this);
    edit->show();
    edit->setFocus();
    in_place_ = edit;
    connect(edit, &QLineEdit::editingFinished, this, [this] { FinishInPlaceEdit(); });
}

bool PaintedView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != in_place_ || event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    // Taken here: the line edit passes Enter on to its parent, where it
    // would choose the item.
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
        CancelInPlaceEdit();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        FinishInPlaceEdit();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PaintedView::CancelInPlaceEdit() {
    if (!in_place_) {
        return;
    }
    QPointer<QLineEdit> edit = in_place_;
    in_place_.clear();
    edit->disconnect(this);
    edit->deleteLater();
    setFocus(Qt::OtherFocusReason);
}

void PaintedView::FinishInPlaceEdit() {
    if (!in_place_) {
        return;
    }
    QPointer<QLineEdit> edit = in_place_;
    in_place_.clear();
    const QString text = edit->text();
    // Enter keeps the keyboard user on the list; a click elsewhere does not.
    const bool by_key = edit->hasFocus();
    edit->disconnect(this);
    edit->deleteLater();
    if (by_key) {
        setFocus(Qt::OtherFocusReason);
    }
    DUI::MControl* c = mutable_control();
    if (c == nullptr) {
        return;
    }
    DUI::Toolkit::Get().DeliverUserText(*c, FromQString(text));
    Deliver(DUI::kEventKillFocus, 0);
}

}  // namespace tessaly::qt
