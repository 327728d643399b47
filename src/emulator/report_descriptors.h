#pragma once
// The report descriptors the virtual mouse's interfaces hand to the host. The
// in-memory backend takes its report lengths from them and the mocked kernel
// serves them from sysfs, so both carry the same reports.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaly::emulator {

// Interface 0: a five-button wheel mouse, 7 data bytes, no report IDs.
std::vector<uint8_t> PointerReportDescriptor();
// Interface 1: the upgrade loader, report ID 0x05 with 63 data bytes each way.
std::vector<uint8_t> UpgradeReportDescriptor();
// Interface 2: the configuration collection, unnumbered; 0xFF01/0x0010 when
// `vendor_collection`, else 0x0001/0x0000. `input_length` and the 65-byte
// output count the report ID byte, as the HID stack counts them.
std::vector<uint8_t> ConfigReportDescriptor(bool vendor_collection, size_t input_length);

}  // namespace tessaly::emulator
