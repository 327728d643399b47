// Which page builders the main window calls, in the order pages are built
// and laid out.

#include "ui/main/device_main_dlg.h"
#include "ui/main/page_builders.h"

namespace tessaly::ui {

void DeviceMainDlg::BuildPages() {
    BuildButtonPage(*this, *button_page, *custom_key_page, style);
    BuildPerformancePage(*this, *performance_page, style);
    BuildLightingPage(*this, *lighting_page, style);
    BuildMacroPage(*this, *macro_page, style);
    BuildInformationPage(*this, *information_page, style);
    BuildSettingsPage(*this, *settings_page, style);
}

void DeviceMainDlg::LayoutPages(DUI::Rect client) {
    LayoutButtonPage(*this, client, scale);
    LayoutPerformancePage(*this, client, scale);
    LayoutLightingPage(*this, client, scale);
    LayoutMacroPage(*this, client, scale);
    LayoutInformationPage(*this, client, scale);
    LayoutSettingsPage(*this, client, scale);
}

}  // namespace tessaly::ui
