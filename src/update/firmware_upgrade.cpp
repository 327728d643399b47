#include "update/firmware_upgrade.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/trace.h"
#include "ui/localisation/text_ids.h"
#include "update/update_texts.h"

namespace tessaly {
namespace {

constexpr int kRetryWaitMs = 3;
constexpr int kBeforeReadMs = 5;
constexpr int kAnswerTimeoutMs = 1000;
constexpr int kFirstReportsPauseMs = 10;
constexpr int kFullReportBytes = kMaxBlocksPerReport * static_cast<int>(kFirmwareBlockBytes);

void Progress(const UpgradeEnvironment& environment, int percent, int text) {
    if (environment.progress) {
        environment.progress(percent, text);
    }
}

void Sleep(const std::function<void(int)>& sleep, int ms) {
    if (sleep) {
        sleep(ms);
    }
}

}  // namespace

bool SendUpgradeReport(HidInterface* upgrade, const UpgradeReport& report,
                       const std::function<void(int ms)>& sleep) {
    if (upgrade == nullptr) {
        return false;
    }
    if (upgrade->Write(report) > 0) {
        return true;
    }
    Sleep(sleep, kRetryWaitMs);
    (void)upgrade->Write(report);
    Sleep(sleep, kBeforeReadMs);
    std::array<uint8_t, kUpgradeReportBytes> answer{};
    return upgrade->Read(answer, kAnswerTimeoutMs) > 0;
}

bool SendFirmwareImage(HidInterface* upgrade, std::span<const uint8_t> image,
                       const UpgradeEnvironment& environment) {
    const int size = static_cast<int>(image.size());
    const int full_reports = size / kFullReportBytes;
    int remaining = size;
    int block = 0;
    int sent = 0;
    while (remaining >= kFullReportBytes) {
        if (!SendUpgradeReport(upgrade, FirmwareBlockReport(image, block, kMaxBlocksPerReport),
                               environment.sleep)) {
            return false;
        }
        if (sent < 2) {
            Sleep(environment.sleep, kFirstReportsPauseMs);
        }
        ++sent;
        block += kMaxBlocksPerReport;
        remaining -= kFullReportBytes;
        Progress(environment, 10 + 90 * sent / full_reports, text::kUpgrading);
    }
    if (remaining == 0) {
        return true;
    }
    const int blocks = (remaining + static_cast<int>(kFirmwareBlockBytes) - 1) /
                       static_cast<int>(kFirmwareBlockBytes);
    return SendUpgradeReport(upgrade, FirmwareBlockReport(image, block, blocks), environment.sleep);
}

HidInterface* OpenUpgradeInterface(DeviceManager& devices) {
    devices.SetUpgradeInterface(nullptr);
    const std::optional<DeviceIds> ids = devices.CurrentIds();
    if (!ids) {
        return nullptr;
    }
    for (const HidInterfaceInfo& info : EnumerateHidInterfaces()) {
        if (info.vendor_id != ids->vendor_id || info.product_id != ids->product_id ||
            !IsUpgradeCollection(info.usage_page, info.usage)) {
            continue;
        }
        if (std::unique_ptr<HidInterface> opened = OpenHidInterface(info.path)) {
            devices.SetUpgradeInterface(std::move(opened));
            break;
        }
    }
    return devices.UpgradeInterface();
}

std::vector<uint8_t> ReadFirmwareImage(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return {};
    }
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file),
                                std::istreambuf_iterator<char>());
}

UpgradeOutcome UpgradeFirmware(DeviceManager& devices, const std::string& image_path,
                               const UpgradeEnvironment& environment, size_t flash_bytes) {
    const std::vector<uint8_t> image = ReadFirmwareImage(image_path);
    if (image.empty()) {
        return UpgradeOutcome::kNoImage;
    }
    std::error_code ignored;
    const size_t limit = std::min(flash_bytes, kMaxFirmwareImageBytes);
    if (image.size() > limit) {
        Trace(kTraceDevice, "firmware image of %zu bytes is over %zu, not sent", image.size(),
              limit);
        std::filesystem::remove(image_path, ignored);
        Progress(environment, 10, text::kFirmwareImageTooLarge);
        return UpgradeOutcome::kImageTooLarge;
    }
    // A failure shows how far the transfer came.
    int reached = 10;
    UpgradeEnvironment tracked = environment;
    tracked.progress = [&](int percent, int text) {
        reached = percent;
        Progress(environment, percent, text);
    };
    Progress(tracked, 10, text::kPreparingUpgrade);
    HidInterface* upgrade = OpenUpgradeInterface(devices);
    UpgradeOutcome outcome = UpgradeOutcome::kNoInterface;
    if (upgrade != nullptr) {
        outcome = UpgradeOutcome::kStartNotSent;
        if (SendUpgradeReport(upgrade, UpgradeStartReport(), environment.sleep)) {
            const bool sent = SendFirmwareImage(upgrade, image, tracked);
            (void)SendUpgradeReport(upgrade, UpgradeFinishReport(), environment.sleep);
            outcome = sent ? UpgradeOutcome::kComplete : UpgradeOutcome::kDataNotSent;
        }
    }
    std::filesystem::remove(image_path, ignored);
    if (outcome == UpgradeOutcome::kComplete) {
        Progress(environment, 100, text::kUpgradeComplete);
    } else {
        // Not the completion text: the mouse did not take the whole image.
        Trace(kTraceDevice, "firmware upgrade incomplete: %d", static_cast<int>(outcome));
        Progress(environment, reached, kUpgradeFailedText);
    }
    return outcome;
}

}  // namespace tessaly
