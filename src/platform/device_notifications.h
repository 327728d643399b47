#pragma once
// Arrival and removal of HID interfaces on Linux: a libudev monitor on the
// hidraw subsystem. The rest of the system matches interfaces by one form of
// interface name ("\\?\HID#VID_1A2B&PID_0A01&MI_02#<node>#{…}"), which
// carries the ids and the interface number, so each event is given such a
// name, with the hidraw node in the instance part so that the arrival test
// can open it.

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace tessaly {

enum class HidChange { kArrival, kRemoval };

// "\\?\HID#VID_%04X&PID_%04X[&MI_%02X]#<node>#{4d1e55b2-f16f-11cf-88cb-001111000030}";
// the MI part is left out when the interface number is negative.
std::string FormatHidInterfaceName(uint16_t vendor_id, uint16_t product_id, int interface_number,
                                   const std::string& node);
// The node kept in a name built above; the name itself when it is not one.
std::string HidNodeOfInterfaceName(const std::string& name);

// What udev tells of one hidraw device: the node, the parent HID device's
// HID_ID and HID_PHYS, and the USB interface's bInterfaceNumber.
struct UdevHidProperties {
    std::string devnode;           // "/dev/hidraw3"
    std::string hid_id;            // "0003:00001A2B:00000A01"
    std::string hid_phys;          // "usb-0000:00:14.0-1/input2"
    std::string interface_number;  // "02", empty when there is no USB parent
};

// Nullopt when HID_ID cannot be read (not a HID device of any bus we know).
std::optional<std::string> BuildInterfaceName(const UdevHidProperties& properties);

// Remembers the names of arrivals by node, since udev no longer has the
// parent's properties when a device has gone.
class InterfaceNameCache {
  public:
    std::optional<std::string> OnArrival(const UdevHidProperties& properties);
    // The cached name (forgotten now), else what the properties still give.
    std::optional<std::string> OnRemoval(const UdevHidProperties& properties);

  private:
    std::map<std::string, std::string> by_node_;
};

using HidChangeHandler = std::function<void(HidChange, const std::string& name)>;

// A thread that listens to udev until destroyed. The handler runs on that
// thread. The names of the hidraw devices present at the start are cached
// too, so that their removal is announced like any other.
class DeviceNotificationMonitor {
  public:
    ~DeviceNotificationMonitor();
    DeviceNotificationMonitor(const DeviceNotificationMonitor&) = delete;
    DeviceNotificationMonitor& operator=(const DeviceNotificationMonitor&) = delete;

    // The "udev" source, or the "kernel" source where no udev daemon runs
    // (containers). Null when neither can be set up.
    static std::unique_ptr<DeviceNotificationMonitor> Start(HidChangeHandler handler);
    // Which source is in use: "udev" or "kernel".
    const std::string& Source() const { return source_; }

  private:
    struct Udev;
    DeviceNotificationMonitor(std::unique_ptr<Udev> udev, std::string source,
                              HidChangeHandler handler);
    void RememberPresentDevices();
    void Run();

    std::unique_ptr<Udev> udev_;
    std::string source_;
    HidChangeHandler handler_;
    InterfaceNameCache cache_;
    int stop_pipe_[2] = {-1, -1};
    std::thread thread_;
};

}  // namespace tessaly
