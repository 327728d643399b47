#include "ui/main/page_context.h"

#include "ui/pages/control_table.h"

namespace tessaly::ui {

DUI::MControl* PageView::Find(int id, int nth) const {
    return FindInPage(*window_, *page_, id, nth);
}

}  // namespace tessaly::ui
