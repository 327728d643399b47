#pragma once
// Writing a firmware image to the mouse through its upgrade interface
// (usage page 0xFFEF, usage 0), the second half of task 27.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/device_manager.h"
#include "update/firmware_reports.h"

namespace tessaly {

// What the upgrade needs around it: waits, and the progress dialog.
struct UpgradeEnvironment {
    std::function<void(int ms)> sleep;
    // Percent and the number of the label text.
    std::function<void(int percent, int text)> progress;
};

enum class UpgradeOutcome {
    kNoImage,        // missing, unreadable or empty: nothing was sent
    kImageTooLarge,  // more blocks than the block number can count: nothing was sent
    kNoInterface,    // no upgrade interface opened
    kStartNotSent,   // the start report did not get through
    kDataNotSent,    // a block report did not get through (finish was sent)
    kComplete,
};

// The block number has two bytes: 65,536 blocks of 16 bytes at most. A
// larger image would wrap the numbers and overwrite the first blocks.
inline constexpr size_t kMaxFirmwareImageBytes = 65536 * kFirmwareBlockBytes;

// Written when the write reports bytes; otherwise one more write, then a
// read of up to 1000 ms decides. False without an interface.
bool SendUpgradeReport(HidInterface* upgrade, const UpgradeReport& report,
                       const std::function<void(int ms)>& sleep);

// The block reports of the whole image; false when one was not sent.
bool SendFirmwareImage(HidInterface* upgrade, std::span<const uint8_t> image,
                       const UpgradeEnvironment& environment);

// Opens the upgrade interface of the current mouse's ids and keeps it in
// the device manager (or none); the interface or null.
HidInterface* OpenUpgradeInterface(DeviceManager& devices);

// Reads the image file whole; empty when missing, unreadable or empty.
std::vector<uint8_t> ReadFirmwareImage(const std::string& path);

// The whole upgrade from the image file: progress 10 (text 591), start,
// blocks, finish, the image deleted. Progress 100 with text 593 only when
// every report got through.
// An image over `flash_bytes` (the model's flash; never more than
// kMaxFirmwareImageBytes) is refused before any report.
UpgradeOutcome UpgradeFirmware(DeviceManager& devices, const std::string& image_path,
                               const UpgradeEnvironment& environment,
                               size_t flash_bytes = kMaxFirmwareImageBytes);

}  // namespace tessaly
