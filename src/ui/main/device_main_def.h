#pragma once
// The state of the main controller and the controls it refers to. Flags the
// device worker writes are atomic; texts the worker sets are read only after
// the message that announces them, which orders them through the toolkit.

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "base/guarded_text.h"
#include "platform/task_list.h"
#include "ui/main/localised_texts.h"
#include "ui/main/page_builders.h"
#include "ui/main/page_context.h"
#include "ui/main/tray_icon.h"
#include "ui/toolkit/controls/tabs.h"
#include "ui/toolkit/dialog.h"

namespace tessaly::ui {

struct DeviceMainDef {
    TaskList tasks;
    int current_tab_id = 1;
    int return_tab_index = 1;
    std::atomic<bool> device_present{false};
    std::atomic<bool> device_online{false};
    std::atomic<int> selected_device_type{0};
    std::atomic<int> current_profile{1};
    std::atomic<int> connection_mode{0};
    float scale = 1.0f;
    TipPreferences tips;
    std::u16string website_address;
    std::u16string feedback_address;
    std::u16string qa_address;
    std::u16string upgrade_address;
    std::u16string software_version;
    std::u16string firmware_address;
    // Set by the version checks on the worker, read by the window and the CLI.
    GuardedText new_software_version;
    GuardedText new_firmware_version;
    // The connected mouse's and receiver's firmware as the mouse gives them
    // ("105"), set by the worker when it reads them; the about box shows them.
    GuardedText mouse_firmware_version;
    GuardedText receiver_firmware_version;
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
