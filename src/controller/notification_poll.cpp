// The reports the mouse and the receiver send by themselves: DPI stage
// changes made with the mouse's button and the receiver's link state.

#include <algorithm>
#include <utility>

#include "base/decimal.h"
#include "base/trace.h"
#include "controller/device_worker.h"
#include "controller/window_controls.h"
#include "device/commands/answer_decoders.h"
#include "performance/page_refresh.h"
#include "performance/setting_ranges.h"
#include "storage/config_store.h"
#include "ui/dialogs/dpi_msg_dlg.h"
#include "ui/ids/main_window_ids.h"
#include "ui/ids/performance_page_ids.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/controls/dpi_control.h"
#include "ui/toolkit/controls/item_lists.h"

namespace tessaly {
namespace {

constexpr size_t kReportBytes = 65;
constexpr size_t kReceiverReportBytes = 33;
constexpr int kCurrentReadMs = 100;
constexpr int kReceiverReadMs = 10;

}  // namespace

void DeviceWorker::SetDeviceListState(int type, int mode, int state) {
    if (auto* list = dlg_.GetControlAs<DUI::CDeviceList>(main_id::kDeviceList)) {
        list->SetDeviceState(type, mode, state);
    }
}

// Only the worker closes interfaces, so the one published here stays open
// while InterruptWait may reach it.
int DeviceWorker::ReadInterruptibly(HidInterface& current, std::span<uint8_t> report) {
    {
        std::lock_guard lock(wait_mutex_);
        if (std::exchange(interrupt_pending_, false)) {
            return 0;
        }
        waiting_on_ = &current;
    }
    const int got = current.Read(report, kCurrentReadMs);
    std::lock_guard lock(wait_mutex_);
    waiting_on_ = nullptr;
    interrupt_pending_ = false;
    return got;
}

void DeviceWorker::NotificationPoll() {
    std::array<uint8_t, kReportBytes> report{};
    int type = state_.selected_device_type.load();
    if (HidInterface* current = devices_.CurrentInterface()) {
        if (ReadInterruptibly(*current, report) <= 0) {
            return;
        }
    } else {
        DeviceEntry* source = nullptr;
        for (const auto& entry : devices_.Entries()) {
            if (entry->connection_mode != kConnectionReceiver || !entry->interface) {
                continue;
            }
            if (entry->interface->Read(std::span(report).first(kReceiverReportBytes),
                                       kReceiverReadMs) > 0) {
                source = entry.get();
                break;
            }
        }
        if (!source) {
            return;
        }
        type = source->device_type;
        if (report[0] == kLinkNotification) {
            source->state = report[1] == 1 ? kStateOnline : kStateOffline;
            if (source->state == kStateOnline) {
                bool read = ReadDeviceInfo(*source->interface, source->info);
                if (!read) {
                    sleep_(kIdentityRetryMs);
                    read = ReadDeviceInfo(*source->interface, source->info);
                }
                if (read) {
                    if (auto identity = DecodeIdentity(source->info)) {
                        source->device_id = DeviceIdText(identity->device_id);
                        source->device_type = devices_.TypeOf(source->vendor_id, source->product_id,
                                                              source->device_id);
                        type = source->device_type;
                    }
                }
            }
            devices_.SetState(source->device_type, source->connection_mode, source->state);
        }
    }
    if (report[0] != 0) {
        Trace(kTraceDevice, "mouse notify data: %02X %02X %02X %02X %02X %02X", report[0],
              report[1], report[2], report[3], report[4], report[5]);
    }
    const Notification notification = DecodeNotification(report);
    if (const auto* stage = std::get_if<DpiStageNotification>(&notification)) {
        OnStageNotification(stage->count, stage->index);
    } else if (const auto* link = std::get_if<LinkNotification>(&notification)) {
        Trace(kTraceDevice, "上报dongle和设备的连接状态: %d", report[3]);
        OnLinkNotification(link->connected, link->battery, type);
    }
}

void DeviceWorker::OnStageNotification(int count, int index) {
    // A stage the pages could not show (a damaged or foreign report) is no
    // state of the mouse's: what is kept stays.
    if (!IsStageCount(count) || !IsStageIndex(index, count)) {
        Trace(kTraceDevice, "mouse notify: stage %d of %d is out of range, ignored", index, count);
        return;
    }
    const int profile = state_.current_profile.load();
    auto* page = dlg_.performance_page;
    if (count != state_.device_stage_count.load()) {
        state_.device_stage_count.store(static_cast<uint8_t>(count));
        if (auto* list = dynamic_cast<DUI::MComboBox*>(
                ui::FindInPage(dlg_, page, performance_id::kStageCount))) {
            list->SelectData(count);
        }
        SetConfigValue(profile, u"dpi_count", IntToDecimal(count));
        ShowDpiStages(dlg_, profile, state_);
    }
    if (index != state_.device_stage.load()) {
        state_.device_stage.store(static_cast<uint8_t>(index));
        int dpi = 0;
        if (auto* stages = dynamic_cast<DUI::DPIControl*>(
                ui::FindInPage(dlg_, page, performance_id::kStages))) {
            stages->SetSelectItem(index);
            dpi = stages->GetDPIValue(index);
        }
        SetConfigValue(profile, u"dpi_index", IntToDecimal(index));
        ShowStageOnSlider(dlg_, dpi, state_.sensor_code.load());
        if (dlg_.tips.show_dpi_tips) {
            ShowDpiPopup(dynamic_cast<DPIMsgDlg*>(dlg_.dpi_popup.get()), dpi);
        }
    }
}

void DeviceWorker::OnLinkNotification(bool connected, const std::array<uint8_t, 2>& battery,
                                      int type) {
    dlg_.ClosePopups();
    if (connected) {
        ShowLinkRestored(type);
    } else {
        ShowLinkLost(type);
    }
    if (battery[0] != 0) {
        ShowBattery(battery[0], battery[1]);
    }
}

void DeviceWorker::ShowLinkRestored(int type) {
    state_.device_online.store(true);
    ShowControls(dlg_, {main_id::kTabBackground, main_id::kTabs, main_id::kMousePicture}, true);
    const bool receiver = devices_.ConnectionKind() == kConnectionReceiver;
    SetControlText(dlg_, main_id::kDeviceState, receiver ? text::kWireless : text::kWired);
    const int mode = receiver ? kConnectionReceiver : kConnectionCable;
    SetDeviceListState(type, mode, 1);
    devices_.SetState(type, mode, kStateOnline);
    ShowControls(dlg_, {main_id::kNoticePanel, main_id::kNotice}, false);
    ShowControls(dlg_, {main_id::kDeviceList}, true);
    ShowControls(dlg_, {ui::kHomePageId}, false);
    SelectTabIndex(dlg_, main_id::kButtonTab);
    ShowControls(dlg_,
                 {main_id::kTabBackground, main_id::kDeviceState, main_id::kProfile,
                  main_id::kHiddenFactoryReset},
                 true);
    ReRead();
}

void DeviceWorker::ShowLinkLost(int type) {
    state_.device_online.store(false);
    SetControlText(dlg_, main_id::kDeviceState, text::kNotConnected);
    SelectTabIndex(dlg_, main_id::kHomeTab);
    ShowControls(dlg_, {main_id::kTabBackground, main_id::kTabs, main_id::kMousePicture}, false);
    ShowControls(dlg_, {main_id::kNoticePanel, main_id::kNotice}, true);
    ShowControls(dlg_, {main_id::kDeviceList}, false);
    ShowControls(dlg_, {ui::kHomePageId}, true);
    SetDeviceListState(type, kConnectionReceiver, 0);
    devices_.SetState(type, kConnectionReceiver, kStateOffline);
    const bool back = PollReceiverStates();
    if (dlg_.Services().stop_recording) {
        dlg_.Services().stop_recording();
    }
    auto* list = dlg_.GetControlAs<DUI::CDeviceList>(main_id::kDeviceList);
    const bool any_online = list && list->GetOnlineDevCount() > 0;
    ShowControls(dlg_, {main_id::kDeviceList}, any_online);
    ShowControls(dlg_, {main_id::kNoticePanel, main_id::kNotice}, !any_online);
    // The receiver sends its report once: one taken by the poll is the
    // mouse coming back, not only a row's state.
    if (back) {
        ShowLinkRestored(type);
    }
}

bool DeviceWorker::PollReceiverStates() {
    const int selected = state_.selected_device_type.load();
    bool back = false;
    for (const auto& entry : devices_.Entries()) {
        if (entry->device_type != selected || entry->connection_mode != kConnectionReceiver ||
            !entry->interface) {
            continue;
        }
        std::array<uint8_t, kReceiverReportBytes> report{};
        if (entry->interface->Read(report, kReceiverReadMs) > 0 && report[0] == kLinkNotification) {
            entry->state = report[1] == 1 ? kStateOnline : kStatePolledOffline;
            devices_.SetState(entry->device_type, entry->connection_mode, entry->state);
            back |= entry->state == kStateOnline;
        }
    }
    return back;
}

void DeviceWorker::ReRead() {
    RefreshPage(WorkerPage::kButtons);
    RefreshPage(WorkerPage::kMacros);
    RefreshPage(WorkerPage::kPerformance);
    RefreshPage(WorkerPage::kLighting);
    if (FullRead(FullReadKind::kLinkRestored)) {
        RefreshPages(false);
        RefreshInformationPage();
    }
}

void DeviceWorker::CommandFailureHandling() {
    if (running_body_) {
        Trace(kTraceDevice, "task %d: the mouse did not take the write", *running_body_);
        std::lock_guard guard(failures_lock_);
        failed_tasks_.push_back(*running_body_);
    }
    if (devices_.ConnectionKind() != kConnectionReceiver) {
        return;
    }
    dlg_.ClosePopups();
    SetDeviceListState(state_.selected_device_type.load(), kConnectionReceiver, 1);
    if (!state_.device_online.load()) {
        SetControlText(dlg_, main_id::kDeviceState, text::kWireless);
        SetDeviceListState(kUnnamedDeviceType, kConnectionReceiver, 1);
        state_.device_online.store(true);
    }
}

}  // namespace tessaly
