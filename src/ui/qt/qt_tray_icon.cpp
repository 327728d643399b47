#include "ui/qt/qt_tray_icon.h"

#include <QAction>
#include <QMenu>

#include "ui/qt/theme.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::qt {
namespace {

intptr_t MouseMessage(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return ui::kTrayLeftDown;
        case QSystemTrayIcon::DoubleClick:
            return ui::kTrayLeftDoubleClick;
        case QSystemTrayIcon::Context:
            return ui::kTrayRightUp;
        default:
            return 0;
    }
}

}  // namespace

QtTrayIcon::QtTrayIcon() = default;
QtTrayIcon::~QtTrayIcon() = default;

bool QtTrayIcon::Available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

bool QtTrayIcon::Add(const ui::TrayIconRecord& record) {
    if (!Available()) {
        return false;
    }
    icon_ = std::make_unique<QSystemTrayIcon>();
    icon_->setIcon(QIcon(ToQString(record.icon.path)));
    if (tip_.isEmpty()) {
        tip_ = ToQString(record.tip.substr(0, ui::kTrayTipLength));
    }
    icon_->setToolTip(tip_);
    const DUI::WindowHandle owner = record.window;
    const uint32_t message = record.callback_message;
    const uint32_t id = record.id;
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated,
                     [owner, message, id](QSystemTrayIcon::ActivationReason reason) {
                         if (const intptr_t mouse = MouseMessage(reason)) {
                             DUI::Toolkit::Get().PostMessage(owner, message, id, mouse);
                         }
                     });
    icon_->show();
    return true;
}

void QtTrayIcon::Remove() {
    icon_.reset();
}

void QtTrayIcon::SetTip(std::u16string_view tip) {
    tip_ = QString::fromStdU16String(std::u16string(tip));
    if (icon_) {
        icon_->setToolTip(tip_);
    }
}

void QtTrayIcon::Notify(std::u16string_view title, std::u16string_view message) {
    // Qt hands it to the desktop's notification service where there is one.
    if (icon_ && QSystemTrayIcon::supportsMessages()) {
        icon_->showMessage(QString::fromStdU16String(std::u16string(title)),
                           QString::fromStdU16String(std::u16string(message)), icon_->icon());
    }
}

void QtTrayIcon::ShowMenu(DUI::WindowHandle owner, DUI::Point at,
                          std::vector<DUI::MenuItem> items) {
    auto* menu = new QMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setStyleSheet(StyleSheet());
    for (const DUI::MenuItem& item : items) {
        QAction* action = menu->addAction(ToQString(item.text));
        const int id = item.id;
        QObject::connect(action, &QAction::triggered, [owner, id] {
            DUI::Toolkit::Get().PostMessage(owner, DUI::kWmCommand, static_cast<uintptr_t>(id), 0);
        });
    }
    menu->popup(QPoint(at.x, at.y));
}

}  // namespace tessaly::qt
