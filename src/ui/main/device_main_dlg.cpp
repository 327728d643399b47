#include "ui/main/device_main_dlg.h"

#include <algorithm>
#include <utility>

#include "app/registry_values.h"
#include "base/application_name.h"
#include "base/task.h"
#include "platform/process_exit.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/ids/main_window_ids.h"
#include "ui/ids/performance_page_ids.h"
#include "ui/localisation/language_change.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/main/window_factory_reset_host.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::ui {
namespace {

constexpr int kControlTimerMs = 10;
constexpr int kSelectedDeviceTypeAtStart = 101;

std::u16string Text(int number) {
    return LoadLanguageString(number);
}

// Windows that must not stay open once the mouse is gone.
struct PopupRule {
    const char16_t* title;
    bool close;  // WM_CLOSE, or else hidden
    uintptr_t wparam;
};
constexpr PopupRule kPopupRules[] = {
    {u"CloseWindowTipDlg", true, 0}, {u"CustomKeyDlg", true, 0}, {u"MessageBox", true, 2},
    {u"WaitDlg", true, 0},           {u"Menu Window", true, 0},  {u"KeyboardTip Window", false, 0},
    {u"ComboWnd", false, 0},         {u"PaletteDlg", false, 0},
};

}  // namespace

DeviceMainDlg::DeviceMainDlg(TrayIcon& tray, WindowState state, MainWindowServices services)
    : tray_status(tray),
      tray_(tray),
      device_(state.device),
      update_(state.update),
      services_(std::move(services)) {
    RegisterOwnHandlers();
}

DeviceMainDlg::~DeviceMainDlg() {
    SetApplyLanguageHandler({});
    if (services_.join_worker) {
        services_.join_worker();
    }
}

void DeviceMainDlg::QueueTask(int32_t code) {
    if (services_.queue_task) {
        services_.queue_task(code);
    }
}

void DeviceMainDlg::SetPageHandler(RouteSlot slot, PageHandler handler) {
    page_handlers_[static_cast<size_t>(slot)] = std::move(handler);
}

void DeviceMainDlg::SetMessageHandler(MessageSlot slot, MessageHandler handler) {
    message_handlers_[static_cast<size_t>(slot)] = std::move(handler);
}

void DeviceMainDlg::RegisterOwnHandlers() {
    using S = RouteSlot;
    auto own = [this](S slot, std::function<int(int id, int event, intptr_t param)> f) {
        SetPageHandler(slot, std::move(f));
    };
    auto open = [this](const std::u16string& target, std::u16string_view parameters) {
        if (services_.shell_open) {
            services_.shell_open(target, parameters);
        }
    };
    own(S::kTabSwitch,
        [this](int, int, intptr_t param) { return OnTabClick(static_cast<int>(param)); });
    own(S::kClose, [this](int, int, intptr_t) {
        OnCloseButton();
        return 1;
    });
    own(S::kMinimise, [this](int, int, intptr_t) {
        OnMinimize();
        return 1;
    });
    own(S::kOpenSettings, [this](int, int, intptr_t) { return OnOpenSettings(); });
    own(S::kWebsite, [this, open](int id, int, intptr_t) {
        if (id == main_id::kWebsite && update_.website_address.empty()) {
            return 0;
        }
        open(update_.website_address, u"");
        return 1;
    });
    own(S::kFeedback, [this, open](int, int, intptr_t) {
        open(update_.feedback_address, u"");
        return 1;
    });
    own(S::kQa, [this, open](int, int, intptr_t) {
        open(update_.qa_address, u"");
        return 1;
    });
    own(S::kActivateDevice, [this](int, int, intptr_t) { return OnActivateDevice(); });
    own(S::kReceiverInfo, [this](int, int, intptr_t) {
        MessageBox(text::kReceiverFirmware, text::kNoReceiverFirmwareOffered, 0);
        return 1;
    });
    own(S::kFactoryRestore, [this](int, int, intptr_t) { return OnFactoryRestore(); });
    own(S::kAccepted, [](int, int, intptr_t) { return 1; });
}

int DeviceMainDlg::OnMessage(int id, int event, intptr_t param, intptr_t) {
    const std::optional<Route> route = FindRoute(id);
    if (!route || (!route->any_event && event != DUI::kEventActivated)) {
        return 0;
    }
    const PageHandler& handler = page_handlers_[static_cast<size_t>(route->slot)];
    if (!handler) {
        return 0;
    }
    return handler(id, event, param);
}

// --- window messages ---------------------------------------------------------

