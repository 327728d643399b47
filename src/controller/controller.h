#pragma once
// The program's controller: what the main window needs from the layers
// above it. It owns the device state and the worker, implements the hosts
// the feature pages call, and fills the window's services. One per main
// window; it must outlive the window's worker thread.

#include <memory>
#include <optional>
#include <string>

#include "controller/device_worker.h"
#include "device/device_change_events.h"
#include "performance/performance_host.h"
#include "ui/dialogs/save_wait_dlg.h"
#include "ui/main/device_main_dlg.h"

namespace tessaly {

class LightingWiring;
class UpdateRequestHost;

class Controller : public PerformanceHost {
  public:
    explicit Controller(DeviceManager& devices = DeviceManager::Instance());
    ~Controller() override;

    // The services for the main window; they refer to this controller.
    ui::MainWindowServices Services();

    DeviceState& Device() override { return state_; }
    DeviceWorker* Worker() { return worker_.get(); }
    ui::DeviceMainDlg* Window() { return window_; }
    DeviceManager& Devices() { return devices_; }
    // What the update operations go through; null before the window.
    UpdateRequestHost* Updates() { return updates_.get(); }
    // Tests replace the worker's fixed waits; given before the window is
    // created, it reaches the worker before its thread starts.
    void SetWorkerSleeper(DeviceWorker::Sleeper sleeper) { sleeper_ = std::move(sleeper); }

    // PerformanceHost.
    int CurrentProfile() const override;
    void QueueTask(int32_t code) override;
    void ShowSaveWait() override;
    bool ShowDpiTips() const override;
    void ShowDpiPopup(int dpi) override;
    int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                       uint32_t buttons) override;
    std::u16string DescriptionFilePath() const override;
    void OpenSystemMouseSettings() override;

  private:
    // On the UI thread, as the window initialises, before the worker starts.
    void Attach(ui::DeviceMainDlg& dlg);
    void InstallTaskBodies();
    void TellStoreProblems(ui::DeviceMainDlg& dlg);
    // A write body: the command failure handling follows a failed write.
    void SetWriteBody(int code, std::function<bool(HidInterface*)> write);
    void LoadModel(int device_type);
    // Arrivals and removals of HID interfaces, from udev or the virtual
    // mouse, reach the UI thread and queue tasks 2 and 3.
    void FollowDeviceChanges();
    void OnDeviceChange(DeviceChangeKind kind, const std::string& interface_name);
    std::optional<int> ConnectedMode(int device_type) const;

    DeviceManager& devices_;
    DeviceState state_;
    ui::DeviceMainDlg* window_ = nullptr;
    std::unique_ptr<DeviceWorker> worker_;
    DeviceWorker::Sleeper sleeper_;
    // What the window's task list wakes; cleared when the controller goes,
    // whichever of the two is destroyed first.
    std::shared_ptr<DeviceWorker*> wake_target_ = std::make_shared<DeviceWorker*>(nullptr);
    std::unique_ptr<SystemDeviceChanges> system_changes_;
    std::unique_ptr<LightingWiring> lighting_;
    std::shared_ptr<UpdateRequestHost> updates_;
};

}  // namespace tessaly
