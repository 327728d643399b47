#pragma once
// The program's controller: what the main window needs from the layers
// above it. It owns the program's state (the mouse's, the addresses and
// versions), the device worker with its thread and task list, implements
// the hosts the feature pages call, and fills the window's services. One
// per main window; create it first and give the window State().

#include <memory>
#include <optional>
#include <string>

#include "app/update_state.h"
#include "controller/device_worker.h"
#include "controller/worker_thread_runner.h"
#include "device/device_change_events.h"
#include "performance/performance_host.h"
#include "ui/dialogs/save_wait_dlg.h"
#include "ui/main/device_main_dlg.h"

namespace tessaly {

class LightingWiring;
class PerformanceWiring;
class ProfilesHost;
class UpdateRequestHost;

class Controller {
  public:
    explicit Controller(DeviceManager& devices = DeviceManager::Instance());
    ~Controller();
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    // The services for the main window; they refer to this controller.
    ui::MainWindowServices Services();
    // The state the window is built on.
    ui::WindowState State() { return {state_, update_state_}; }

    DeviceState& Device() { return state_; }
    UpdateState& Update() { return update_state_; }
    // The device worker's task list; any thread.
    TaskList& Tasks() { return runner_->Tasks(); }
    // No task queued and none running.
    bool WorkerIdle() const;
    DeviceWorker* Worker() { return worker_.get(); }
    ui::DeviceMainDlg* Window() { return window_; }
    DeviceManager& Devices() { return devices_; }
    // What the update operations go through; null before the window.
    UpdateRequestHost* Updates() { return updates_.get(); }
    // What the performance operations go through, for the current profile.
    PerformanceHost& Performance();
    // Tests replace the worker's fixed waits; given before the window is
    // created, it reaches the worker before its thread starts.
    void SetWorkerSleeper(DeviceWorker::Sleeper sleeper) { sleeper_ = std::move(sleeper); }

    // What every feature host forwards here.
    int CurrentProfile() const;
    // Any thread. Not queued when the change it would send was not stored.
    void QueueTask(int32_t code);
    void ShowSaveWait();
    int ShowMessageBox(std::u16string_view message, std::u16string_view title, uint32_t buttons);

  private:
    // On the UI thread, as the window initialises, before the worker starts.
    void Attach(ui::DeviceMainDlg& dlg);
    void TellStoreProblems(ui::DeviceMainDlg& dlg);
    void LoadModel(int device_type);
    // Arrivals and removals of HID interfaces, from udev or the virtual
    // mouse, reach the UI thread and queue tasks 2 and 3.
    void FollowDeviceChanges();
    void OnDeviceChange(DeviceChangeKind kind, const std::string& interface_name);
    std::optional<int> ConnectedMode(int device_type) const;

    DeviceManager& devices_;
    DeviceState state_;
    UpdateState update_state_;
    ui::DeviceMainDlg* window_ = nullptr;
    std::unique_ptr<DeviceWorker> worker_;
    DeviceWorker::Sleeper sleeper_;
    // Shared so that the window's services, which may outlive this
    // controller, find it gone instead of dangling.
    std::shared_ptr<WorkerThreadRunner> runner_;
    std::unique_ptr<SystemDeviceChanges> system_changes_;
    std::unique_ptr<PerformanceWiring> performance_;
    std::unique_ptr<LightingWiring> lighting_;
    std::unique_ptr<ProfilesHost> profiles_;
    std::shared_ptr<UpdateRequestHost> updates_;
};

}  // namespace tessaly