intptr_t DeviceMainDlg::OnWindowMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) {
    using Handler = std::optional<intptr_t> (*)(DeviceMainDlg&, uintptr_t, intptr_t);
    struct Row {
        uint32_t message;
        Handler handle;  // nothing: base handling follows
    };
    static constexpr Row kRows[] = {
        {kWmInput,
         [](DeviceMainDlg& d, uintptr_t w, intptr_t l) -> std::optional<intptr_t> {
             return d.OnRawInput(w, l);
         }},
        {DUI::kWmCommand,
         [](DeviceMainDlg& d, uintptr_t w, intptr_t) -> std::optional<intptr_t> {
             if (w == kCommandTrayExit) {
                 d.ExitNow();
                 return 0;
             }
             if (w == kCommandAbout) {
                 d.ShowAbout();
             }
             if (w == kCommandTrayOpen) {
                 d.OnTrayMessage(kTrayLeftDoubleClick);
                 return 0;
             }
             const size_t item = w - kCommandTrayProfile;
             if (w >= kCommandTrayProfile && item < d.tray_profile_ids_.size()) {
                 // As the profile dialog's choice.
                 d.OnProfileMessage(0, d.tray_profile_ids_[item]);
                 return 0;
             }
             return std::nullopt;
         }},
        {kWmDeviceChange,
         [](DeviceMainDlg& d, uintptr_t w, intptr_t l) -> std::optional<intptr_t> {
             d.CallMessageSlot(MessageSlot::kDeviceChange, w, l, 0);
             return 0;
         }},
        {kTrayMessage,
         [](DeviceMainDlg& d, uintptr_t, intptr_t l) -> std::optional<intptr_t> {
             return d.OnTrayMessage(l);
         }},
        {kWmExitRequest,
         [](DeviceMainDlg& d, uintptr_t, intptr_t l) -> std::optional<intptr_t> {
             if (l == kExitRequestCode) {
                 d.ExitNow();
             }
             return 0;
         }},
        {kWmUpdateAvailable,
         [](DeviceMainDlg& d, uintptr_t w, intptr_t) -> std::optional<intptr_t> {
             return d.OnUpdateAvailable(w);
         }},
        {kWmDownloadProgress,
         [](DeviceMainDlg& d, uintptr_t w, intptr_t l) -> std::optional<intptr_t> {
             if (d.update_progress) {
                 d.CallMessageSlot(MessageSlot::kDownloadProgress, w, l, 1);
             }
             return 1;
         }},
        {kWmProfile,
         [](DeviceMainDlg& d, uintptr_t w, intptr_t l) -> std::optional<intptr_t> {
             return d.OnProfileMessage(w, l);
         }},
        {kWmMacroMenu1,
         [](DeviceMainDlg& d, uintptr_t w, intptr_t l) -> std::optional<intptr_t> {
             d.CallMessageSlot(MessageSlot::kMacroMenu, kWmMacroMenu1, l, 1);
             (void)w;
             return 1;
         }},
        {kWmMacroMenu2,
         [](DeviceMainDlg& d, uintptr_t w, intptr_t l) -> std::optional<intptr_t> {
             d.CallMessageSlot(MessageSlot::kMacroMenu, kWmMacroMenu2, l, 1);
             (void)w;
             return 1;
         }},
        {kWmMacroMenu3,
         [](DeviceMainDlg& d, uintptr_t w, intptr_t l) -> std::optional<intptr_t> {
             d.CallMessageSlot(MessageSlot::kMacroMenu, kWmMacroMenu3, l, 1);
             (void)w;
             return 1;
         }},
        {kWmApplyLanguage,
         [](DeviceMainDlg& d, uintptr_t w, intptr_t l) -> std::optional<intptr_t> {
             d.ApplyLanguage();
             (void)w;
             (void)l;
             return std::nullopt;
         }},
    };
    for (const Row& row : kRows) {
        if (row.message == message) {
            if (std::optional<intptr_t> result = row.handle(*this, wparam, lparam)) {
                return *result;
            }
            break;
        }
    }
    return MDialog::OnWindowMessage(message, wparam, lparam);
}

intptr_t DeviceMainDlg::CallMessageSlot(MessageSlot slot, uintptr_t wparam, intptr_t lparam,
                                        intptr_t fallback) {
    const MessageHandler& handler = message_handlers_[static_cast<size_t>(slot)];
    return handler ? handler(wparam, lparam) : fallback;
}

intptr_t DeviceMainDlg::OnRawInput(uintptr_t wparam, intptr_t lparam) {
    if (!key_capture.armed.load()) {
        return 1;
    }
    return CallMessageSlot(MessageSlot::kRawInput, wparam, lparam, 1);
}

