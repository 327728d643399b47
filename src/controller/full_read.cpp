// Reading the mouse's state into the store and the identity facts into the
// controller, and the information page's version rows.

#include <algorithm>

#include "base/decimal.h"
#include "base/firmware_version.h"
#include "base/text_format.h"
#include "base/trace.h"
#include "catalogue/device_catalogue.h"
#include "controller/device_worker.h"
#include "controller/window_controls.h"
#include "device/commands/answer_decoders.h"
#include "device/commands/command_builders.h"
#include "device/commands/command_sender.h"
#include "device/commands/command_values.h"
#include "device/report_framing.h"
#include "lighting/lighting_tasks.h"
#include "performance/carried_dpi.h"
#include "performance/dpi_conversions.h"
#include "performance/page_refresh.h"
#include "performance/performance_store.h"
#include "performance/report_rates.h"
#include "performance/setting_ranges.h"
#include "storage/config_store.h"
#include "ui/ids/information_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "ui/toolkit/controls/device_list.h"
#include "ui/toolkit/controls/static_controls.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly {
namespace {

constexpr int kMinimumStoredDpi = 50;

void Store(int profile, std::u16string_view key, int value) {
    SetConfigValue(profile, key, IntToDecimal(value));
}

// A value the pages would not allow is no setting the mouse can hold (a
// damaged or foreign answer): the stored one stays, and is sent again.
bool Allowed(std::string_view what, int value, bool allowed) {
    if (!allowed)
        Trace(kTraceDevice, "mouse read: %.*s %d is out of range, the stored value stays",
              static_cast<int>(what.size()), what.data(), value);
    return allowed;
}

bool AllSwitches(std::initializer_list<int> values) {
    return std::ranges::all_of(values, IsSwitch);
}

std::optional<CommandAnswer> Read(HidInterface* mouse, Command command) {
    const ExchangeResult result = SendCommand(mouse, BuildReadRequest(command));
    if (!result.ok()) {
        return std::nullopt;
    }
    return result.answer;
}

// "<caption>: V1.05"; the caption alone while the version is unknown.
std::u16string VersionRow(int caption, std::u16string_view hex) {
    if (hex.empty()) {
        return LoadLanguageString(caption);
    }
    return Format(u"%s: V%s", LoadLanguageString(caption), FirmwareVersionText(hex));
}

}  // namespace

void DeviceWorker::ShowBattery(int value, int charge) {
    if (auto* battery = dlg_.GetControlAs<DUI::BatteryCtrl>(main_id::kBattery)) {
        battery->SetBatteryInfo(value, charge);
    }
    // The tray's tooltip and notices, on the window's thread; only for a
    // reading (the start of a full read shows a placeholder charge of 100).
    if (charge != 0 && charge != 1) {
        return;
    }
    DUI::Toolkit::Get().PostToWindow(dlg_.GetSafeHwnd(),
                                     [name = DeviceCatalogue::Instance().Selected().name, value,
                                      charging = charge == 1](DUI::MWindow& window) {
                                         auto& main = static_cast<ui::DeviceMainDlg&>(window);
                                         main.tray_status.SetMouse(name);
                                         main.tray_status.SetBattery(value, charging);
                                     });
}

void DeviceWorker::ApplyIdentity(const InfoBlock& info, SensorRead read) {
    const std::optional<IdentityAnswer> identity = DecodeIdentity(info);
    if (!identity) {
        return;
    }
    state_.sensor_code.store(identity->sensor_code);
    // The offset belongs to the sensor alone, so a model read after one with
    // an offset is not shifted.
    state_.SetLimits(
        LimitsForSensor(identity->sensor_code, read, SliderOffsetForSensor(identity->sensor_code)));
    ApplySensorLimits(dlg_, state_);
    state_.report_capability.store(ReportCapability(identity->report_flags));
    state_.battery_first.store(identity->battery[0]);
    state_.battery_second.store(identity->battery[1]);
    state_.mouse_reachable.store(identity->reachable);
    ShowBattery(identity->battery[1], identity->battery[0]);
    if (auto* list = dlg_.GetControlAs<DUI::CDeviceList>(main_id::kDeviceList)) {
        list->SetDeviceBattery(state_.selected_device_type.load(), identity->battery[0],
                               identity->battery[1]);
    }
}

