#pragma once
// Which hot-plug announcements concern a supported mouse: an arrival of its
// configuration interface queues task 2, a removal of its interface 2 (while
// a device is present) task 3. Runs on the UI thread and touches nothing but
// what it is given.

#include <functional>
#include <optional>
#include <span>
#include <string>

#include "base/task.h"
#include "device/device_change_events.h"
#include "device/device_manager.h"

namespace tessaly {

// "VID_1A2B&PID_0A01" and that followed by "&MI_02".
std::string ArrivalPattern(const IdentityRecord& identity);
std::string RemovalPattern(const IdentityRecord& identity);

struct UsbDeviceContext {
    std::span<const IdentityRecord> identities;
    bool device_present = false;
    // The arrival test, given the interface's HID path.
    std::function<bool(const std::string& path)> is_configuration = IsConfigurationInterface;
};

// The task to queue for the event, if any. Traces the upper-case path.
std::optional<int> UpdateUSBDevice(DeviceChangeKind kind, const std::string& interface_name,
                                   const UsbDeviceContext& context);

}  // namespace tessaly
