#include "controller/device_worker.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

#include "base/task.h"
#include "base/trace.h"
#include "catalogue/device_catalogue.h"
#include "controller/access_hint.h"
#include "controller/window_controls.h"
#include "controller/window_discovery_host.h"
#include "device/commands/answer_decoders.h"
#include "device/commands/command_builders.h"
#include "device/commands/command_sender.h"
#include "lighting/lighting_tasks.h"
#include "storage/key_table.h"
#include "storage/light_table.h"
#include "storage/profile_table.h"
#include "storage/settings_database.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

constexpr int kReconnectDelayMs = 500;
// As long as a notification read may block, so a task waits no longer.
constexpr int kIdleWaitMs = 100;
constexpr int kFactoryProfiles = 4;
constexpr int kFactoryLightEffect = 4;

void SleepFor(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Bodies run bodies (a restore sends a write); the innermost running one is
// the one a failure is put down to.
class RunningBody {
  public:
    RunningBody(std::optional<int>& slot, int code) : slot_(slot), outer_(slot) { slot_ = code; }
    ~RunningBody() { slot_ = outer_; }
    RunningBody(const RunningBody&) = delete;
    RunningBody& operator=(const RunningBody&) = delete;

  private:
    std::optional<int>& slot_;
    std::optional<int> outer_;
};

}  // namespace

bool TaskSendsStoredSettings(int code) {
    switch (code) {
        case kTaskWriteButtonTable:
        case kTaskWriteLighting:
        case kTaskWriteDpiStages:
        case kTaskWriteDpiColours:
        case kTaskWriteReportRate:
        case kTaskWriteLiftOffSensor:
        case kTaskWriteSleepResponse:
        case kTaskWriteResponseTime:
        case kTaskRestoreDpiStages:
            return true;
        default:
            return false;
    }
}

DeviceWorker::DeviceWorker(ui::DeviceMainDlg& dlg, DeviceManager& devices, DeviceState& state,
                           TaskList& tasks)
    : dlg_(dlg),
      devices_(devices),
      state_(state),
      tasks_(tasks),
      sleep_(SleepFor),
      discovery_(std::make_unique<WindowDiscoveryHost>(dlg, [this](int type) {
          if (load_model_) {
              load_model_(type);
          }
      })) {}

DeviceWorker::~DeviceWorker() = default;

void DeviceWorker::SelectRememberedDevice() {
    tessaly::SelectRememberedDevice(devices_, *discovery_);
}

void DeviceWorker::RefreshDeviceList() {
    tessaly::RefreshDeviceList(devices_, *discovery_);
    // A mouse this user may not open is not "no mouse": the home page says
    // what gives access, and shows no battery it could not read.
    std::vector<UnopenedInterface> refused;
    if (!state_.device_present.load()) {
        refused = devices_.Unopened();
    }
    SetLocalisedTitle(dlg_, main_id::kNotice, [refused, shipped = ShippedUdevRule()] {
        const std::u16string hint = WindowAccessHint(refused, UdevRuleSearchFolders(), shipped);
        return hint.empty() ? LoadLanguageString(text::kNoDeviceNotice) : hint;
    });
    if (std::ranges::any_of(refused, &UnopenedInterface::denied)) {
        ShowControls(dlg_, {main_id::kBattery}, false);
    }
}

void DeviceWorker::SetTaskBody(int code, TaskBody body) {
    bodies_[code] = std::move(body);
}

void DeviceWorker::SetPageRefresh(WorkerPage page, std::function<void()> refresh) {
    refreshes_[static_cast<size_t>(page)] = std::move(refresh);
}

void DeviceWorker::SetFactoryValues(std::function<void()> apply_all) {
    factory_values_ = std::move(apply_all);
}

void DeviceWorker::SetModelLoader(std::function<void(int)> load_model) {
    load_model_ = std::move(load_model);
}

void DeviceWorker::InterruptWait() {
    std::lock_guard lock(wait_mutex_);
    interrupt_pending_ = true;
    if (waiting_on_) {
        waiting_on_->InterruptRead();
    }
}

void DeviceWorker::Retarget(int device_type) {
    {
        std::lock_guard lock(wait_mutex_);
        retarget_ = device_type;
    }
    InterruptWait();
}

