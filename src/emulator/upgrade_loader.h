#pragma once
// The mouse's upgrade loader on the upgrade interface (report ID 0x05): it
// takes the start report, block reports of one to three 20-byte records
// (block number, 16 bytes, CRC-16/MODBUS) and the finish report, and
// reassembles the image. It answers nothing.

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <vector>

namespace tessaly::emulator {

// Initial value 0xFFFF, reflected polynomial 0xA001, no final XOR.
uint16_t Crc16Modbus(std::span<const uint8_t> bytes);

// All that 2-byte block numbers of 16 bytes can address.
inline constexpr size_t kDefaultLoaderFlashBytes = 65536 * 16;

class UpgradeLoader {
  public:
    // A block beyond `flash_bytes` has nowhere to go: it counts as an error.
    explicit UpgradeLoader(size_t flash_bytes = kDefaultLoaderFlashBytes)
        : flash_bytes_(flash_bytes) {}

    // `report` starts with its report ID.
    void OnReport(std::span<const uint8_t> report);

    bool Started() const { return started_; }
    bool Finished() const { return finished_; }
    // Blocks in order of number, 16 bytes each; the last block keeps its
    // 0xFF padding, since the loader cannot tell padding from data.
    std::vector<uint8_t> Image() const;
    int BlocksReceived() const { return static_cast<int>(blocks_.size()); }
    // Records refused: bad CRC, before the start, or a report of another kind.
    int Errors() const { return errors_; }
    // Whether the blocks received are 0 … n - 1 without a gap.
    bool Contiguous() const;

  private:
    void OnBlocks(std::span<const uint8_t> report, int records);

    size_t flash_bytes_;
    bool started_ = false;
    bool finished_ = false;
    std::map<uint16_t, std::vector<uint8_t>> blocks_;
    int errors_ = 0;
};

}  // namespace tessaly::emulator
