#include "ui/main/window_page_contexts.h"

namespace tessaly::ui {

ButtonPageContext ButtonPageContextOf(DeviceMainDlg& window) {
    return {PageView(window, window.button_page), PageView(window, window.custom_key_page),
            window.scale, window.key_capture, window};
}

MacroPageContext MacroPageContextOf(DeviceMainDlg& window) {
    return {PageView(window, window.macro_page),
            PageView(window, window.button_page),
            PageView(window, window.custom_key_page),
            window.tab_ctrl,
            window.key_capture,
            window};
}

LightingPageContext LightingPageContextOf(DeviceMainDlg& window) {
    return {PageView(window, window.lighting_page), window.scale, window};
}

PerformancePageContext PerformancePageContextOf(DeviceMainDlg& window) {
    return {PageView(window, window.performance_page), window.tips, window};
}

ProfilesContext ProfilesContextOf(DeviceMainDlg& window) {
    return {window, window};
}

CatalogueContext CatalogueContextOf(DeviceMainDlg& window) {
    return {window, PageView(window, window.settings_page), window.tab_ctrl, window.tips,
            window.Update()};
}

}  // namespace tessaly::ui