intptr_t DeviceMainDlg::OnTrayMessage(intptr_t mouse_message) {
    if (mouse_message == kTrayLeftDown || mouse_message == kTrayLeftDoubleClick) {
        ShowWindow(DUI::kSwShowNormal);
        SetWindowPos(DUI::kHwndTop, 0, 0, 0, 0, DUI::kSwpNoMove | DUI::kSwpNoSize);
        InvalidateRect();
    } else if (mouse_message == kTrayRightUp) {
        // "Exit" stays the first item; the profiles follow, the current one
        // checked.
        std::vector<DUI::MenuItem> items{{kCommandTrayExit, Text(text::kExit)},
                                         {kCommandTrayOpen, Text(text::kTrayOpen)}};
        tray_profile_ids_.clear();
        const auto profiles = services_.tray_profiles
                                  ? services_.tray_profiles()
                                  : std::vector<std::pair<int, std::u16string>>{};
        for (const auto& [id, name] : profiles) {
            if (tray_profile_ids_.size() == kTrayProfileLimit) {
                break;
            }
            const int command = kCommandTrayProfile + static_cast<int>(tray_profile_ids_.size());
            const bool current = id == device_.current_profile.load();
            items.push_back({command, (current ? u"\u2713 " : u"    ") + name});
            tray_profile_ids_.push_back(id);
        }
        tray_.ShowMenu(GetSafeHwnd(), DUI::Toolkit::Get().CursorPos(), std::move(items));
    }
    return 0;
}

intptr_t DeviceMainDlg::OnUpdateAvailable(uintptr_t kind) {
    const std::u16string found = Text(text::kNewVersionFound);
    const std::u16string question = Text(text::kUpdateNowQuestion);
    if (kind == 1) {
        const std::u16string message =
            found + u":V" + update_.new_software_version.Get() + u", " + question;
        if (services_.message_box &&
            services_.message_box(*this, Text(text::kSoftwareUpdateTitle), message, 4) == 1) {
            if (services_.start_software_download) {
                if (!services_.start_software_download()) {
                    return 1;
                }
            } else {
                QueueTask(kTaskSoftwareDownload);
            }
            DestroyPopup(update_progress);
            update_progress = MakePopup(u"UpdateProcessDlg");
            update_progress->Create(this, u"UpdateProcessDlg", DUI::kDialogStyle,
                                    DUI::kWsExToolWindow, {0, 0, 360, 100});
            update_progress->CenterWindow(this);
            update_progress->ShowModal(DUI::kSwShow);
        }
    } else if (kind == 2) {
        // A version too short for "major.minor" shows what there is.
        const std::u16string v = update_.new_firmware_version.Get();
        const std::u16string major = v.substr(0, std::min<size_t>(1, v.size()));
        const std::u16string minor = v.size() >= 2 ? v.substr(v.size() - 2) : std::u16string();
        const std::u16string message = found + u":V" + major + u"." + minor + u", " + question;
        if (services_.message_box &&
            services_.message_box(*this, Text(text::kMouseFirmware), message, 4) == 1) {
            if (services_.start_firmware_upgrade) {
                services_.start_firmware_upgrade();
            } else {
                QueueTask(kTaskFirmwareUpgrade);
            }
            DestroyPopup(firmware_progress);
            firmware_progress = MakePopup(u"UpdateTipDlg");
            firmware_progress->Create(this, u"UpdateTipDlg", DUI::kDialogStyle,
                                      DUI::kWsExToolWindow, {0, 0, 391, 130});
            firmware_progress->CenterWindow(this);
            firmware_progress->ShowModal(DUI::kSwShow);
        }
    }
    return 1;
}

intptr_t DeviceMainDlg::OnProfileMessage(uintptr_t wparam, intptr_t lparam) {
    if (wparam == 0) {
        device_.current_profile.store(static_cast<int>(lparam));
        CallMessageSlot(MessageSlot::kProfileSwitched, wparam, lparam, 1);
        QueueTask(kTaskWriteEverything);
    } else if (wparam == 1 || wparam == 2) {
        CallMessageSlot(MessageSlot::kProfileFile, wparam, lparam, 1);
    }
    return 1;
}

// --- popups ------------------------------------------------------------------

std::unique_ptr<DUI::MDialog> DeviceMainDlg::MakePopup(std::u16string_view title) const {
    if (services_.make_popup) {
        if (auto popup = services_.make_popup(title)) {
            return popup;
        }
    }
    return std::make_unique<DUI::MDialog>();
}

int DeviceMainDlg::MessageBox(int title_text, int message_text, int buttons) {
    if (!services_.message_box) {
        return 0;
    }
    return services_.message_box(*this, Text(title_text), Text(message_text), buttons);
}

