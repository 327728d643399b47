// Which page builders the main window calls, in the order pages are built
// and laid out. The button, lighting and macro pages are not part of the
// program yet: their page areas exist and stay empty.

#include "ui/main/device_main_dlg.h"
#include "ui/main/page_builders.h"

namespace tessaly::ui {

void DeviceMainDlg::BuildPages() {
    BuildPerformancePage(*this, *performance_page, style);
    BuildInformationPage(*this, *information_page, style);
    BuildSettingsPage(*this, *settings_page, style);
}

void DeviceMainDlg::LayoutPages(DUI::Rect client) {
    LayoutPerformancePage(*this, client, scale);
    LayoutInformationPage(*this, client, scale);
    LayoutSettingsPage(*this, client, scale);
}

}  // namespace tessaly::ui