bool DeviceWorker::FullRead(FullReadKind kind) {
    state_.mouse_reachable.store(0);
    ShowBattery(state_.battery_second.load(), 100);
    if (auto* list = dlg_.GetControlAs<DUI::CDeviceList>(main_id::kDeviceList)) {
        list->SetDeviceBattery(state_.selected_device_type.load(), state_.battery_first.load(),
                               100);
    }
    devices_.CurrentInterface();
    if (DeviceEntry* entry = devices_.CurrentEntry()) {
        // The receiver's identity block from discovery may date from before
        // it found the mouse, when it reported the mouse unreachable.
        if (kind == FullReadKind::kLinkRestored && entry->connection_mode == kConnectionReceiver &&
            entry->interface && !ReadDeviceInfo(*entry->interface, entry->info)) {
            sleep_(kIdentityRetryMs);
            ReadDeviceInfo(*entry->interface, entry->info);
        }
        ApplyIdentity(entry->info, kind == FullReadKind::kConnect ? SensorRead::kConnect
                                                                  : SensorRead::kNotification);
    }
    if (state_.mouse_reachable.load() == 0) {
        Trace(kTraceDevice, "无线设备未连接");
        CommandFailureHandling();
        return false;
    }
    if (!state_.MarkRead(state_.selected_device_type.load())) {
        return true;
    }
    SendCommand(devices_.CurrentInterface(), BuildReadRequest(Command::kReadUnused));
    StoreStateReads();
    if (kind == FullReadKind::kConnect && devices_.ConnectionKind() == kConnectionReceiver) {
        ReadReceiverVersion();
    }
    return true;
}

// Each read that fails is skipped; its stored values stay as they were.
void DeviceWorker::StoreStateReads() {
    HidInterface* mouse = devices_.CurrentInterface();
    const int profile = state_.current_profile.load();
    if (auto answer = Read(mouse, Command::kReadReportRate)) {
        if (auto rate = DecodeReportRate(answer->bytes());
            rate && Allowed("report rate", *rate,
                            IsOfferedReportRate(*rate, state_.report_capability.load()))) {
            Store(profile, u"report_rate", *rate);
            Store(profile, u"report_rate_wireless", *rate);
        }
    }
    if (auto answer = Read(mouse, Command::kReadDpiStages)) {
        if (auto stages = DecodeDpiStages(answer->bytes())) {
            if (Allowed("stage count", stages->count, IsStageCount(stages->count)) &&
                Allowed("stage index", stages->index, IsStageIndex(stages->index, stages->count))) {
                Store(profile, u"dpi_flag", stages->count);
                Store(profile, u"dpi_count", stages->count);
                Store(profile, u"dpi_index", stages->index);
            }
            const uint16_t sensor = state_.sensor_code.load();
            const SensorLimits limits = state_.Limits();
            for (int i = 0; i < kDpiStages; ++i) {
                const int code = stages->codes[static_cast<size_t>(i)];
                // A stage coded too low for a real value keeps what is stored.
                if (DeviceCodeToDpi(sensor, code) < kMinimumStoredDpi) {
                    continue;
                }
                Store(profile, StageValueKey(i),
                      StageDpiAfterRead(sensor, ReadStageValue(profile, i), code, limits.min_dpi,
                                        limits.max_dpi));
            }
        }
    }
    if (auto answer = Read(mouse, Command::kReadDpiColours)) {
        if (auto colours = DecodeDpiColours(answer->bytes())) {
            for (int i = 0; i < kDpiStages; ++i) {
                const auto colour = static_cast<int>((*colours)[static_cast<size_t>(i)]);
                if (Allowed("stage colour", colour, IsColour(colour)))
                    Store(profile, Format(u"dpi_group%d_rgb", i), colour);
            }
        }
    }
    if (auto answer = Read(mouse, Command::kReadLighting)) {
        if (auto lighting = DecodeLighting(answer->bytes())) {
            StoreLightingAnswer(*lighting, profile, state_);
        }
    }
    if (auto answer = Read(mouse, Command::kReadLiftOffSensor)) {
        if (auto lift = DecodeLiftOffSensor(answer->bytes());
            lift && Allowed("lift-off height", lift->liftoff_height,
                            IsLiftOffHeight(lift->liftoff_height))) {
            Store(profile, u"liftoff_height", lift->liftoff_height);
            // The mouse reports two of the option bits; the others (the
            // third option among them) are the store's alone.
            constexpr int kReported = kSensorFlagFirst | kSensorFlagSecond;
            const int kept = ReadConfigNumber(profile, u"sensor_flag") & ~kReported;
            Store(profile, u"sensor_flag", kept | lift->sensor_flag);
        }
    }
    if (auto answer = Read(mouse, Command::kReadSleepResponse)) {
        if (auto sleep = DecodeSleepResponse(answer->bytes());
            sleep && Allowed("sleep time", sleep->sleep_light, IsSleepTime(sleep->sleep_light)) &&
            Allowed("wake and dim", sleep->move_wakeup * 2 + sleep->move_closelight,
                    AllSwitches({sleep->move_wakeup, sleep->move_closelight})) &&
            Allowed("response time", sleep->button_respondtime,
                    IsResponseTime(sleep->button_respondtime))) {
            Store(profile, u"sleep_light", sleep->sleep_light);
            Store(profile, u"move_wakeup", sleep->move_wakeup);
            Store(profile, u"move_closelight", sleep->move_closelight);
            Store(profile, u"button_respondtime", sleep->button_respondtime);
        }
    }
}

