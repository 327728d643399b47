#include "device/usb_device_update.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "base/trace.h"
#include "platform/device_notifications.h"

namespace tessaly {
namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

}  // namespace

std::string ArrivalPattern(const IdentityRecord& identity) {
    char text[32];
    std::snprintf(text, sizeof text, "VID_%04X&PID_%04X",
                  static_cast<unsigned>(identity.vendor_id) & 0xFFFFu,
                  static_cast<unsigned>(identity.product_id) & 0xFFFFu);
    return text;
}

std::string RemovalPattern(const IdentityRecord& identity) {
    return ArrivalPattern(identity) + "&MI_02";
}

std::optional<int> UpdateUSBDevice(DeviceChangeKind kind, const std::string& interface_name,
                                   const UsbDeviceContext& context) {
    const std::string upper = Upper(interface_name);
    Trace(kTraceDevice, "UpdateUSBDevice path: %s", upper.c_str());
    if (kind == DeviceChangeKind::kArrival) {
        for (const auto& identity : context.identities) {
            if (upper.find(ArrivalPattern(identity)) == std::string::npos)
                continue;
            // The first matching identity decides, whatever the test says.
            const bool config = context.is_configuration &&
                                context.is_configuration(HidNodeOfInterfaceName(interface_name));
            return config ? std::optional<int>(kTaskDeviceArrived) : std::nullopt;
        }
        return std::nullopt;
    }
    if (!context.device_present)
        return std::nullopt;
    for (const auto& identity : context.identities) {
        if (upper.find(RemovalPattern(identity)) != std::string::npos)
            return kTaskDeviceRemoved;
    }
    return std::nullopt;
}

}  // namespace tessaly
