#pragma once
// The main window: it builds and lays out the frame, routes window messages
// and control events to their owners, and keeps the tray icon and the
// popups. It never talks to the mouse itself: it reads the program's state
// it is given, and queues tasks and starts and stops the device worker
// through its services.
//
// Parts of the program built on top of this layer (catalogue, device
// access, the feature pages, the common dialogs) plug in through
// MainWindowServices and the handler slots: an empty slot gives 0.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/device_state.h"
#include "app/update_state.h"
#include "base/task.h"
#include "ui/main/device_main_def.h"
#include "ui/main/message_routing.h"
#include "ui/main/page_context.h"
#include "ui/main/tray_icon.h"
#include "ui/main/tray_status.h"
#include "ui/main/window_messages.h"
#include "ui/toolkit/dialog.h"

namespace tessaly::ui {

inline constexpr int kCommandTrayExit = 100;
inline constexpr int kCommandAbout = 102;
// The tray menu's "open", and its profiles from this id on, in list order.
inline constexpr int kCommandTrayOpen = 103;
inline constexpr int kCommandTrayProfile = 110;
inline constexpr int kTrayProfileLimit = 16;
inline constexpr Task kStartupTasks[] = {kTaskConnectAtStart, kTaskSoftwareCheck};

class DeviceMainDlg;

struct MainWindowServices {
    // A message box: title, message, button set (0 one button, 4 two);
    // returns 1 for the first button, 2 for the second.
    std::function<int(DUI::MWindow& parent, std::u16string_view title, std::u16string_view message,
                      int buttons)>
        message_box;
    // The popup dialogs by title ("DPIMsgDlg", "AboutDlg", "UpdateProcessDlg",
    // "UpdateTipDlg"); a plain dialog when unset.
    std::function<std::unique_ptr<DUI::MDialog>(std::u16string_view title)> make_popup;
    // Opens an address or program with its parameters.
    std::function<void(std::u16string_view target, std::u16string_view parameters)> shell_open;
    // Loads the catalogue into the device list.
    std::function<void(DeviceMainDlg&)> load_catalogue;
    // Empties the identity list discovery uses.
    std::function<void()> clear_identities;
    // The connection mode (0 cable, 1 receiver) of a connected mouse of the
    // type, or nothing when none is connected.
    std::function<std::optional<int>(int device_type)> connected_mode;
    // The type became the selected one: the lookup forgets its device and
    // the model is selected.
    std::function<void(int device_type)> select_model;
    // Empties the set of device types whose state was read.
    std::function<void()> clear_read_set;
    // Stops a running macro recording.
    std::function<void()> stop_recording;
    // The macro page shows the store again, after a change made without it.
    std::function<void()> refill_macro_page;
    // Shows the wait dialog after a write was queued.
    std::function<void()> show_save_wait;
    // The software offer was accepted: queues the download (task 26 when
    // unset); false when it was refused.
    std::function<bool()> start_software_download;
    // The firmware offer was accepted: queues the upgrade (task 27 when unset).
    std::function<void()> start_firmware_upgrade;
    // The selected model's button names in the current language, in the
    // order of the button list; empty before a model is read.
    std::function<std::vector<std::u16string>()> button_names;
    // From any thread: the code goes to the end of the device worker's task
    // list.
    std::function<void(int32_t code)> queue_task;
    // The device worker's thread starts (once the start's tasks are queued);
    // it is asked to stop as the window closes, and has ended before the
    // window is destroyed, since its passes use the window.
    std::function<void()> start_worker;
    std::function<void()> stop_worker;
    std::function<void()> join_worker;
    // Before the window starts the worker: every pass first asks ready(), and
    // a pass it says no to does nothing (the GUI waits for its first frame).
    std::function<void(std::function<bool()> ready)> hold_worker;
    // True while no task is queued and the worker runs none.
    std::function<bool()> worker_idle;
    // The selected model's profiles (id, shown name), for the tray menu;
    // empty without a mouse.
    std::function<std::vector<std::pair<int, std::u16string>>()> tray_profiles;
};

// The program's state the window reads and changes; whoever creates the
// window owns it, and it outlives the window.
struct WindowState {
    DeviceState& device;
    UpdateState& update;
};

class DeviceMainDlg : public DUI::MDialog, public DeviceMainDef, public PageRouter {
  public:
    DeviceMainDlg(TrayIcon& tray, WindowState state, MainWindowServices services = {});
    ~DeviceMainDlg() override;

