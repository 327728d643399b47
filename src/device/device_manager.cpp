#include "device/device_manager.h"

#include <algorithm>
#include <thread>

#include "base/trace.h"
#include "base/unicode.h"
#include "device/commands/answer_decoders.h"

namespace tessaly {
namespace {

constexpr size_t kMaxPathLength = 1023;
constexpr auto kIdentityRetryPause = std::chrono::milliseconds(500);

const char* ModeName(int mode) {
    return mode == kConnectionCable ? "USB" : "2.4G";
}

}  // namespace

DeviceManager& DeviceManager::Instance() {
    static DeviceManager manager;
    return manager;
}

void DeviceManager::ClearIdentities() {
    identities_.clear();
}

void DeviceManager::AddIdentity(const IdentityRecord& identity) {
    identities_.push_back(identity);
}

void DeviceManager::CloseAll() {
    if (!opened_)
        return;
    opened_ = false;
    ClearCurrentInterface();
    entries_.clear();
}

bool DeviceManager::HasIdentity(int vendor_id, int product_id) const {
    return std::any_of(identities_.begin(), identities_.end(), [&](const IdentityRecord& r) {
        return r.vendor_id == vendor_id && r.product_id == product_id;
    });
}

int DeviceManager::ModeOf(int vendor_id, int product_id) const {
    for (const auto& r : identities_) {
        if (r.vendor_id == vendor_id && r.product_id == product_id)
            return r.connection_mode;
    }
    return 0;
}

int DeviceManager::TypeOf(int vendor_id, int product_id, const std::u16string& device_id) const {
    for (const auto& r : identities_) {
        if (r.vendor_id != vendor_id || r.product_id != product_id)
            continue;
        if (r.device_id.size() < 4)
            return kUnnamedDeviceType;
        if (r.device_id == device_id)
            return r.device_type;
    }
    return 0;
}

void DeviceManager::EnumerateDevice() {
    // Interfaces never outlive the list that owns them, even when the caller
    // did not close it first.
    ClearCurrentInterface();
    entries_.clear();
    unopened_.clear();
    Trace(kTraceDevice, "========== EnumerateDevice Start ==========");
    std::vector<HidInterfaceInfo> interfaces = EnumerateHidInterfaces();
    Trace(kTraceDevice, "Step 1: Quick scan - collecting basic device info");
    std::vector<std::unique_ptr<DeviceEntry>> found;
    bool cable_present = false;
    for (const auto& info : interfaces) {
        if (!HasIdentity(info.vendor_id, info.product_id) ||
            !IsConfigurationCollection(info.usage_page, info.usage)) {
            continue;
        }
        auto interface = OpenHidInterface(info.path);
        if (!interface) {
            const auto backend = ActiveHidBackend();
            unopened_.push_back({info.vendor_id, info.product_id, info.path,
                                 backend->LastOpenDenied(), backend->LastOpenError()});
            Trace(kTraceDevice, "  Cannot open VID=0x%04X, PID=0x%04X at %s: %s", info.vendor_id,
                  info.product_id, info.path.c_str(), unopened_.back().error.c_str());
            continue;
        }
        auto entry = std::make_unique<DeviceEntry>();
        entry->index = static_cast<int>(found.size());
        entry->vendor_id = info.vendor_id;
        entry->product_id = info.product_id;
        entry->path = info.path.substr(0, kMaxPathLength);
        entry->interface = std::move(interface);
        entry->version = info.release_number;
        entry->connection_mode = ModeOf(info.vendor_id, info.product_id);
        Trace(kTraceDevice, "  Found [%d]: VID=0x%04X, PID=0x%04X, Mode=%s", entry->index,
              entry->vendor_id, entry->product_id, ModeName(entry->connection_mode));
        cable_present = cable_present || entry->connection_mode == kConnectionCable;
        found.push_back(std::move(entry));
    }
    interfaces.clear();
    Trace(kTraceDevice,
          cable_present ? "Step 2: USB device found, SKIP reading 2.4G details (reduce HID traffic)"
                        : "Step 2: No USB device, will read 2.4G device details");
    for (auto& entry : found) {
        const int i = entry->index;
        const bool cable = entry->connection_mode == kConnectionCable;
        if (cable_present && !cable) {
            Trace(kTraceDevice, "  [%d] 2.4G device - SKIP (USB exists)", i);
        } else {
            if (cable_present) {
                Trace(kTraceDevice, "  [%d] USB device - reading details...", i);
            } else if (entry->connection_mode == kConnectionReceiver) {
                entry->state = kStateOnline;
                Trace(kTraceDevice, "  [%d] 2.4G state: %s", i, "Online");
                Trace(kTraceDevice, "  [%d] 2.4G device - reading details...", i);
            }
            if (entry->state > 0)
                IdentifyEntry(*entry);
        }
        Trace(kTraceDevice, "  [%d] Final: VID=0x%04X, PID=0x%04X, Type=%d, Mode=%d", i,
              entry->vendor_id, entry->product_id, entry->device_type, entry->connection_mode);
        entries_.push_back(std::move(entry));
    }
    Trace(kTraceDevice, "========== EnumerateDevice Complete! Total=%d, HasUSB=%s ==========",
          static_cast<int>(entries_.size()), cable_present ? "YES" : "NO");
}

void DeviceManager::IdentifyEntry(DeviceEntry& entry) {
    bool ok = ReadDeviceInfo(*entry.interface, entry.info);
    if (!ok) {
        if (pause_)
            pause_(kIdentityRetryPause);
        else
            std::this_thread::sleep_for(kIdentityRetryPause);
        ok = ReadDeviceInfo(*entry.interface, entry.info);
    }
    if (!ok)
        return;
    entry.device_id = DeviceIdText({entry.info[4], entry.info[5], entry.info[6], entry.info[7]});
    entry.device_type = TypeOf(entry.vendor_id, entry.product_id, entry.device_id);
    Trace(kTraceDevice, "  [%d] DeviceId: %s, DeviceType: %d", entry.index,
          ToUtf8(entry.device_id).c_str(), entry.device_type);
}

void DeviceManager::SetSelectedType(int type) {
    if (type != selected_type_)
        ClearCurrentInterface();
    selected_type_ = type;
}

void DeviceManager::ClearCurrentInterface() {
    current_interface_ = nullptr;
    current_entry_ = nullptr;
}

HidInterface* DeviceManager::CurrentInterface() {
    if (current_interface_ != nullptr)
        return current_interface_;
    DeviceEntry* taken = nullptr;
    for (auto& entry : entries_) {
        if (entry->device_type == selected_type_ && entry->connection_mode == kConnectionCable) {
            taken = entry.get();
            break;
        }
    }
    if (taken == nullptr) {
        for (auto& entry : entries_) {
            if (entry->device_type == selected_type_ &&
                entry->connection_mode == kConnectionReceiver) {
                // Later receivers of the same type are not tried.
                if (entry->state == kStateOnline)
                    taken = entry.get();
                break;
            }
        }
    }
    if (taken == nullptr)
        return nullptr;
    current_entry_ = taken;
    current_interface_ = taken->interface.get();
    return current_interface_;
}

DeviceEntry* DeviceManager::CurrentEntry() {
    return CurrentInterface() != nullptr ? current_entry_ : nullptr;
}

int DeviceManager::ConnectionKind() const {
    auto has = [&](int mode) {
        return std::any_of(entries_.begin(), entries_.end(), [&](const auto& entry) {
            return entry->device_type == selected_type_ && entry->connection_mode == mode;
        });
    };
    if (has(kConnectionCable))
        return kConnectionCable;
    if (has(kConnectionReceiver))
        return kConnectionReceiver;
    return -1;
}

std::vector<DeviceEntry*> DeviceManager::ListOfSelected() {
    std::vector<DeviceEntry*> list;
    for (auto& entry : entries_) {
        if (selected_type_ == 0 || entry->device_type == selected_type_)
            list.push_back(entry.get());
    }
    return list;
}

std::vector<DeviceEntry*> DeviceManager::OnlineOfSelected() {
    std::vector<DeviceEntry*> list;
    for (auto& entry : entries_) {
        if (selected_type_ == 0 ||
            (entry->device_type == selected_type_ && entry->state == kStateOnline)) {
            list.push_back(entry.get());
        }
    }
    return list;
}

void DeviceManager::SetState(int type, int mode, int state) {
    for (auto& entry : entries_) {
        if (entry->device_type == type && entry->connection_mode == mode)
            entry->state = state;
    }
}

std::optional<DeviceIds> DeviceManager::CurrentIds() const {
    if (current_entry_ == nullptr)
        return std::nullopt;
    return DeviceIds{current_entry_->vendor_id, current_entry_->product_id};
}

std::optional<uint32_t> DeviceManager::VersionByMode(int mode) const {
    if (!opened_)
        return std::nullopt;
    for (const auto& entry : entries_) {
        if (entry->connection_mode == mode)
            return entry->version;
    }
    return std::nullopt;
}

bool DeviceManager::IsTypeAvailable(int type) const {
    return std::any_of(entries_.begin(), entries_.end(), [&](const auto& entry) {
        return entry->device_type == type && !entry->device_id.empty() && entry->state > 0;
    });
}

ExchangeResult DeviceManager::Exchange(const CommandRequest& request) {
    HidInterface* interface = opened_ ? CurrentInterface() : nullptr;
    return CommandExchange(interface, request);
}

void DeviceManager::SetUpgradeInterface(std::unique_ptr<HidInterface> upgrade) {
    upgrade_ = std::move(upgrade);
}

}  // namespace tessaly
