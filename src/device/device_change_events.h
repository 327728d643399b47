#pragma once
// The one path by which HID interface arrivals and removals reach the
// program: the udev monitor and the virtual mouse both raise them here, and
// the controller's handler posts them to the UI thread.

#include <functional>
#include <memory>
#include <string>

namespace tessaly {

// The numbers the hot-plug messages carry for an arrival and a removal.
enum class DeviceChangeKind : int { kArrival = 0x8000, kRemoval = 0x8004 };

using DeviceChangeHandler =
    std::function<void(DeviceChangeKind kind, const std::string& interface_name)>;

// Process-wide; null stops delivery. Returns the handler set before.
DeviceChangeHandler SetDeviceChangeHandler(DeviceChangeHandler handler);
// Calls the handler on the calling thread, outside any lock of this module.
void RaiseDeviceChange(DeviceChangeKind kind, const std::string& interface_name);

class DeviceNotificationMonitor;

// Feeds the system's HID arrivals and removals into RaiseDeviceChange while
// it lives.
class SystemDeviceChanges {
  public:
    SystemDeviceChanges();
    ~SystemDeviceChanges();
    SystemDeviceChanges(const SystemDeviceChanges&) = delete;
    SystemDeviceChanges& operator=(const SystemDeviceChanges&) = delete;
    // False when no udev monitor could be set up; the program then follows
    // the mouse only through discovery and link notifications.
    bool Listening() const { return monitor_ != nullptr; }

  private:
    std::unique_ptr<DeviceNotificationMonitor> monitor_;
};

}  // namespace tessaly
