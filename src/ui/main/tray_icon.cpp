#include "ui/main/tray_icon.h"

#include <algorithm>

#include "ui/toolkit/window_constants.h"

namespace tessaly::ui {

bool MemoryTrayIcon::Add(const TrayIconRecord& record) {
    record_ = record;
    return true;
}

void MemoryTrayIcon::Remove() {
    record_.reset();
}

void MemoryTrayIcon::ShowMenu(DUI::WindowHandle owner, DUI::Point at,
                              std::vector<DUI::MenuItem> items) {
    menu_ = std::move(items);
    menu_owner_ = owner;
    menu_at_ = at;
    ++menus_shown_;
}

bool MemoryTrayIcon::ChooseMenuItem(int item_id) {
    const bool listed =
        std::any_of(menu_.begin(), menu_.end(),
                    [item_id](const DUI::MenuItem& item) { return item.id == item_id; });
    if (!listed) {
        return false;
    }
    menu_.clear();
    return DUI::Toolkit::Get().PostMessage(menu_owner_, DUI::kWmCommand,
                                           static_cast<uintptr_t>(item_id), 0);
}

}  // namespace tessaly::ui
