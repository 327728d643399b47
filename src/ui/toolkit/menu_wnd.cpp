#include "ui/toolkit/menu_wnd.h"

#include <algorithm>

#include "ui/toolkit/window_constants.h"

namespace tessaly::DUI {

MenuWnd* MenuWnd::Popup(MWindow& owner, uint32_t message, Point at, int width,
                        std::vector<MenuItem> items) {
    Toolkit& toolkit = Toolkit::Get();
    WindowHandle owner_handle = owner.GetSafeHwnd();
    if (owner_handle == 0 || !toolkit.IsUiThread()) {
        return nullptr;
    }
    // One popup at a time, as with any menu.
    for (MenuWnd* open : toolkit.OpenMenus()) {
        open->DestroyWindow();
    }
    int height = kItemHeight * static_cast<int>(items.size());
    auto& menu =
        toolkit.AdoptMenu(std::make_unique<MenuWnd>(owner_handle, message, std::move(items)));
    menu.Create(&owner, kTitle, kDialogStyle, kWsExToolWindow,
                {at.x, at.y, at.x + width, at.y + height});
    auto lock = LockToolkit();
    toolkit.backend().MenuOpened(menu);
    return &menu;
}

void MenuWnd::Choose(int item_id) {
    bool known = std::any_of(items_.begin(), items_.end(),
                             [item_id](const MenuItem& item) { return item.id == item_id; });
    if (known) {
        Toolkit::Get().PostMessage(owner_, message_, 0, item_id);
    }
    DestroyWindow();
}

}  // namespace tessaly::DUI
