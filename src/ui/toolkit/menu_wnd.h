#pragma once
// Popup menus. The toolkit owns an open menu; the user's choice arrives at
// the owner window as the menu's message with wParam 0 and lParam the item
// id, on the UI thread. Choosing, WM_CLOSE or a new popup closes the menu.

#include <string>
#include <vector>

#include "ui/toolkit/window.h"

namespace tessaly::DUI {

struct MenuItem {
    int id = 0;
    std::u16string text;
    bool operator==(const MenuItem&) const = default;
};

class MenuWnd : public MWindow {
  public:
    static constexpr std::u16string_view kTitle = u"Menu Window";
    static constexpr int kItemHeight = 30;

    // UI thread. Opens a menu of the width at a screen point; null when the
    // owner does not exist.
    static MenuWnd* Popup(MWindow& owner, uint32_t message, Point at, int width,
                          std::vector<MenuItem> items);

    const std::vector<MenuItem>& Items() const { return items_; }
    uint32_t GetMessage() const { return message_; }
    WindowHandle GetOwnerHandle() const { return owner_; }
    // The user picked the item: its id is posted to the owner; unknown ids
    // only close the menu.
    void Choose(int item_id);

    MenuWnd(WindowHandle owner, uint32_t message, std::vector<MenuItem> items)
        : owner_(owner), message_(message), items_(std::move(items)) {}

  private:
    WindowHandle owner_;
    uint32_t message_;
    std::vector<MenuItem> items_;
};

}  // namespace tessaly::DUI