void DeviceWorker::ApplyRetarget() {
    std::optional<int> type;
    {
        std::lock_guard lock(wait_mutex_);
        type = std::exchange(retarget_, std::nullopt);
    }
    if (type) {
        devices_.SetSelectedType(*type);
        devices_.ClearCurrentInterface();
    }
}

void DeviceWorker::Pass() {
    busy_.store(true);
    ApplyRetarget();
    if (std::optional<int32_t> code = tasks_.TakeFront()) {
        RunTask(*code);
        busy_.store(false);
        return;
    }
    busy_.store(false);
    if (state_.device_present.load()) {
        NotificationPoll();
    } else {
        // Nothing to listen to: sleep until a task comes, as a poll would.
        tasks_.WaitNotEmpty(std::chrono::milliseconds(kIdleWaitMs));
    }
}

// The codes the worker runs itself; every other code runs the body its layer
// delivered, or nothing.
void DeviceWorker::RunTask(int code) {
    switch (code) {
        case kTaskConnectAtStart:
            SelectRememberedDevice();
            ConnectSequence(0);
            break;
        case kTaskDeviceArrived:
            SelectRememberedDevice();
            ConnectSequence(1);
            break;
        case kTaskDeviceRemoved:
            ReconnectSequence();
            break;
        case kTaskActivateSelected:
            ActivateSelected();
            break;
        case kTaskWriteEverything:
            WriteEverything();
            break;
        case kTaskWriteResponseTime:
            RunBody(kTaskWriteSleepResponse);
            break;
        case kTaskRestoreFactorySettings:
            RestoreFactorySettings();
            break;
        default:
            RunBody(code);
            break;
    }
}

void DeviceWorker::RunBody(int code) {
    // Without a usable store there is nothing the user set to send: what the
    // failed reads give (zeros, profile 0) must not reach the mouse.
    if (TaskSendsStoredSettings(code) && !SettingsDatabase::Instance().IsOpened()) {
        Trace(kTraceDevice, "task %d not run: the settings store is not usable", code);
        return;
    }
    auto it = bodies_.find(code);
    if (it != bodies_.end() && it->second) {
        const RunningBody running(running_body_, code);
        it->second();
    }
}

std::vector<int> DeviceWorker::FailedTasks() const {
    std::lock_guard guard(failures_lock_);
    return failed_tasks_;
}

bool DeviceWorker::HasLighting() const {
    return DeviceCatalogue::Instance().Options().lighting_page;
}

void DeviceWorker::RefreshPage(WorkerPage page) {
    if (page == WorkerPage::kLighting && !HasLighting()) {
        return;
    }
    if (const auto& refresh = refreshes_[static_cast<size_t>(page)]) {
        refresh();
    }
}

void DeviceWorker::RefreshPages(bool with_profiles) {
    if (with_profiles) {
        RefreshPage(WorkerPage::kProfiles);
    }
    // The button page shows a button's macro from the macro page's list.
    RefreshPage(WorkerPage::kMacros);
    RefreshPage(WorkerPage::kButtons);
    RefreshPage(WorkerPage::kPerformance);
    RefreshPage(WorkerPage::kLighting);
}

void DeviceWorker::ConnectSequence(int delay_ms) {
    if (delay_ms > 0) {
        sleep_(delay_ms);
    }
    state_.mouse_reachable.store(0);
    RefreshDeviceList();
    const int kind = devices_.ConnectionKind();
    if (kind == -1) {
        return;
    }
    RefreshPages(true);
    if (!FullRead(FullReadKind::kConnect)) {
        Trace(kTraceDevice, "获取鼠标数据异常, 当前模式: %d", kind);
        return;
    }
    RefreshPages(false);
    RefreshInformationPage();
    RunBody(kTaskFirmwareCheck);
}

void DeviceWorker::ReconnectSequence() {
    sleep_(kReconnectDelayMs);
    state_.mouse_reachable.store(0);
    RefreshDeviceList();
    const int kind = devices_.ConnectionKind();
    if (kind == -1) {
        return;
    }
    if (!FullRead(FullReadKind::kConnect)) {
        Trace(kTraceDevice, "获取鼠标数据异常, 当前模式: %d", kind);
        return;
    }
    RefreshPages(false);
    RefreshInformationPage();
}

