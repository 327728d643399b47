#pragma once
// The main window's pages as their behaviour code sees them: the wiring and
// the page tests build each page's context here, so the pages themselves
// never name the window.

#include "ui/main/device_main_dlg.h"
#include "ui/main/page_context.h"

namespace tessaly::ui {

ButtonPageContext ButtonPageContextOf(DeviceMainDlg& window);
MacroPageContext MacroPageContextOf(DeviceMainDlg& window);
LightingPageContext LightingPageContextOf(DeviceMainDlg& window);
PerformancePageContext PerformancePageContextOf(DeviceMainDlg& window);
ProfilesContext ProfilesContextOf(DeviceMainDlg& window);
CatalogueContext CatalogueContextOf(DeviceMainDlg& window);

}  // namespace tessaly::ui
