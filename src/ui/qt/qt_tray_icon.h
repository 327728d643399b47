#pragma once
// The tray icon of the main window as a QSystemTrayIcon: clicks come back
// to the owner as the tray's callback message (left click, double click,
// right button), the menu's choice as WM_COMMAND with the item id. Without a
// status notifier host Add fails and the program runs without a tray.

#include <QPointer>
#include <QSystemTrayIcon>
#include <memory>

#include "ui/main/tray_icon.h"

namespace tessaly::qt {

class QtTrayIcon : public ui::TrayIcon {
  public:
    QtTrayIcon();
    ~QtTrayIcon() override;
    static bool Available();

    bool Add(const ui::TrayIconRecord& record) override;
    void Remove() override;
    void ShowMenu(DUI::WindowHandle owner, DUI::Point at,
                  std::vector<DUI::MenuItem> items) override;
    void SetTip(std::u16string_view tip) override;
    void Notify(std::u16string_view title, std::u16string_view message) override;
    QString Tip() const { return tip_; }

    bool IsShown() const { return icon_ != nullptr; }
    QSystemTrayIcon* icon() const { return icon_.get(); }

  private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    QString tip_;
};

}  // namespace tessaly::qt
