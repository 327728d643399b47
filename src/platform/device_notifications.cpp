#include "platform/device_notifications.h"

#include <libudev.h>
#include <poll.h>
#include <unistd.h>

#include <strings.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace tessaly {
namespace {

constexpr const char* kHidInterfaceClass = "{4d1e55b2-f16f-11cf-88cb-001111000030}";
constexpr const char* kNamePrefix = "\\\\?\\HID#";

// "0003:00001A2B:00000A01" -> vendor, product.
bool ParseHidId(const std::string& hid_id, uint16_t& vendor_id, uint16_t& product_id) {
    unsigned bus = 0;
    unsigned vendor = 0;
    unsigned product = 0;
    if (std::sscanf(hid_id.c_str(), "%x:%x:%x", &bus, &vendor, &product) != 3)
        return false;
    if (vendor > 0xFFFF || product > 0xFFFF)
        return false;
    vendor_id = static_cast<uint16_t>(vendor);
    product_id = static_cast<uint16_t>(product);
    return true;
}

// Digits only, in the given base; -1 otherwise.
int ParseNumber(const std::string& text, int base) {
    if (text.empty() || text.size() > 4)
        return -1;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, base);
    return (*end == '\0' && value >= 0) ? static_cast<int>(value) : -1;
}

// usbhid writes "<usb path>/input<interface number>".
int InterfaceFromPhys(const std::string& phys) {
    const auto at = phys.rfind("/input");
    if (at == std::string::npos)
        return -1;
    return ParseNumber(phys.substr(at + 6), 10);
}

std::string Text(const char* value) {
    return value != nullptr ? value : "";
}

UdevHidProperties PropertiesOf(udev_device* device) {
    UdevHidProperties properties;
    properties.devnode = Text(udev_device_get_devnode(device));
    if (properties.devnode.empty()) {
        if (const char* name = udev_device_get_sysname(device))
            properties.devnode = std::string("/dev/") + name;
    }
    if (udev_device* hid = udev_device_get_parent_with_subsystem_devtype(device, "hid", nullptr)) {
        properties.hid_id = Text(udev_device_get_property_value(hid, "HID_ID"));
        properties.hid_phys = Text(udev_device_get_property_value(hid, "HID_PHYS"));
    }
    if (udev_device* usb =
            udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_interface")) {
        properties.interface_number = Text(udev_device_get_sysattr_value(usb, "bInterfaceNumber"));
    }
    return properties;
}

}  // namespace

std::string FormatHidInterfaceName(uint16_t vendor_id, uint16_t product_id, int interface_number,
                                   const std::string& node) {
    char ids[40];
    if (interface_number >= 0) {
        std::snprintf(ids, sizeof ids, "VID_%04X&PID_%04X&MI_%02X", vendor_id, product_id,
                      static_cast<unsigned>(interface_number) & 0xFFu);
    } else {
        std::snprintf(ids, sizeof ids, "VID_%04X&PID_%04X", vendor_id, product_id);
    }
    return std::string(kNamePrefix) + ids + "#" + node + "#" + kHidInterfaceClass;
}

std::string HidNodeOfInterfaceName(const std::string& name) {
    // The prefix is matched in any case: a name typed or logged in lower
    // case still finds its node.
    const std::string prefix = kNamePrefix;
    if (name.size() < prefix.size() ||
        strncasecmp(name.c_str(), prefix.c_str(), prefix.size()) != 0) {
        return name;
    }
    const auto first = name.find('#', prefix.size());
    const auto last = name.rfind('#');
    if (first == std::string::npos || last <= first)
        return name;
    return name.substr(first + 1, last - first - 1);
}

std::optional<std::string> BuildInterfaceName(const UdevHidProperties& properties) {
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    if (properties.devnode.empty() || !ParseHidId(properties.hid_id, vendor_id, product_id))
        return std::nullopt;
    int interface_number = ParseNumber(properties.interface_number, 16);
    if (interface_number < 0)
        interface_number = InterfaceFromPhys(properties.hid_phys);
    return FormatHidInterfaceName(vendor_id, product_id, interface_number, properties.devnode);
}

