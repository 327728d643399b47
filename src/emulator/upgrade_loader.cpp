#include "emulator/upgrade_loader.h"

namespace tessaly::emulator {
namespace {

constexpr uint8_t kReportId = 0x05;
constexpr size_t kRecordOffset = 4;
constexpr size_t kRecordBytes = 20;
constexpr size_t kBlockBytes = 16;
constexpr uint8_t kStart = 0x02;
constexpr uint8_t kFinish = 0x06;

}  // namespace

uint16_t Crc16Modbus(std::span<const uint8_t> bytes) {
    uint16_t crc = 0xFFFF;
    for (uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) != 0 ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
    }
    return crc;
}

void UpgradeLoader::OnReport(std::span<const uint8_t> report) {
    if (report.size() < 5 || report[0] != kReportId || report[1] != 0x02 || report[3] != 0x00) {
        ++errors_;
        return;
    }
    const uint8_t kind = report[2];
    if (kind == kStart && report[4] == 0x01) {
        started_ = true;
        finished_ = false;
        blocks_.clear();
    } else if (kind == kFinish && report[4] == 0x02) {
        finished_ = started_;
    } else if (kind == 0x14 || kind == 0x28 || kind == 0x3C) {
        OnBlocks(report, kind / static_cast<int>(kRecordBytes));
    } else {
        ++errors_;
    }
}

void UpgradeLoader::OnBlocks(std::span<const uint8_t> report, int records) {
    for (int j = 0; j < records; ++j) {
        const size_t at = kRecordOffset + kRecordBytes * static_cast<size_t>(j);
        if (!started_ || finished_ || at + kRecordBytes > report.size()) {
            ++errors_;
            return;
        }
        const auto record = report.subspan(at, kRecordBytes);
        const uint16_t crc = static_cast<uint16_t>(record[18] | (record[19] << 8));
        if (Crc16Modbus(record.first(18)) != crc) {
            ++errors_;
            continue;
        }
        const uint16_t number = static_cast<uint16_t>(record[0] | (record[1] << 8));
        if (static_cast<size_t>(number) * kBlockBytes >= flash_bytes_) {
            ++errors_;
            continue;
        }
        blocks_[number].assign(record.begin() + 2, record.begin() + 2 + kBlockBytes);
    }
}

std::vector<uint8_t> UpgradeLoader::Image() const {
    std::vector<uint8_t> image;
    for (const auto& [number, block] : blocks_)
        image.insert(image.end(), block.begin(), block.end());
    return image;
}

bool UpgradeLoader::Contiguous() const {
    uint16_t expected = 0;
    for (const auto& [number, block] : blocks_) {
        if (number != expected++)
            return false;
    }
    return true;
}

}  // namespace tessaly::emulator
