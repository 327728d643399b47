#pragma once
// One catalogue entry of config.xml's device section. The model list holds
// one per mouse element (connection fields left at zero and empty); the
// identity list one per mode element, carrying its mouse's fields as well.

#include <cstdint>
#include <string>

namespace tessaly {

struct DeviceDescription {
    std::u16string name;
    int32_t device_type = 0;
    // Stem of the description file and of the settings database.
    std::u16string device_attribute;
    // Full path of the list picture.
    std::u16string image;
    // 0 cable, 1 receiver.
    int32_t mode = 0;
    int32_t vendor_id = 0;
    int32_t product_id = 0;
    std::u16string device_id;
    std::u16string description;
    // Kept with the entry; nothing consults it.
    std::u16string hid_interface;
    bool operator==(const DeviceDescription&) const = default;
};

}  // namespace tessaly