std::optional<std::string> InterfaceNameCache::OnArrival(const UdevHidProperties& properties) {
    auto name = BuildInterfaceName(properties);
    if (name)
        by_node_[properties.devnode] = *name;
    return name;
}

std::optional<std::string> InterfaceNameCache::OnRemoval(const UdevHidProperties& properties) {
    if (auto it = by_node_.find(properties.devnode); it != by_node_.end()) {
        std::string name = std::move(it->second);
        by_node_.erase(it);
        return name;
    }
    return BuildInterfaceName(properties);
}

struct DeviceNotificationMonitor::Udev {
    udev* context = nullptr;
    udev_monitor* monitor = nullptr;
    ~Udev() {
        if (monitor != nullptr)
            udev_monitor_unref(monitor);
        if (context != nullptr)
            udev_unref(context);
    }
};

std::unique_ptr<DeviceNotificationMonitor> DeviceNotificationMonitor::Start(
    HidChangeHandler handler) {
    auto udev = std::make_unique<Udev>();
    udev->context = udev_new();
    if (udev->context == nullptr)
        return nullptr;
    // Without a daemon the "udev" source never delivers anything.
    const std::string source = access("/run/udev/control", F_OK) == 0 ? "udev" : "kernel";
    udev->monitor = udev_monitor_new_from_netlink(udev->context, source.c_str());
    if (udev->monitor == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(udev->monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(udev->monitor) < 0) {
        return nullptr;
    }
    return std::unique_ptr<DeviceNotificationMonitor>(
        new DeviceNotificationMonitor(std::move(udev), source, std::move(handler)));
}

DeviceNotificationMonitor::DeviceNotificationMonitor(std::unique_ptr<Udev> udev, std::string source,
                                                     HidChangeHandler handler)
    : udev_(std::move(udev)), source_(std::move(source)), handler_(std::move(handler)) {
    RememberPresentDevices();
    if (pipe(stop_pipe_) == 0)
        thread_ = std::thread([this] { Run(); });
}

DeviceNotificationMonitor::~DeviceNotificationMonitor() {
    if (thread_.joinable()) {
        const char byte = 0;
        [[maybe_unused]] const auto written = write(stop_pipe_[1], &byte, 1);
        thread_.join();
    }
    for (int fd : stop_pipe_) {
        if (fd >= 0)
            close(fd);
    }
}

void DeviceNotificationMonitor::RememberPresentDevices() {
    // Devices plugged in before the monitor started have had no arrival to
    // cache their names from, and once one is gone udev can no longer read
    // its parents. Receiving is enabled already, so none slips between.
    udev_enumerate* enumerate = udev_enumerate_new(udev_->context);
    if (enumerate == nullptr)
        return;
    if (udev_enumerate_add_match_subsystem(enumerate, "hidraw") >= 0 &&
        udev_enumerate_scan_devices(enumerate) >= 0) {
        udev_list_entry* entry = nullptr;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
            udev_device* device =
                udev_device_new_from_syspath(udev_->context, udev_list_entry_get_name(entry));
            if (device == nullptr)
                continue;
            cache_.OnArrival(PropertiesOf(device));
            udev_device_unref(device);
        }
    }
    udev_enumerate_unref(enumerate);
}

void DeviceNotificationMonitor::Run() {
    pollfd fds[2] = {{udev_monitor_get_fd(udev_->monitor), POLLIN, 0}, {stop_pipe_[0], POLLIN, 0}};
    for (;;) {
        if (poll(fds, 2, -1) < 0)
            continue;
        if (fds[1].revents != 0)
            return;
        udev_device* device = udev_monitor_receive_device(udev_->monitor);
        if (device == nullptr)
            continue;
        const std::string action = Text(udev_device_get_action(device));
        const UdevHidProperties properties = PropertiesOf(device);
        udev_device_unref(device);
        if (action == "add") {
            if (auto name = cache_.OnArrival(properties))
                handler_(HidChange::kArrival, *name);
        } else if (action == "remove") {
            if (auto name = cache_.OnRemoval(properties))
                handler_(HidChange::kRemoval, *name);
        }
    }
}

}  // namespace tessaly
