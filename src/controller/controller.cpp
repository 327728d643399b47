#include "controller/controller.h"

#include "base/task.h"
#include "base/text_format.h"
#include "base/trace.h"
#include "base/unicode.h"
#include "catalogue/catalogue_service.h"
#include "catalogue/device_catalogue.h"
#include "controller/buttons_wiring.h"
#include "controller/catalogue_wiring.h"
#include "controller/lighting_wiring.h"
#include "controller/macros_wiring.h"
#include "controller/main_window_services.h"
#include "controller/performance_wiring.h"
#include "controller/profiles_wiring.h"
#include "controller/update_wiring.h"
#include "performance/page_refresh.h"
#include "profiles/profile_names.h"
#include "storage/profile_table.h"
#include "storage/store_health.h"
#include "ui/dialogs/message_box.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/main/window_page_contexts.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly {

namespace {

// How long closing the window waits for the worker's pass under way.
constexpr int kWorkerStopMs = 1000;

}  // namespace

Controller::Controller(DeviceManager& devices)
    : devices_(devices),
      runner_(std::make_shared<WorkerThreadRunner>(
          [this] {
              if (worker_) {
                  worker_->Pass();
              }
          },
          [this] {
              if (worker_) {
                  worker_->InterruptWait();
              }
          })),
      performance_(std::make_unique<PerformanceWiring>(*this)) {
    // A task queued while the worker listens for notifications runs now.
    runner_->Tasks().SetAppendListener([this] {
        if (worker_) {
            worker_->InterruptWait();
        }
    });
}

Controller::~Controller() {
    if (window_) {
        SetDeviceChangeHandler(nullptr);
        StoreHealth::Instance().SetListener(nullptr);
    }
    // The thread runs the worker, which must outlive it; a window that is
    // still there queues into nothing from now on.
    runner_->Tasks().SetAppendListener(nullptr);
    runner_->Stop(0);
    runner_->Join();
}

PerformanceHost& Controller::Performance() {
    return *performance_;
}

bool Controller::WorkerIdle() const {
    return runner_->Tasks().Empty() && (!worker_ || !worker_->Busy());
}

ui::MainWindowServices Controller::Services() {
    ui::MainWindowServices services = MakeMainWindowServices();
    InstallCatalogueServices(services);
    services.load_catalogue = [this,
                               load = std::move(services.load_catalogue)](ui::DeviceMainDlg& dlg) {
        Attach(dlg);
        if (load) {
            load(dlg);
        }
    };
    services.select_model = [this, select = std::move(services.select_model)](int type) {
        // Before any task for the new model runs, its commands go to its mouse.
        if (worker_) {
            worker_->Retarget(type);
        }
        if (select) {
            select(type);
        }
        if (window_) {
            ApplyPerformanceVisibility(ui::PerformancePageContextOf(*window_));
        }
        if (worker_) {
            worker_->LoadProfiles();
        }
    };
    services.clear_identities = [this, clear = std::move(services.clear_identities)] {
        if (clear) {
            clear();
        }
        devices_.ClearIdentities();
    };
    services.connected_mode = [this](int type) { return ConnectedMode(type); };
    services.clear_read_set = [this] { state_.ClearReadSet(); };
    services.show_save_wait = [this] { ShowSaveWait(); };
    services.start_software_download = [this] {
        return updates_ && StartSoftwareDownload(*updates_, {}).ok();
    };
    services.start_firmware_upgrade = [this] {
        if (updates_) {
            StartFirmwareUpgrade(*updates_, {});
        }
    };
    // A window that outlives this controller finds the runner gone.
    const std::weak_ptr<WorkerThreadRunner> runner = runner_;
    services.queue_task = [runner](int32_t code) {
        if (auto alive = runner.lock()) {
            alive->Tasks().Append(code);
        }
    };
    services.start_worker = [runner] {
        if (auto alive = runner.lock(); alive && !alive->Running()) {
            alive->Start();
        }
    };
    services.stop_worker = [runner] {
        if (auto alive = runner.lock(); alive && alive->Running()) {
            alive->Stop(kWorkerStopMs);
        }
    };
    services.join_worker = [runner] {
        if (auto alive = runner.lock()) {
            alive->Join();
        }
    };
    services.hold_worker = [runner](std::function<bool()> ready) {
        if (auto alive = runner.lock()) {
            alive->Hold(std::move(ready));
        }
    };
    services.worker_idle = [this] { return WorkerIdle(); };
    services.tray_profiles = [this] {
        std::vector<std::pair<int, std::u16string>> shown;
        if (window_ == nullptr || !state_.device_online.load()) {
            return shown;
        }
        std::vector<ProfileInfo> profiles;
        ListProfiles(profiles);
        for (const ProfileInfo& profile : profiles) {
            shown.emplace_back(profile.id, DisplayProfileName(profile.name));
        }
        return shown;
    };
    return services;
}

