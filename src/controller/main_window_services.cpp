#include "controller/main_window_services.h"

#include <memory>

#include "platform/shell_open.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/dpi_msg_dlg.h"
#include "ui/dialogs/message_box.h"
#include "ui/dialogs/update_process_dlg.h"
#include "ui/dialogs/update_tip_dlg.h"

namespace tessaly {
namespace {

std::unique_ptr<DUI::MDialog> MakePopup(std::u16string_view title) {
    if (title == u"AboutDlg") {
        return std::make_unique<AboutDlg>();
    }
    if (title == DPIMsgDlg::kTitle) {
        return std::make_unique<DPIMsgDlg>();
    }
    if (title == UpdateProcessDlg::kTitle) {
        return std::make_unique<UpdateProcessDlg>();
    }
    if (title == UpdateTipDlg::kTitle) {
        return std::make_unique<UpdateTipDlg>();
    }
    return nullptr;
}

}  // namespace

ui::MainWindowServices MakeMainWindowServices() {
    ui::MainWindowServices services;
    services.message_box = [](DUI::MWindow& parent, std::u16string_view title,
                              std::u16string_view message, int buttons) {
        return ShowMessageBox(message, &parent, title, static_cast<uint32_t>(buttons));
    };
    services.make_popup = MakePopup;
    services.shell_open = [](std::u16string_view target, std::u16string_view parameters) {
        ShellOpen(target, parameters);
    };
    return services;
}

}  // namespace tessaly