void DeviceMainDlg::ShowAbout() {
    std::unique_ptr<DUI::MDialog> about = MakePopup(u"AboutDlg");
    if (!about) {
        return;
    }
    if (auto* box = dynamic_cast<AboutDlg*>(about.get())) {
        // Only a mouse that is there now has its versions shown.
        const bool online = device_.device_online.load();
        box->SetVersions({update_.software_version,
                          online ? update_.mouse_firmware_version.Get() : u"",
                          online ? update_.receiver_firmware_version.Get() : u""});
    }
    if (about->Create(this, u"About Window", DUI::kDialogStyle, 0, {0, 0, 500, 300})) {
        about->CenterWindow(this);
        about->ShowModal(DUI::kSwShow);
        about->DestroyWindow();
    }
}

void DeviceMainDlg::CreateDpiPopup() {
    dpi_popup = MakePopup(u"DPIMsgDlg");
    if (dpi_popup->Create(this, u"DPIMsgDlg", DUI::kDialogStyle, DUI::kWsExToolWindow,
                          {0, 0, 300, 130})) {
        dpi_popup->ShowWindow(DUI::kSwShow);
        dpi_popup->ShowWindow(DUI::kSwHide);
    }
}

void DeviceMainDlg::DestroyPopup(std::unique_ptr<DUI::MDialog>& popup) {
    if (popup) {
        popup->CloseWindow();
        popup->DestroyWindow();
        popup.reset();
    }
}

void DeviceMainDlg::ClosePopups() {
    auto& toolkit = DUI::Toolkit::Get();
    for (const PopupRule& rule : kPopupRules) {
        const DUI::WindowHandle window = toolkit.FindWindow(DUI::MWindow::kClassName, rule.title);
        if (window == 0) {
            continue;
        }
        if (rule.close) {
            toolkit.PostMessage(window, DUI::kWmClose, rule.wparam, 0);
        } else {
            toolkit.ShowWindow(window, DUI::kSwHide);
        }
    }
    if (wait_dialog) {
        wait_dialog->ShowWindow(DUI::kSwHide);
    }
    if (services_.stop_recording) {
        services_.stop_recording();
    }
    if (DUI::MControl* stages = GetControl(performance_id::kStages)) {
        stages->OnFocus(0);
    }
}

// --- tray and exit -------------------------------------------------------------

void DeviceMainDlg::AddTrayIcon() {
    const DUI::Icon icon =
        DUI::MRender::LoadIconFromFile(DUI::Manager::ResolveImage(u"Tessaly.ico"));
    tray_record.window = GetSafeHwnd();
    tray_record.icon = icon;
    tray_record.id = kTrayIconId;
    tray_record.flags = kTrayFlags;
    tray_record.callback_message = kTrayMessage;
    tray_record.tip = tray_status.Tooltip().substr(0, kTrayTipLength);
    tray_added = tray_.Add(tray_record);
    SetIcon(icon);
}

void DeviceMainDlg::RemoveTrayIcon() {
    if (tray_added) {
        tray_.Remove();
        tray_added = false;
    }
}

void DeviceMainDlg::ExitNow() {
    RemoveTrayIcon();
    ExitProcessNow(0);
}

void DeviceMainDlg::OnCloseButton() {
    if (ReadRegistryNumber(kValueExitMode) == 1) {
        ShowWindow(DUI::kSwHide);
    } else {
        ExitNow();
    }
}

// --- life cycle ------------------------------------------------------------------

bool DeviceMainDlg::OnInitDialog() {
    // Other processes find the running program through its single-instance
    // lock (platform/single_instance.h), not through this window.
    MDialog::OnInitDialog();
    AddTrayIcon();
    CreateDpiPopup();
    WriteDeviceType(kSelectedDeviceTypeAtStart);
    if (services_.load_catalogue) {
        services_.load_catalogue(*this);
    }
    for (int code : kStartupTasks) {
        QueueTask(code);
    }
    if (services_.start_worker) {
        services_.start_worker();
    }
    SetMTimer(kControlTimerMs);
    return true;
}

void DeviceMainDlg::CloseWindow() {
    if (services_.stop_worker) {
        services_.stop_worker();
    }
    RemoveTrayIcon();
    if (services_.clear_identities) {
        services_.clear_identities();
    }
    if (tips.show_dpi_tips) {
        DestroyPopup(dpi_popup);
    }
    DestroyPopup(wait_dialog);
    DestroyPopup(update_progress);
    DestroyWindow();
}

int DeviceMainDlg::OnNcActivate(bool) {
    return 0;
}

void DeviceMainDlg::OnTimer(uint32_t) {}

int DeviceMainDlg::OnFactoryRestore() {
    const SettingsChange change = FactoryReset(*MakeFactoryResetHost(*this), [this] {
        return MessageBox(text::kFactoryResetTitle, text::kFactoryResetQuestion, 4) == 1;
    });
    if (change.refusal_text != 0) {
        MessageBox(text::kNoticeTitle, change.refusal_text, 0);
    }
    return 1;
}

}  // namespace tessaly::ui
