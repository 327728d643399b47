#pragma once
// What the main window shows after a refresh of the device list: the
// connection caption, which parts of the frame and home page are visible,
// and the tab.

#include "device/device_discovery.h"

namespace tessaly {

// The window as the outcome changes it, by control id and text number.
class DiscoveryWindow {
  public:
    virtual ~DiscoveryWindow() = default;

    virtual void SetControlText(int control, int text_id) = 0;
    virtual void SetDeviceOnline(bool online) = 0;
    virtual void ShowControl(int control, bool show) = 0;
    virtual bool ControlVisible(int control) = 0;
    virtual void SelectTab(int index) = 0;
};

void ShowDiscoveryOutcome(DiscoveryOutcome outcome, DiscoveryWindow& window);

}  // namespace tessaly
