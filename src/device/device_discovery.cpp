#include "device/device_discovery.h"

namespace tessaly {
namespace {

DiscoveryOutcome OutcomeOf(int kind) {
    switch (kind) {
        case kConnectionCable:
            return DiscoveryOutcome::kCable;
        case kConnectionReceiver:
            return DiscoveryOutcome::kReceiver;
        default:
            return DiscoveryOutcome::kNoKind;
    }
}

void Rediscover(DeviceManager& manager) {
    manager.ClearCurrentInterface();
    manager.CloseAll();
    manager.EnumerateDevice();
    manager.SetOpened(true);
}

}  // namespace

void SelectRememberedDevice(DeviceManager& manager, DiscoveryHost& host) {
    const int remembered = host.ReadRememberedType();
    manager.ClearIdentities();
    for (const auto& identity : host.CatalogueIdentities())
        manager.AddIdentity(identity);
    Rediscover(manager);
    host.LoadModel(remembered);
}

void RefreshDeviceList(DeviceManager& manager, DiscoveryHost& host) {
    const int remembered = host.ReadRememberedType();
    Rediscover(manager);
    manager.SetSelectedType(0);
    const std::vector<DeviceEntry*> all = manager.ListOfSelected();
    manager.SetSelectedType(remembered);

    host.SetAllDeviceState(0);
    bool identified = false;
    for (const DeviceEntry* entry : all) {
        if (entry->device_type <= 0)
            continue;
        identified = true;
        host.SetDeviceState(entry->device_type, entry->connection_mode, entry->state);
        host.SetDeviceVersion(entry->device_type, entry->version);
    }
    if (identified) {
        host.SetSelectDevice(remembered);
        const int selected = host.GetSelectDevice();
        manager.SetSelectedType(selected);
        host.SetCurrentDeviceType(selected);
        manager.ClearCurrentInterface();
        host.WriteRememberedType(selected);
        host.LoadModel(selected);
    }
    if (all.empty()) {
        host.SetDevicePresent(false);
        host.ShowOutcome(DiscoveryOutcome::kNoEntries);
    } else {
        host.SetDevicePresent(true);
        host.ShowOutcome(OutcomeOf(manager.ConnectionKind()));
    }
    host.CloseTransientWindows();
}

}  // namespace tessaly
