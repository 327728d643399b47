#include "emulator/report_descriptors.h"

namespace tessaly::emulator {
namespace {

constexpr size_t kConfigOutputLength = 65;

// Byte counts go into one-byte Report Count items.
uint8_t DataBytes(size_t length_with_id) {
    return static_cast<uint8_t>(length_with_id > 1 ? length_with_id - 1 : 1);
}

}  // namespace

std::vector<uint8_t> PointerReportDescriptor() {
    return {
        0x05, 0x01,        // Usage Page (Generic Desktop)
        0x09, 0x02,        // Usage (Mouse)
        0xA1, 0x01,        // Collection (Application)
        0x09, 0x01,        //   Usage (Pointer)
        0xA1, 0x00,        //   Collection (Physical)
        0x05, 0x09,        //     Usage Page (Button)
        0x19, 0x01,        //     Usage Minimum (1)
        0x29, 0x05,        //     Usage Maximum (5)
        0x15, 0x00,        //     Logical Minimum (0)
        0x25, 0x01,        //     Logical Maximum (1)
        0x95, 0x05,        //     Report Count (5)
        0x75, 0x01,        //     Report Size (1)
        0x81, 0x02,        //     Input (Data, Variable, Absolute)
        0x95, 0x01,        //     Report Count (1)
        0x75, 0x03,        //     Report Size (3)
        0x81, 0x01,        //     Input (Constant): padding
        0x05, 0x01,        //     Usage Page (Generic Desktop)
        0x09, 0x30,        //     Usage (X)
        0x09, 0x31,        //     Usage (Y)
        0x16, 0x01, 0x80,  //     Logical Minimum (-32767)
        0x26, 0xFF, 0x7F,  //     Logical Maximum (32767)
        0x75, 0x10,        //     Report Size (16)
        0x95, 0x02,        //     Report Count (2)
        0x81, 0x06,        //     Input (Data, Variable, Relative)
        0x09, 0x38,        //     Usage (Wheel)
        0x15, 0x81,        //     Logical Minimum (-127)
        0x25, 0x7F,        //     Logical Maximum (127)
        0x75, 0x08,        //     Report Size (8)
        0x95, 0x01,        //     Report Count (1)
        0x81, 0x06,        //     Input (Data, Variable, Relative)
        0x05, 0x0C,        //     Usage Page (Consumer)
        0x0A, 0x38, 0x02,  //     Usage (AC Pan)
        0x81, 0x06,        //     Input (Data, Variable, Relative)
        0xC0,              //   End Collection
        0xC0,              // End Collection
    };
}

std::vector<uint8_t> UpgradeReportDescriptor() {
    return {
        0x06, 0xEF, 0xFF,  // Usage Page (0xFFEF)
        0x09, 0x00,        // Usage (0)
        0xA1, 0x01,        // Collection (Application)
        0x85, 0x05,        //   Report ID (5)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x00,  //   Logical Maximum (255)
        0x75, 0x08,        //   Report Size (8)
        0x95, 0x3F,        //   Report Count (63)
        0x09, 0x00,        //   Usage (0)
        0x81, 0x02,        //   Input (Data, Variable, Absolute)
        0x09, 0x00,        //   Usage (0)
        0x91, 0x02,        //   Output (Data, Variable, Absolute)
        0xC0,              // End Collection
    };
}

std::vector<uint8_t> ConfigReportDescriptor(bool vendor_collection, size_t input_length) {
    std::vector<uint8_t> bytes;
    if (vendor_collection) {
        bytes = {0x06, 0x01, 0xFF, 0x09, 0x10};  // Usage Page (0xFF01), Usage (0x10)
    } else {
        bytes = {0x05, 0x01, 0x09, 0x00};  // Usage Page (Generic Desktop), Usage (0)
    }
    const uint8_t usage = vendor_collection ? 0x10 : 0x00;
    const std::vector<uint8_t> body = {
        0xA1, 0x01,  // Collection (Application)
        0x15, 0x00,  //   Logical Minimum (0)
        0x26, 0xFF,
        0x00,                                  //   Logical Maximum (255)
        0x75, 0x08,                            //   Report Size (8)
        0x95, DataBytes(input_length),         //   Report Count
        0x09, usage,                           //   Usage
        0x81, 0x02,                            //   Input (Data, Variable, Absolute)
        0x95, DataBytes(kConfigOutputLength),  //   Report Count
        0x09, usage,                           //   Usage
        0x91, 0x02,                            //   Output (Data, Variable, Absolute)
        0xC0,                                  // End Collection
    };
    bytes.insert(bytes.end(), body.begin(), body.end());
    return bytes;
}

}  // namespace tessaly::emulator
