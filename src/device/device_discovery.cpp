#include "device/device_discovery.h"

#include <span>

namespace tessaly {
namespace {

constexpr int kCaptionControl = 44;
constexpr int kSettingsPage = 56;
constexpr int kSettingsButtons[] = {40, 41};

struct ControlStep {
    int control;
    bool show;
};

struct OutcomeRow {
    DiscoveryOutcome outcome;
    int caption_text;
    bool online;
    std::span<const ControlStep> steps;
    int tab;  // -1: the tab stays
};

constexpr ControlStep kAbsentSteps[] = {
    {47, false}, {48, false}, {31, false}, {57, false}, {49, true}, {58, true}, {59, true},
};
constexpr ControlStep kConnectedSteps[] = {
    {47, false}, {48, false}, {31, false}, {49, true},  {44, false},
    {45, false}, {46, false}, {58, false}, {59, false}, {57, true},
};

constexpr OutcomeRow kOutcomes[] = {
    {DiscoveryOutcome::kNoEntries, 50, false, kAbsentSteps, 0},
    {DiscoveryOutcome::kNoKind, 50, false, kAbsentSteps, 0},
    {DiscoveryOutcome::kCable, 51, true, kConnectedSteps, -1},
    {DiscoveryOutcome::kReceiver, 52, true, kConnectedSteps, -1},
};

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
        ShowDiscoveryOutcome(DiscoveryOutcome::kNoEntries, host);
    } else {
        host.SetDevicePresent(true);
        ShowDiscoveryOutcome(OutcomeOf(manager.ConnectionKind()), host);
    }
    host.CloseTransientWindows();
}

void ShowDiscoveryOutcome(DiscoveryOutcome outcome, DiscoveryHost& host) {
    for (const auto& row : kOutcomes) {
        if (row.outcome != outcome)
            continue;
        host.SetControlText(kCaptionControl, row.caption_text);
        host.SetDeviceOnline(row.online);
        for (const auto& step : row.steps)
            host.ShowControl(step.control, step.show);
        if (row.tab >= 0)
            host.SelectTab(row.tab);
    }
    if (host.ControlVisible(kSettingsPage)) {
        host.ShowControl(kSettingsPage, false);
        for (int control : kSettingsButtons)
            host.ShowControl(control, true);
    }
}

}  // namespace tessaly