void DeviceWorker::ActivateSelected() {
    RefreshPages(true);
    if (!FullRead(FullReadKind::kConnect)) {
        Trace(kTraceDevice, "获取鼠标数据异常");
        return;
    }
    RefreshPages(false);
    RefreshInformationPage();
}

void DeviceWorker::WriteEverything() {
    RefreshPage(WorkerPage::kButtons);
    RefreshPage(WorkerPage::kPerformance);
    RefreshPage(WorkerPage::kLighting);
    RunBody(kTaskWriteButtonTable);
    if (HasLighting()) {
        RunBody(kTaskWriteLighting);
    }
    for (int code : {kTaskWriteDpiStages, kTaskWriteDpiColours, kTaskWriteReportRate,
                     kTaskWriteLiftOffSensor, kTaskWriteSleepResponse}) {
        RunBody(code);
    }
}

void DeviceWorker::RestoreFactorySettings() {
    const RunningBody running(running_body_, kTaskRestoreFactorySettings);
    // A mouse that did not take the restore keeps its settings, and so does
    // the store: nothing is reset by half.
    if (!SendCommand(devices_.CurrentInterface(), BuildRestoreFactory()).ok()) {
        CommandFailureHandling();
        return;
    }
    LoadProfiles();
    for (int profile = 1; profile <= kFactoryProfiles; ++profile) {
        state_.current_profile.store(profile);
        if (factory_values_) {
            factory_values_();
        }
    }
    // Profile 1 becomes the active one in the store and on the profile
    // button too, as a switch would make it; the next start comes up on it.
    state_.current_profile.store(1);
    SetActiveProfile(1);
    ShowProfileName();
    for (int profile = 1; profile <= kStoredProfiles; ++profile) {
        DeleteProfileKeys(profile);
    }
    const bool lighting = HasLighting();
    if (lighting) {
        for (int profile = 1; profile <= kStoredProfiles; ++profile) {
            DeleteLights(profile);
        }
        RefreshPage(WorkerPage::kLighting);
    }
    RefreshPage(WorkerPage::kMacros);
    RefreshPage(WorkerPage::kButtons);
    if (factory_values_) {
        factory_values_();
    }
    RefreshPage(WorkerPage::kPerformance);
    if (lighting && !ResetLightingToFactory()) {
        CommandFailureHandling();
    }
    // The mouse's own factory values need not be the model's: the store's
    // are sent, so that the store, the pages and the mouse agree.
    for (int code : {6, 9, 10, 11, 12, 13}) {
        RunBody(code);
    }
}

// The mouse's own factory lighting, then effect 4 when it chose another.
// False when the mouse did not take a command or gave no lighting answer.
bool DeviceWorker::ResetLightingToFactory() {
    HidInterface* mouse = devices_.CurrentInterface();
    const bool taken = [&] {
        sleep_(100);
        if (!SendCommand(mouse, BuildResetLighting()).ok()) {
            return false;
        }
        sleep_(100);
        const ExchangeResult read = SendCommand(mouse, BuildReadRequest(Command::kReadLighting));
        const std::optional<LightingAnswer> lighting =
            read.ok() ? DecodeLighting(read.answer.bytes()) : std::nullopt;
        if (!lighting) {
            return false;
        }
        const int profile = state_.current_profile.load();
        state_.current_light_effect.store(lighting->effect);
        SetActiveLight(profile, lighting->effect);
        // Its levels too, as a restore stores them: the rows were just made
        // with the program's defaults, which need not be the mouse's.
        StoreLightingAnswer(*lighting, profile, state_);
        if (lighting->effect == kFactoryLightEffect) {
            return true;
        }
        sleep_(50);
        if (!SendCommand(mouse, BuildResetLighting()).ok()) {
            return false;
        }
        state_.current_light_effect.store(kFactoryLightEffect);
        SetActiveLight(profile, kFactoryLightEffect);
        return true;
    }();
    RefreshPage(WorkerPage::kLighting);
    return taken;
}

}  // namespace tessaly
