#include "emulator/virtual_mouse.h"

#include <algorithm>
#include <condition_variable>
#include <filesystem>

#include "device/device_change_events.h"
#include "device/hid_transport.h"
#include "emulator/report_descriptors.h"
#include "platform/device_notifications.h"

namespace tessaly::emulator {
namespace {

const char* LinkName(MouseLink link) {
    return link == MouseLink::kCable ? "cable" : "receiver";
}

struct CollectionRow {
    int interface_number;
    uint16_t usage_page;
    uint16_t usage;
};

}  // namespace

VirtualMouse::VirtualMouse(std::shared_ptr<MemoryHidBackend> backend, VirtualMouseConfig config)
    : backend_(std::move(backend)),
      config_(std::move(config)),
      latency_(config_.latency),
      timing_(config_.poll_interval) {
    std::map<uint8_t, SettingBytes> factory = VirtualMouseState::FactorySettings();
    for (const std::vector<uint8_t>& request : config_.factory_writes) {
        if (auto setting = MouseFirmware::WrittenSetting(request)) {
            factory[setting->first] = std::move(setting->second);
        }
    }
    state_ = config_.state_file.empty() ? VirtualMouseState::Factory(std::move(factory))
                                        : LoadMouseState(config_.state_file, std::move(factory));
    state_.identity = config_.identity;
    cable_.loader = UpgradeLoader(config_.flash_bytes);
    receiver_.loader = UpgradeLoader(config_.flash_bytes);
    cable_.config = config_.cable;
    receiver_.config = config_.receiver;
    for (MouseLink link : {MouseLink::kCable, MouseLink::kReceiver}) {
        if (LinkOf(link).config.plugged) {
            LinkOf(link).plugged = true;
            AddDevices(link);
        }
    }
}

VirtualMouse::~VirtualMouse() {
    for (MouseLink link : {MouseLink::kCable, MouseLink::kReceiver}) {
        for (const auto& device : LinkOf(link).devices) {
            device->SetFirmware(nullptr);
            backend_->RemoveDevice(device->Info().path);
        }
    }
    std::lock_guard guard(lock_);
    SaveState();
}

std::string VirtualMouse::Path(MouseLink link, int interface_number) const {
    return "virtual:" + config_.name + ":" + LinkName(link) + ":" +
           std::to_string(interface_number);
}

std::string VirtualMouse::InterfaceName(MouseLink link, int interface_number) const {
    const auto& ids = LinkOf(link).config;
    return FormatHidInterfaceName(ids.vendor_id, ids.product_id, interface_number,
                                  Path(link, interface_number));
}

std::vector<uint8_t> VirtualMouse::ReportDescriptor(int interface_number) const {
    switch (interface_number) {
        case kPointerInterface:
            return PointerReportDescriptor();
        case kUpgradeInterface:
            return UpgradeReportDescriptor();
        default:
            return ConfigReportDescriptor(config_.vendor_collection, config_.config_input_length);
    }
}

void VirtualMouse::AddDevices(MouseLink link) {
    Link& l = LinkOf(link);  // its config never changes
    const uint16_t config_page =
        config_.vendor_collection ? kConfigVendorUsagePage : kConfigUsagePage;
    const uint16_t config_usage = config_.vendor_collection ? kConfigVendorUsage : kConfigUsage;
    const CollectionRow rows[] = {
        {kPointerInterface, 0x0001, 0x0002},
        {kUpgradeInterface, kUpgradeUsagePage, kUpgradeUsage},
        {kConfigInterface, config_page, config_usage},
    };
    std::vector<std::shared_ptr<MemoryHidDevice>> devices;
    for (const auto& row : rows) {
        MemoryHidDeviceConfig device;
        device.info = {Path(link, row.interface_number),
                       l.config.vendor_id,
                       l.config.product_id,
                       l.config.release_number,
                       row.usage_page,
                       row.usage,
                       row.interface_number};
        auto added = backend_->AddDevice(device, ReportDescriptor(row.interface_number));
        if (!added)
            continue;
        if (row.interface_number == kConfigInterface) {
            added->SetFirmware([this, link](MemoryHidDevice& d, std::span<const uint8_t> r) {
                OnConfigReport(link, d, r);
            });
        } else if (row.interface_number == kUpgradeInterface) {
            added->SetFirmware([this, link](MemoryHidDevice& d, std::span<const uint8_t> r) {
                OnUpgradeReport(link, d, r);
            });
        }
        devices.push_back(std::move(added));
    }
    std::lock_guard guard(lock_);
    l.devices = std::move(devices);
}

bool VirtualMouse::Plug(MouseLink link) {
    {
        std::lock_guard guard(lock_);
        if (LinkOf(link).plugged)
            return false;
        LinkOf(link).plugged = true;
        LinkOf(link).loader = UpgradeLoader(config_.flash_bytes);
    }
    AddDevices(link);
    if (!config_.announce_changes)
        return true;
    for (int i : {kPointerInterface, kUpgradeInterface, kConfigInterface})
        RaiseDeviceChange(DeviceChangeKind::kArrival, InterfaceName(link, i));
    return true;
}

bool VirtualMouse::Unplug(MouseLink link) {
    std::vector<std::shared_ptr<MemoryHidDevice>> devices;
    {
        std::lock_guard guard(lock_);
        if (!LinkOf(link).plugged)
            return false;
        LinkOf(link).plugged = false;
        devices = std::move(LinkOf(link).devices);
        LinkOf(link).devices.clear();
    }
    for (const auto& device : devices) {
        device->SetFirmware(nullptr);
        backend_->RemoveDevice(device->Info().path);
    }
    if (!config_.announce_changes)
        return true;
    for (int i : {kPointerInterface, kUpgradeInterface, kConfigInterface})
        RaiseDeviceChange(DeviceChangeKind::kRemoval, InterfaceName(link, i));
    return true;
}

bool VirtualMouse::Plugged(MouseLink link) const {
    std::lock_guard guard(lock_);
    return LinkOf(link).plugged;
}

void VirtualMouse::SwitchMouse(bool on) {
    std::vector<uint8_t> report;
    {
        std::lock_guard guard(lock_);
        if (state_.mouse_on == on)
            return;
        state_.mouse_on = on;
        report = LinkNotificationReport(state_);
        SaveState();
    }
    Send(MouseLink::kReceiver, std::move(report));
}

void VirtualMouse::SetBattery(uint8_t level, bool charging, bool notify) {
    std::vector<uint8_t> report;
    {
        std::lock_guard guard(lock_);
        state_.battery_level = level > 100 ? 100 : level;
        state_.charging = charging;
        report = LinkNotificationReport(state_);
    }
    if (notify)
        Send(MouseLink::kReceiver, std::move(report));
}

void VirtualMouse::PressDpiButton() {
    MouseLink link = MouseLink::kCable;
    std::vector<uint8_t> report;
    {
        std::lock_guard guard(lock_);
        if (!cable_.plugged) {
            if (!receiver_.plugged || !state_.mouse_on)
                return;
            link = MouseLink::kReceiver;
        }
        state_.SetDpiStageByte(NextDpiStage(state_.DpiStageByte()));
        report = DpiStageNotificationReport(state_.DpiStageByte());
        SaveState();
    }
    Send(link, std::move(report));
}

void VirtualMouse::SetLatency(std::chrono::nanoseconds latency) {
    std::lock_guard guard(lock_);
    latency_ = latency;
}

void VirtualMouse::SetSilent(MouseLink link, bool silent) {
    std::lock_guard guard(lock_);
    LinkOf(link).silent = silent;
}

void VirtualMouse::Script(MouseLink link, AnswerScript script) {
    std::lock_guard guard(lock_);
    LinkOf(link).scripts.push_back(std::move(script));
}

VirtualMouseState VirtualMouse::State() const {
    std::lock_guard guard(lock_);
    return state_;
}

std::shared_ptr<MemoryHidDevice> VirtualMouse::Device(MouseLink link, int interface_number) const {
    std::lock_guard guard(lock_);
    const auto& devices = LinkOf(link).devices;
    for (const auto& device : devices) {
        if (device->Info().interface_number == interface_number)
            return device;
    }
    return nullptr;
}

UpgradeLoader VirtualMouse::Loader(MouseLink link) const {
    std::lock_guard guard(lock_);
    return LinkOf(link).loader;
}

void VirtualMouse::OnConfigReport(MouseLink link, MemoryHidDevice& device,
                                  std::span<const uint8_t> report) {
    std::vector<uint8_t> answer;
    std::vector<uint8_t> switched_off;
    std::optional<AnswerScript> script;
    std::chrono::nanoseconds latency;
    {
        std::lock_guard guard(lock_);
        Link& l = LinkOf(link);
        if (l.silent)
            return;
        // A plain pair rather than an optional: GCC 12 at -O3 takes the
        // optional's compare for a read of an unset value.
        const bool has_command = report.size() > 1;
        const uint8_t command = has_command ? report[1] : 0;
        const auto it = std::find_if(l.scripts.begin(), l.scripts.end(), [&](const auto& s) {
            return !s.command || (has_command && *s.command == command);
        });
        if (it != l.scripts.end()) {
            script = std::move(*it);
            l.scripts.erase(it);
        }
        if (script && script->kind == AnswerScript::Kind::kMouseOff &&
            link == MouseLink::kReceiver && state_.mouse_on) {
            state_.mouse_on = false;
            switched_off = LinkNotificationReport(state_);
        }
        latency = latency_;
        answer = firmware_.Answer(link, report);
        SaveState();
    }
    if (script && (script->kind == AnswerScript::Kind::kSilent ||
                   (script->kind == AnswerScript::Kind::kMouseOff && link == MouseLink::kCable)))
        return;
    if (script && script->kind == AnswerScript::Kind::kStatus && answer.size() > 1)
        answer[1] = script->status;
    if (script && script->kind == AnswerScript::Kind::kLate)
        latency = script->delay;
    auto frame = [this](std::vector<uint8_t> data) {
        data.insert(data.begin(), 0x00);
        data.resize(config_.config_input_length, 0);
        return data;
    };
    const std::chrono::nanoseconds delay = UntilReadable(device, latency);
    if (script && script->kind == AnswerScript::Kind::kSlipIn)
        device.QueueInput(frame(script->report), delay);
    if (!switched_off.empty())
        device.QueueInput(frame(std::move(switched_off)), delay);
    device.QueueInput(frame(std::move(answer)), delay);
}

void VirtualMouse::OnUpgradeReport(MouseLink link, MemoryHidDevice& device,
                                   std::span<const uint8_t> report) {
    // The write returns once the OUT endpoint's next poll has taken the report.
    HidClock& clock = device.Clock();
    const HidClock::TimePoint taken = timing_.NextPoll(clock.Now());
    std::mutex wait_lock;
    std::condition_variable never_notified;
    std::unique_lock wait(wait_lock);
    while (clock.Now() < taken && clock.WaitUntil(wait, never_notified, taken)) {
    }
    wait.unlock();
    std::lock_guard guard(lock_);
    LinkOf(link).loader.OnReport(report);
}

std::chrono::nanoseconds VirtualMouse::UntilReadable(const MemoryHidDevice& device,
                                                     std::chrono::nanoseconds latency) const {
    const HidClock::TimePoint now = device.Clock().Now();
    return timing_.AnswerReady(now, latency) - now;
}

void VirtualMouse::Send(MouseLink link, std::vector<uint8_t> data) {
    auto device = Device(link, kConfigInterface);
    if (!device)
        return;
    data.insert(data.begin(), 0x00);
    data.resize(config_.config_input_length, 0);
    std::chrono::nanoseconds latency;
    {
        std::lock_guard guard(lock_);
        latency = latency_;
    }
    device->QueueInput(std::move(data), UntilReadable(*device, latency));
}

void VirtualMouse::SaveState() {
    if (!config_.state_file.empty())
        SaveMouseState(state_, config_.state_file);
}

}  // namespace tessaly::emulator
