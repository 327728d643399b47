#include "ui/qt/window_widget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

#include "ui/localisation/window_captions.h"
#include "ui/qt/skin_images.h"
#include "ui/qt/theme.h"
#include "ui/toolkit/dialog.h"
#include "ui/toolkit/window.h"

namespace tessaly::qt {

WindowWidget::WindowWidget(DUI::WindowHandle window, QWidget* parent)
    : QWidget(parent, Qt::Window), window_(window) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    // The main window takes keys without an input method (key assignment
    // reads them raw); its edits follow it.
    setAttribute(Qt::WA_InputMethodEnabled, parent != nullptr);
    if (DUI::MWindow* model = Model()) {
        Qt::WindowFlags flags = Qt::Window;
        if ((model->GetStyle() & DUI::kWsPopup) != 0) {
            flags |= Qt::FramelessWindowHint;
        }
        if ((model->GetExStyle() & DUI::kWsExToolWindow) != 0 && parent != nullptr) {
            flags |= Qt::Tool;
        }
        setWindowFlags(flags);
        for (DUI::WindowChange change :
             {DUI::WindowChange::kTitle, DUI::WindowChange::kIcon, DUI::WindowChange::kPosition}) {
            Refresh(change);
        }
    }
}

DUI::MWindow* WindowWidget::Model() const {
    return window_ == 0 ? nullptr : DUI::Toolkit::Get().WindowFromHandle(window_);
}

void WindowWidget::ApplyGeometry(const DUI::MWindow& model) {
    const DUI::Rect rect = model.GetWindowRect();
    applying_ = true;
    setGeometry(ToQRect(rect));
    applying_ = false;
}

void WindowWidget::Refresh(DUI::WindowChange change) {
    using C = DUI::WindowChange;
    DUI::MWindow* model = Model();
    if (model == nullptr) {
        return;
    }
    switch (change) {
        case C::kVisibility:
            if (model->IsVisible() && !isVisible()) {
                ApplyGeometry(*model);
                show();
            } else if (model->IsVisible() && isMinimized() && !model->IsIconic()) {
                showNormal();
            } else if (!model->IsVisible() && isVisible()) {
                hide();
            }
            break;
        case C::kPosition:
            ApplyGeometry(*model);
            break;
        case C::kTitle:
            setWindowTitle(ToQString(WindowCaption(model->GetTitle())));
            break;
        case C::kIcon:
            if (model->GetIcon().IsValid()) {
                icon_path_ = ToQString(model->GetIcon().path);
                icon_set_ = false;
                if (icon_posted_) {
                    ApplyIcon();
                }
            }
            break;
        case C::kZOrder:
            if (model->IsTopMost() != bool(windowFlags() & Qt::WindowStaysOnTopHint)) {
                setWindowFlag(Qt::WindowStaysOnTopHint, model->IsTopMost());
            }
            if (model->IsVisible()) {
                if (isMinimized() && !model->IsIconic()) {
                    showNormal();
                }
                show();
                raise();
                activateWindow();
            }
            break;
        case C::kState:
            if (model->IsIconic() && !isMinimized()) {
                showMinimized();
            } else if (!model->IsIconic() && isMinimized() && model->IsVisible()) {
                showNormal();
            }
            break;
        case C::kAppearance:
        case C::kRepaint:
        case C::kTimer:
            update();
            break;
    }
}

void WindowWidget::ApplyIcon() {
    if (!icon_set_ && !icon_path_.isEmpty()) {
        icon_set_ = true;
        setWindowIcon(QIcon(icon_path_));
    }
}

void WindowWidget::paintEvent(QPaintEvent*) {
    if (!icon_posted_) {
        icon_posted_ = true;
        QTimer::singleShot(0, this, [this] { ApplyIcon(); });
    }
    QPainter painter(this);
    auto* dialog = dynamic_cast<DUI::MDialog*>(Model());
    const QPixmap background = dialog != nullptr ? SkinImage(dialog->GetBKImage()) : QPixmap();
    if (!background.isNull()) {
        painter.drawPixmap(rect(), background);
        return;
    }
    QColor top = Theme::Window();
    QColor bottom = Theme::Window().darker(115);
    if (DUI::MWindow* model = Model()) {
        const DUI::PaintManager& paint = model->GetPaintManager();
        // A window's background is never see-through: a colour given
        // without alpha (0x1A1A1A) is the opaque colour.
        if (paint.GetBackColor1() != 0) {
            top = FromArgb(0xFF000000 | paint.GetBackColor1());
        }
        if (paint.GetBackColor2() != 0) {
            bottom = FromArgb(0xFF000000 | paint.GetBackColor2());
        }
    }
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.fillRect(rect(), gradient);
    if (parentWidget() != nullptr) {
        // Popups over the main window need an edge to stand out.
        painter.setPen(QPen(Theme::Border(), 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void WindowWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || event->position().y() >= kCaptionHeight) {
        QWidget::mousePressEvent(event);
        return;
    }
    // The desktop moves the window itself where it can (Wayland needs it).
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        return;
    }
    dragging_ = true;
    drag_offset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void WindowWidget::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) {
        move(event->globalPosition().toPoint() - drag_offset_);
    }
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* event) {
    dragging_ = false;
    QWidget::mouseReleaseEvent(event);
}

void WindowWidget::closeEvent(QCloseEvent* event) {
    // The model decides: the main window may hide to the tray or exit.
    event->ignore();
    if (window_ != 0) {
        DUI::Toolkit::Get().DeliverClose(window_);
    }
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && window_ != 0 &&
        DUI::Toolkit::Get().DeliverEscape(window_)) {
        return;
    }
    QWidget::keyPressEvent(event);
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    DUI::MWindow* model = Model();
    if (applying_ || model == nullptr) {
        return;
    }
    const DUI::Rect client = model->GetClientRect();
    if (client.Width() != width() || client.Height() != height()) {
        DUI::Toolkit::Get().DeliverResize(window_, {width(), height()}, isMaximized());
    }
}

void WindowWidget::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    DUI::MWindow* model = Model();
    if (applying_ || model == nullptr) {
        return;
    }
    // Popups are placed from the main window's position: keep it current.
    const DUI::Rect rect = model->GetWindowRect();
    if (rect.left != x() || rect.top != y()) {
        applying_ = true;
        model->MoveWindow({x(), y(), x() + rect.Width(), y() + rect.Height()}, false);
        applying_ = false;
    }
}

void WindowWidget::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && window_ != 0) {
        DUI::Toolkit::Get().DeliverActivate(window_, isActiveWindow());
    }
}

}  // namespace tessaly::qt
