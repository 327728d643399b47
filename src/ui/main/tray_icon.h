#pragma once
// The notification-area icon of the main window, as the controller needs it:
// add, remove, and a popup menu at the cursor whose choice comes back to the
// owner window as WM_COMMAND with the item id. The Qt backend provides the
// real one; MemoryTrayIcon keeps the state for tests and headless runs.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/toolkit/manager.h"
#include "ui/toolkit/menu_wnd.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::ui {

inline constexpr uint32_t kTrayIconId = 109;
inline constexpr uint32_t kTrayFlags = 7;  // message, icon and tip
inline constexpr uint32_t kTrayMessage = 1690;
inline constexpr size_t kTrayTipLength = 127;

// Mouse messages the tray sends as lParam of its callback message.
inline constexpr intptr_t kTrayLeftDown = 0x0201;
inline constexpr intptr_t kTrayLeftDoubleClick = 0x0203;
inline constexpr intptr_t kTrayRightUp = 0x0205;

struct TrayIconRecord {
    DUI::WindowHandle window = 0;
    DUI::Icon icon;
    uint32_t id = 0;
    uint32_t flags = 0;
    uint32_t callback_message = 0;
    std::u16string tip;
    bool operator==(const TrayIconRecord&) const = default;
};

class TrayIcon {
  public:
    virtual ~TrayIcon() = default;
    virtual bool Add(const TrayIconRecord& record) = 0;
    virtual void Remove() = 0;
    // The choice is posted to the owner as WM_COMMAND, wParam the item id.
    virtual void ShowMenu(DUI::WindowHandle owner, DUI::Point at,
                          std::vector<DUI::MenuItem> items) = 0;
    // The tooltip, also before the icon is added.
    virtual void SetTip(std::u16string_view tip) = 0;
    // A desktop notification from the icon; nothing where there is no tray.
    virtual void Notify(std::u16string_view title, std::u16string_view message) = 0;
};

struct TrayNotice {
    std::u16string title;
    std::u16string message;
    bool operator==(const TrayNotice&) const = default;
};

class MemoryTrayIcon : public TrayIcon {
  public:
    bool Add(const TrayIconRecord& record) override;
    void Remove() override;
    void ShowMenu(DUI::WindowHandle owner, DUI::Point at,
                  std::vector<DUI::MenuItem> items) override;
    void SetTip(std::u16string_view tip) override { tip_ = tip; }
    void Notify(std::u16string_view title, std::u16string_view message) override {
        notices_.push_back({std::u16string(title), std::u16string(message)});
    }

    const std::u16string& Tip() const { return tip_; }
    const std::vector<TrayNotice>& Notices() const { return notices_; }
    bool IsShown() const { return record_.has_value(); }
    const std::optional<TrayIconRecord>& Record() const { return record_; }
    const std::vector<DUI::MenuItem>& MenuItems() const { return menu_; }
    DUI::Point MenuPosition() const { return menu_at_; }
    int MenusShown() const { return menus_shown_; }
    // Acts as the user picking an item of the open menu; false when no menu
    // is open or the item is not in it.
    bool ChooseMenuItem(int item_id);

  private:
    std::optional<TrayIconRecord> record_;
    std::vector<DUI::MenuItem> menu_;
    DUI::WindowHandle menu_owner_ = 0;
    DUI::Point menu_at_;
    int menus_shown_ = 0;
    std::u16string tip_;
    std::vector<TrayNotice> notices_;
};

}  // namespace tessaly::ui
