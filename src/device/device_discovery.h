#pragma once
// The controller's two discovery operations, run on the worker: rebuild the
// identities and enumerate (`SelectRememberedDevice`), and enumerate and
// mirror the result in the device list and the window (`RefreshDeviceList`).
// The device layer builds on neither the catalogue nor the UI, so what they
// provide comes through DiscoveryHost, which the controller implements; what
// the window shows for each outcome is the controller's to decide.

#include <cstdint>
#include <vector>

#include "device/device_manager.h"

namespace tessaly {

// What a refresh found: no entries, or ConnectionKind -1, 0 or 1.
enum class DiscoveryOutcome { kNoEntries, kNoKind, kCable, kReceiver };

class DiscoveryHost {
  public:
    virtual ~DiscoveryHost() = default;

    // The registry value "DeviceType"; 0 when absent.
    virtual int ReadRememberedType() = 0;
    virtual void WriteRememberedType(int type) = 0;
    // Every identity of the catalogue, in its order.
    virtual std::vector<IdentityRecord> CatalogueIdentities() = 0;
    // The model's description file and settings database.
    virtual void LoadModel(int type) = 0;

    // The window's list of devices.
    virtual void SetAllDeviceState(int state) = 0;
    virtual void SetDeviceState(int type, int mode, int state) = 0;
    virtual void SetDeviceVersion(int type, uint32_t version) = 0;
    virtual void SetSelectDevice(int type) = 0;
    virtual int GetSelectDevice() = 0;

    // The controller's state and window.
    virtual void SetCurrentDeviceType(int type) = 0;
    virtual void SetDevicePresent(bool present) = 0;
    // The connection state, caption and pages that go with the outcome.
    virtual void ShowOutcome(DiscoveryOutcome outcome) = 0;
    // The popups (DPI popup, wait dialog).
    virtual void CloseTransientWindows() = 0;
};

void SelectRememberedDevice(DeviceManager& manager, DiscoveryHost& host);
void RefreshDeviceList(DeviceManager& manager, DiscoveryHost& host);

}  // namespace tessaly
