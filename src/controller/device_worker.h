#pragma once
// The device worker: one pass takes one queued task and runs its body, or,
// with a device present and nothing queued, listens for the reports the
// mouse sends by itself. Everything here runs on the worker thread, except
// construction and the Set… calls, which come before the thread starts.

#include <array>
#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "app/device_state.h"
#include "device/device_discovery.h"
#include "device/device_manager.h"
#include "platform/task_list.h"
#include "ui/main/device_main_dlg.h"

namespace tessaly {

// Pages whose refresh belongs to their own layer.
enum class WorkerPage { kProfiles, kButtons, kMacros, kPerformance, kLighting, kCount };

// Which reads FullRead makes: after connecting (with the receiver's version)
// or after a link notification (without, and with the other sensor table).
enum class FullReadKind { kConnect, kLinkRestored };

// A mouse that gave no identity is asked again after this long.
inline constexpr int kIdentityRetryMs = 500;

// The tasks whose bodies send what the store holds (buttons, lighting, the
// performance groups).
bool TaskSendsStoredSettings(int code);

class DeviceWorker {
  public:
    using TaskBody = std::function<void()>;
    using Sleeper = std::function<void(int ms)>;

    DeviceWorker(ui::DeviceMainDlg& dlg, DeviceManager& devices, DeviceState& state,
                 TaskList& tasks);
    ~DeviceWorker();

    // Bodies other layers deliver (button table, lighting, DPI writes, the
    // update checks …). A code without a body is consumed and does nothing.
    void SetTaskBody(int code, TaskBody body);
    void SetPageRefresh(WorkerPage page, std::function<void()> refresh);
    // Applies the model's factory values (all of them) to the current
    // profile; used when profiles are created and by the factory reset.
    void SetFactoryValues(std::function<void()> apply_all);
    // Loads the model of a type (description file and database).
    void SetModelLoader(std::function<void(int device_type)> load_model);
    // Tests replace the waits of the sequences.
    void SetSleeper(Sleeper sleeper) { sleep_ = std::move(sleeper); }

    // One pass of the worker loop.
    void Pass();
    // A task is being taken or run (tests wait for the worker to settle).
    bool Busy() const { return busy_.load(); }
    // From any thread: a notification read under way ends now, or else the
    // next one is skipped, so that a queued task or a stop does not wait
    // for its time-out.
    void InterruptWait();
    // From any thread: commands go to the mouse of this type from the next
    // task on (a mouse activated in the device list).
    void Retarget(int device_type);
    void RunTask(int code);

    // Discovery and the window's device list.
    void SelectRememberedDevice();
    void RefreshDeviceList();

    bool FullRead(FullReadKind kind);
    void NotificationPoll();
    // A write the mouse did not take (no answer, an error status, the mouse
    // off): the receiver's failure display, and the task noted as failed.
    void CommandFailureHandling();
    // From any thread: the codes of the tasks whose writes failed, in order,
    // since the worker started (the store keeps what they were to send).
    std::vector<int> FailedTasks() const;
    void RefreshInformationPage();

    // Profiles of the selected model.
    void LoadProfiles();
    void ShowProfileName();

  private:
    void ConnectSequence(int delay_ms);
    void ReconnectSequence();
    void ActivateSelected();
    void WriteEverything();
    void RestoreFactorySettings();
    bool ResetLightingToFactory();
    void RefreshPages(bool with_profiles);
    void RefreshPage(WorkerPage page);
    void RunBody(int code);
    bool HasLighting() const;

    void ApplyRetarget();
    int ReadInterruptibly(HidInterface& current, std::span<uint8_t> report);
    void StoreStateReads();
    void ReadReceiverVersion();
    void ApplyIdentity(const InfoBlock& info, SensorRead read);
    void OnStageNotification(int count, int index);
    void OnLinkNotification(bool connected, const std::array<uint8_t, 2>& battery, int type);
    void ShowLinkRestored(int type);
    void ShowLinkLost(int type);
    // True when a receiver of the selected mouse reported it back.
    bool PollReceiverStates();
    void ReRead();
    void ShowBattery(int value, int charge);
    void SetDeviceListState(int type, int mode, int state);

    // The body running now, so that its failure is put down to it.
    std::optional<int> running_body_;
    mutable std::mutex failures_lock_;
    std::vector<int> failed_tasks_;

    ui::DeviceMainDlg& dlg_;
    DeviceManager& devices_;
    DeviceState& state_;
    TaskList& tasks_;
    std::map<int, TaskBody> bodies_;
    std::array<std::function<void()>, static_cast<size_t>(WorkerPage::kCount)> refreshes_;
    std::function<void()> factory_values_;
    std::function<void(int)> load_model_;
    Sleeper sleep_;
    std::unique_ptr<DiscoveryHost> discovery_;
    std::atomic<bool> busy_{false};
    // The interface a notification read waits on, published for InterruptWait.
    std::mutex wait_mutex_;
    HidInterface* waiting_on_ = nullptr;
    bool interrupt_pending_ = false;
    // The type Retarget asked for, applied before the next task.
    std::optional<int> retarget_;
};

}  // namespace tessaly