void Controller::Attach(ui::DeviceMainDlg& dlg) {
    if (window_ == &dlg) {
        return;
    }
    window_ = &dlg;
    worker_ = std::make_unique<DeviceWorker>(dlg, devices_, state_, runner_->Tasks());
    if (sleeper_) {
        worker_->SetSleeper(sleeper_);
    }
    worker_->SetPageRefresh(WorkerPage::kProfiles, [this] { worker_->LoadProfiles(); });
    worker_->SetModelLoader([this](int type) { LoadModel(type); });
    TellStoreProblems(dlg);
    InstallPerformance(*performance_, *this, dlg, *worker_);
    FollowDeviceChanges();
    updates_ = InstallUpdates(*this, dlg, *worker_);
    InstallButtons(*this, dlg, *worker_);
    lighting_ = InstallLighting(*this, dlg, *worker_);
    profiles_ = InstallProfilesWiring(*this, dlg);
    InstallMacros(*this, dlg, *worker_);
}

// What the store could not keep or use reaches the user as a message box
// on the UI thread; a burst of failed writes shows one.
void Controller::TellStoreProblems(ui::DeviceMainDlg& dlg) {
    const DUI::WindowHandle window = dlg.GetSafeHwnd();
    StoreHealth::Instance().SetListener([window](const StoreNotice& notice) {
        std::u16string message;
        switch (notice.kind) {
            case StoreNoticeKind::kWriteFailed:
                message = LoadLanguageString(text::kSettingsNotSaved);
                break;
            case StoreNoticeKind::kReplaced:
                message = Format(LoadLanguageString(text::kSettingsFileReplaced),
                                 FromUtf8(notice.detail));
                break;
            case StoreNoticeKind::kUnusable:
                message =
                    Format(LoadLanguageString(text::kSettingsUnusable), FromUtf8(notice.detail));
                break;
        }
        DUI::Toolkit::Get().PostToWindow(window, [message](DUI::MWindow& target) {
            auto* main = dynamic_cast<ui::DeviceMainDlg*>(&target);
            if (main != nullptr && main->Services().message_box) {
                main->Services().message_box(*main, LoadLanguageString(text::kNoticeTitle), message,
                                             0);
            }
        });
    });
}

void Controller::LoadModel(int device_type) {
    SelectDevice(ui::CatalogueContextOf(*window_), device_type);
    ApplyPerformanceVisibility(ui::PerformancePageContextOf(*window_));
    worker_->LoadProfiles();
}

// The device list mirrors discovery and the link notifications, and the
// toolkit lets the UI thread read it while the worker updates it.
std::optional<int> Controller::ConnectedMode(int device_type) const {
    auto* list = window_ ? window_->GetControlAs<DUI::CDeviceList>(main_id::kDeviceList) : nullptr;
    if (!list) {
        return std::nullopt;
    }
    for (const DUI::DeviceRow& row : list->Devices()) {
        if (row.type != device_type) {
            continue;
        }
        if (row.state[kConnectionCable] > 0) {
            return kConnectionCable;
        }
        if (row.state[kConnectionReceiver] > 0) {
            return kConnectionReceiver;
        }
    }
    return std::nullopt;
}

int Controller::CurrentProfile() const {
    return state_.current_profile.load();
}

void Controller::QueueTask(int32_t code) {
    if (!window_) {
        return;
    }
    // Pages store before they queue: when that store failed, the task would
    // send the old value as if it were the change.
    if (TaskSendsStoredSettings(code) && StoreHealth::LastWriteOnThisThreadFailed()) {
        Trace(kTraceDevice, "task %d not queued: the change was not stored", code);
        return;
    }
    runner_->Tasks().Append(code);
}

void Controller::ShowSaveWait() {
    if (!window_) {
        return;
    }
    // The window keeps the dialog so that closing popups hides it too.
    std::unique_ptr<DUI::MDialog>& slot = window_->wait_dialog;
    std::unique_ptr<SaveWaitDlg> wait;
    if (dynamic_cast<SaveWaitDlg*>(slot.get()) != nullptr) {
        wait.reset(static_cast<SaveWaitDlg*>(slot.release()));
    }
    tessaly::ShowSaveWait(wait, window_, window_->tips.show_save_tips);
    if (wait) {
        slot = std::move(wait);
    }
}

int Controller::ShowMessageBox(std::u16string_view message, std::u16string_view title,
                               uint32_t buttons) {
    return tessaly::ShowMessageBox(message, window_, title, buttons);
}

}  // namespace tessaly