void DeviceWorker::ReadReceiverVersion() {
    auto answer = Read(devices_.CurrentInterface(), Command::kReadVersion);
    if (!answer) {
        return;
    }
    if (auto version = DecodeVersion(answer->bytes())) {
        const std::u16string text(version->begin(), version->end());
        state_.SetDeviceVersion(text);
        SetLocalisedTitle(dlg_, information_id::kMouseName,
                          [text] { return VersionRow(text::kMouseFirmware, text); });
    }
}

// Row 1 is the mouse's firmware, row 2 the receiver's. Over the receiver the
// mouse's version is its answer to the version read (kept from the first
// read), over the cable it is the cable's release number.
void DeviceWorker::RefreshInformationPage() {
    SetLocalisedTitle(dlg_, information_id::kMouseStatus, [] { return std::u16string(); });
    SetLocalisedTitle(dlg_, information_id::kReceiverStatus, [] { return std::u16string(); });
    const int kind = devices_.ConnectionKind();
    const uint32_t version = devices_.VersionByMode(kind).value_or(0);
    const std::u16string hex = Format(u"%X", static_cast<int>(version));
    const bool receiver = kind == kConnectionReceiver;
    if (receiver) {
        state_.SetReceiverVersion(hex);
        SetLocalisedTitle(dlg_, information_id::kReceiverName,
                          [hex] { return VersionRow(text::kReceiverFirmware, hex); });
    } else {
        state_.SetDeviceVersion(hex);
        SetLocalisedTitle(dlg_, information_id::kReceiverName,
                          [] { return LoadLanguageString(text::kReceiverFirmware); });
    }
    const std::u16string mouse = state_.DeviceVersion();
    dlg_.Update().mouse_firmware_version.Set(mouse);
    dlg_.Update().receiver_firmware_version.Set(receiver ? hex : std::u16string());
    SetLocalisedTitle(dlg_, information_id::kMouseName,
                      [mouse] { return VersionRow(text::kMouseFirmware, mouse); });
    // Nothing is claimed about updates before a check has answered.
    SetLocalisedTitle(dlg_,
                      receiver ? information_id::kReceiverStatus : information_id::kMouseStatus,
                      [] { return LoadLanguageString(text::kNotCheckedYet); });
    SetControlEnabled(dlg_, information_id::kMouseFirmwareCheck, !receiver);
    SetControlEnabled(dlg_, information_id::kReceiverInfo, receiver);
}

}  // namespace tessaly
