#include "ui/qt/painted_view.h"

#include <QFocusEvent>
#include <QIntValidator>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <string_view>

#include "ui/qt/control_geometry.h"
#include "ui/qt/control_painters.h"
#include "ui/qt/theme.h"
#include "ui/toolkit/control_events.h"
#include "ui/toolkit/controls/dpi_control.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::qt {
namespace {

constexpr int kMoreButtonWidth = 28;
constexpr int kStageColourStrip = 22;  // top of a stage cell: the colour bar

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

}  // namespace

PaintedView::PaintedView(DUI::MControl& control, QWidget& parent)
    : QWidget(&parent), ControlView(control) {
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
        painter.setPen(QPen(Theme::Accent(), 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    }
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
        if (HasMoreButton(name) && (right || at.x() >= cell.right() - kMoreButtonWidth)) {
            Deliver(DUI::kEventActivated, item);
            Deliver(DUI::kEventMore, item);
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
    const bool activate = event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
                          event->key() == Qt::Key_Enter;
    if (activate && InputKind() == Input::kClick) {
        Deliver(DUI::kEventActivated, 0);
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

void PaintedView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    // The focus ring is for keyboard users only.
    keyboard_focus_ =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
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
    Deliver(DUI::kEventActivated, index);
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
    edit->show();
    edit->setFocus();
    in_place_ = edit;
    connect(edit, &QLineEdit::editingFinished, this, [this] { FinishInPlaceEdit(); });
}

void PaintedView::FinishInPlaceEdit() {
    if (!in_place_) {
        return;
    }
    QPointer<QLineEdit> edit = in_place_;
    in_place_.clear();
    const QString text = edit->text();
    edit->deleteLater();
    DUI::MControl* c = mutable_control();
    if (c == nullptr) {
        return;
    }
    DUI::Toolkit::Get().DeliverUserText(*c, FromQString(text));
    Deliver(DUI::kEventKillFocus, 0);
}

}  // namespace tessaly::qt
