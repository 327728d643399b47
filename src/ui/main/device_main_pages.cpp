// Which page builders the main window calls, in the order pages are built
// and laid out. Pages whose builders are not part of the program yet stay
// empty page areas.

#include "ui/main/device_main_dlg.h"
#include "ui/main/page_builders.h"

namespace tessaly::ui {

void DeviceMainDlg::BuildPages() {
    // Button, performance, lighting and macro pages: not built yet.
    BuildInformationPage(*this, *information_page, style);
    // Settings page: not built yet.
}

void DeviceMainDlg::LayoutPages(DUI::Rect client) {
    LayoutInformationPage(*this, client, scale);
}

}  // namespace tessaly::ui