    DeviceState& Device() { return device_; }
    const DeviceState& Device() const { return device_; }
    UpdateState& Update() { return update_; }
    const UpdateState& Update() const { return update_; }

    // Any thread; dropped without the queue_task service.
    void QueueTask(int32_t code);

    void SetPageHandler(RouteSlot slot, PageHandler handler) override;
    void SetMessageHandler(MessageSlot slot, MessageHandler handler) override;
    MainWindowServices& Services() { return services_; }

    // The tray's tooltip and notices; UI thread.
    TrayStatus tray_status;

    // Navigation (UI thread).
    void ShowNoDevice();
    void ReturnFromSettings();
    // The tab column with the button page, after a mouse was activated.
    void ShowDevicePages();
    // Popups that must not outlive a lost mouse.
    void ClosePopups();
    // Close button: hide to the tray or exit, by the stored exit mode.
    void OnCloseButton();
    // Removes the tray icon and ends the process at once with 0.
    void ExitNow();
    // Every text of the window and its pages again, in the current language
    // and fonts; then the handler of MessageSlot::kApplyLanguage, for the
    // refreshes of the parts that fill lists from their own data.
    void ApplyLanguage();

    // Window operations.
    intptr_t OnWindowMessage(uint32_t message, uintptr_t wparam, intptr_t lparam) override;
    bool OnInitDialog() override;
    void InitUI(DUI::Rect client) override;
    void UISize(DUI::Rect client) override;
    int OnMessage(int id, int event, intptr_t param, intptr_t extra) override;
    int OnNcActivate(bool active) override;
    void OnTimer(uint32_t id) override;
    void CloseWindow() override;

  private:
    void RegisterOwnHandlers();
    void CreateFrame();
    void CreateHomePage();
    void BuildPages();
    void LayoutPages(DUI::Rect client);
    // Control 31 for the page now shown, in the last laid-out client area.
    void PlaceMousePicture();
    std::unique_ptr<DUI::MDialog> MakePopup(std::u16string_view title) const;
    int MessageBox(int title_text, int message_text, int buttons);
    void AddTrayIcon();
    void RemoveTrayIcon();
    void CreateDpiPopup();
    void DestroyPopup(std::unique_ptr<DUI::MDialog>& popup);

    intptr_t OnTrayMessage(intptr_t mouse_message);
    intptr_t OnRawInput(uintptr_t wparam, intptr_t lparam);
    intptr_t OnUpdateAvailable(uintptr_t kind);
    intptr_t OnProfileMessage(uintptr_t wparam, intptr_t lparam);
    void ShowAbout();
    intptr_t CallMessageSlot(MessageSlot slot, uintptr_t wparam, intptr_t lparam,
                             intptr_t fallback);

    int OnTabClick(int index);
    int OnOpenSettings();
    int OnActivateDevice();
    int OnFactoryRestore();
    void Show(int id, bool visible);

    TrayIcon& tray_;
    DeviceState& device_;
    UpdateState& update_;
    DUI::Rect layout_client_{};
    MainWindowServices services_;
    // The profile ids of the tray menu last shown, by item.
    std::vector<int> tray_profile_ids_;
    std::array<PageHandler, static_cast<size_t>(RouteSlot::kCount)> page_handlers_;
    std::array<MessageHandler, static_cast<size_t>(MessageSlot::kCount)> message_handlers_;
};

}  // namespace tessaly::ui
