#include "update/firmware_reports.h"

#include <algorithm>

#include "device/hid_transport.h"

namespace tessaly {
namespace {

UpgradeReport BlankReport(std::array<uint8_t, 4> head) {
    UpgradeReport report;
    report.fill(0xFF);
    report[0] = kUpgradeReportId;
    std::copy(head.begin(), head.end(), report.begin() + 1);
    return report;
}

}  // namespace

uint16_t Crc16Modbus(std::span<const uint8_t> bytes) {
    uint16_t crc = 0xFFFF;
    for (uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) != 0 ? static_cast<uint16_t>((crc >> 1) ^ 0xA001)
                                 : static_cast<uint16_t>(crc >> 1);
        }
    }
    return crc;
}

UpgradeReport UpgradeStartReport() {
    return BlankReport({0x02, 0x02, 0x00, 0x01});
}

UpgradeReport UpgradeFinishReport() {
    return BlankReport({0x02, 0x06, 0x00, 0x02});
}

UpgradeReport FirmwareBlockReport(std::span<const uint8_t> image, int first, int count) {
    count = std::clamp(count, 1, kMaxBlocksPerReport);
    UpgradeReport report =
        BlankReport({0x02, static_cast<uint8_t>(kBlockRecordBytes * count), 0x00, 0xFF});
    for (int j = 0; j < count; ++j) {
        const int block = first + j;
        uint8_t* record = report.data() + 4 + kBlockRecordBytes * j;
        record[0] = static_cast<uint8_t>(block & 0xFF);
        record[1] = static_cast<uint8_t>((block >> 8) & 0xFF);
        std::fill(record + 2, record + 2 + kFirmwareBlockBytes, 0xFF);
        const size_t offset = static_cast<size_t>(block) * kFirmwareBlockBytes;
        if (offset < image.size()) {
            const size_t bytes = std::min(kFirmwareBlockBytes, image.size() - offset);
            std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(offset), bytes, record + 2);
        }
        const uint16_t crc = Crc16Modbus({record, 2 + kFirmwareBlockBytes});
        record[18] = static_cast<uint8_t>(crc & 0xFF);
        record[19] = static_cast<uint8_t>(crc >> 8);
    }
    return report;
}

}  // namespace tessaly
