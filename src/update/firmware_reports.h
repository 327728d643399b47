#pragma once
// The reports of the firmware upgrade: 64 bytes to the upgrade interface,
// report ID 0x05, every byte not set 0xFF.

#include <array>
#include <cstdint>
#include <span>

namespace tessaly {

inline constexpr size_t kUpgradeReportBytes = 64;
inline constexpr size_t kFirmwareBlockBytes = 16;
inline constexpr size_t kBlockRecordBytes = 20;
inline constexpr int kMaxBlocksPerReport = 3;

using UpgradeReport = std::array<uint8_t, kUpgradeReportBytes>;

// Initial value 0xFFFF, reflected polynomial 0xA001, no final XOR.
uint16_t Crc16Modbus(std::span<const uint8_t> bytes);

UpgradeReport UpgradeStartReport();
UpgradeReport UpgradeFinishReport();
// `count` (1 to 3) consecutive blocks from block `first` of the image: each
// record is the block number (little-endian), 16 bytes (a short last block
// padded with 0xFF) and the CRC of those 18 bytes, low byte first.
UpgradeReport FirmwareBlockReport(std::span<const uint8_t> image, int first, int count);

}  // namespace tessaly
