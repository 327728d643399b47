#pragma once
// The main window's own state: its pages, popups, tray record, style and
// capture mode. Flags other threads write are atomic; texts the worker sets
// are read only after the message that announces them, which orders them
// through the toolkit. The mouse's state and the program's addresses and
// versions are the controller's (DeviceState, UpdateState).

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "ui/main/localised_texts.h"
#include "ui/main/page_builders.h"
#include "ui/main/page_context.h"
#include "ui/main/tray_icon.h"
#include "ui/toolkit/controls/tabs.h"
#include "ui/toolkit/dialog.h"

namespace tessaly::ui {

struct DeviceMainDef {
    int current_tab_id = 1;
    int return_tab_index = 1;
    float scale = 1.0f;
    TipPreferences tips;
    // Frame and accent colours, state and button fonts.
    PageStyle style;
    KeyCapture key_capture;
    TrayIconRecord tray_record;
    bool tray_added = false;
    DUI::Rect centred_notice;
    // Texts built from numbered texts at run time, rebuilt by ApplyLanguage.
    LocalisedTexts localised_texts;

    std::unique_ptr<DUI::MDialog> dpi_popup;
    std::unique_ptr<DUI::MDialog> wait_dialog;
    std::unique_ptr<DUI::MDialog> update_progress;
    std::unique_ptr<DUI::MDialog> firmware_progress;

    // Pages, set by InitUI.
    DUI::MTabLayout* home_page = nullptr;         // 49
    DUI::MTabLayout* button_page = nullptr;       // 50
    DUI::MTabLayout* custom_key_page = nullptr;   // 51
    DUI::MTabLayout* performance_page = nullptr;  // 52
    DUI::MTabLayout* macro_page = nullptr;        // 53
    DUI::MTabLayout* lighting_page = nullptr;     // 54
    DUI::MTabLayout* information_page = nullptr;  // 55
    DUI::MTabLayout* settings_page = nullptr;     // 56
    DUI::MTabCtrl* tab_ctrl = nullptr;            // 48
};

}  // namespace tessaly::ui
