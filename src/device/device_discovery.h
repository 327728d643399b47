#pragma once
// The controller's two discovery operations, run on the worker: rebuild the
// identities and enumerate (`SelectRememberedDevice`), and enumerate and
// mirror the result in the device list and the window (`RefreshDeviceList`).
// The device layer builds on neither the catalogue nor the UI, so what they
// provide comes through DiscoveryHost, which the controller implements; the
// window effects themselves are the table in device_discovery.cpp.

#include <cstdint>
#include <vector>

#include "device/device_manager.h"

namespace tessaly {

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

    // The device list control (57).
    virtual void SetAllDeviceState(int state) = 0;
    virtual void SetDeviceState(int type, int mode, int state) = 0;
    virtual void SetDeviceVersion(int type, uint32_t version) = 0;
    virtual void SetSelectDevice(int type) = 0;
    virtual int GetSelectDevice() = 0;

    // The controller's state and window.
    virtual void SetCurrentDeviceType(int type) = 0;
    virtual void SetDevicePresent(bool present) = 0;
    virtual void SetDeviceOnline(bool online) = 0;
    virtual void SetControlText(int control, int text_id) = 0;
    virtual void ShowControl(int control, bool show) = 0;
    virtual bool ControlVisible(int control) = 0;
    virtual void SelectTab(int index) = 0;
    // The popups (DPI popup, wait dialog).
    virtual void CloseTransientWindows() = 0;
};

// The window after a refresh: no entries, or ConnectionKind -1, 0 or 1.
enum class DiscoveryOutcome { kNoEntries, kNoKind, kCable, kReceiver };

void SelectRememberedDevice(DeviceManager& manager, DiscoveryHost& host);
void RefreshDeviceList(DeviceManager& manager, DiscoveryHost& host);
// The window effects of one outcome (RefreshDeviceList's last steps).
void ShowDiscoveryOutcome(DiscoveryOutcome outcome, DiscoveryHost& host);

}  // namespace tessaly
