#include "update/firmware_upgrade.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "device/hid_backend_memory.h"
#include "device/hid_clock.h"
#include "support/temp_dir.h"
#include "ui/localisation/text_ids.h"
#include "update/update_texts.h"

namespace tessaly::test {
namespace {

std::vector<uint8_t> Image(size_t size) {
    std::vector<uint8_t> image(size);
    for (size_t i = 0; i < size; ++i) {
        image[i] = static_cast<uint8_t>(i + 1);
    }
    return image;
}

struct Step {
    int percent;
    int text;
    bool operator==(const Step&) const = default;
};

// An upgrade interface on the in-memory backend; its read time-outs cost no
// time.
class FirmwareUpgradeTest : public ::testing::Test {
  protected:
    FirmwareUpgradeTest() {
        MemoryHidDeviceConfig config;
        config.info = {"mem:upgrade", 0x1A2B, 0x7001, 0x0105, kUpgradeUsagePage, kUpgradeUsage, 1};
        device = backend->AddDevice(config);
        upgrade = OpenHidInterface("mem:upgrade");
        environment.sleep = [this](int ms) { slept.push_back(ms); };
        environment.progress = [this](int percent, int text) { steps.push_back({percent, text}); };
    }

    // The block reports written, without the start and finish reports.
    std::vector<std::vector<uint8_t>> Blocks() const {
        std::vector<std::vector<uint8_t>> blocks;
        for (const auto& report : device->WrittenReports()) {
            if (report.size() > 4 && report[2] % 20 == 0) {
                blocks.push_back(report);
            }
        }
        return blocks;
    }
    static int BlockNumber(const std::vector<uint8_t>& report, int record) {
        return report[4 + 20 * record] | (report[5 + 20 * record] << 8);
    }
    static std::vector<uint8_t> BlockData(const std::vector<uint8_t>& report, int record) {
        const auto first = report.begin() + 6 + 20 * record;
        return {first, first + 16};
    }

    std::shared_ptr<ManualHidClock> clock = std::make_shared<ManualHidClock>();
    std::shared_ptr<MemoryHidBackend> backend = std::make_shared<MemoryHidBackend>(clock);
    ScopedHidBackend scoped{backend};
    std::shared_ptr<MemoryHidDevice> device;
    std::unique_ptr<HidInterface> upgrade;
    std::vector<int> slept;
    std::vector<Step> steps;
    UpgradeEnvironment environment;
};

TEST(Crc16ModbusTest, MatchesTheCheckValueAndCoversThePadding) {
    const std::string check = "123456789";
    EXPECT_EQ(Crc16Modbus({reinterpret_cast<const uint8_t*>(check.data()), check.size()}), 0x4B37);

    // A short block: the CRC is over the number and all 16 bytes, padding too.
    const std::vector<uint8_t> image = Image(50);
    const UpgradeReport report = FirmwareBlockReport(image, 3, 1);
    std::vector<uint8_t> record{0x03, 0x00, 49, 50};
    record.resize(18, 0xFF);
    const uint16_t crc = Crc16Modbus(record);
    EXPECT_EQ(report[4 + 18], crc & 0xFF);
    EXPECT_EQ(report[4 + 19], crc >> 8);
    EXPECT_TRUE(std::equal(record.begin(), record.end(), report.begin() + 4));
}

TEST(UpgradeReportsTest, FixedReportsAreFilledWithFF) {
    const UpgradeReport start = UpgradeStartReport();
    const UpgradeReport finish = UpgradeFinishReport();
    EXPECT_EQ(std::vector<uint8_t>(start.begin(), start.begin() + 5),
              (std::vector<uint8_t>{0x05, 0x02, 0x02, 0x00, 0x01}));
    EXPECT_EQ(std::vector<uint8_t>(finish.begin(), finish.begin() + 5),
              (std::vector<uint8_t>{0x05, 0x02, 0x06, 0x00, 0x02}));
    EXPECT_TRUE(std::all_of(start.begin() + 5, start.end(), [](uint8_t b) { return b == 0xFF; }));
    const UpgradeReport blocks = FirmwareBlockReport(Image(48), 0, 3);
    EXPECT_EQ(std::vector<uint8_t>(blocks.begin(), blocks.begin() + 4),
              (std::vector<uint8_t>{0x05, 0x02, 0x3C, 0x00}));
}

TEST_F(FirmwareUpgradeTest, ImageSizesGiveTheirBlockReports) {
    struct Case {
        size_t size;
        std::vector<int> lengths;   // L of each block report
        std::vector<int> progress;  // the 592 steps
        size_t last_bytes;          // image bytes in the last block
    };
    const Case cases[] = {
        {48, {0x3C}, {100}, 16},
        {50, {0x3C, 0x14}, {100}, 2},
        {80, {0x3C, 0x28}, {100}, 16},
        {20, {0x28}, {}, 4},
        {150, {0x3C, 0x3C, 0x3C, 0x14}, {40, 70, 100}, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        device = backend->AddDevice({{"mem:u" + std::to_string(c.size), 1, 2, 0, 0xFFEF, 0, 1}});
        upgrade = OpenHidInterface("mem:u" + std::to_string(c.size));
        steps.clear();
        const std::vector<uint8_t> image = Image(c.size);
        ASSERT_TRUE(SendFirmwareImage(upgrade.get(), image, environment));

        const auto blocks = Blocks();
        std::vector<int> lengths;
        std::vector<uint8_t> sent;
        int expected_block = 0;
        for (const auto& report : blocks) {
            lengths.push_back(report[2]);
            for (int r = 0; r < report[2] / 20; ++r) {
                EXPECT_EQ(BlockNumber(report, r), expected_block++);
                const auto data = BlockData(report, r);
                sent.insert(sent.end(), data.begin(), data.end());
            }
        }
        EXPECT_EQ(lengths, c.lengths);
        // The image, then 0xFF up to the end of the last block.
        ASSERT_EQ(sent.size() % 16, 0u);
        EXPECT_TRUE(std::equal(image.begin(), image.end(), sent.begin()));
        EXPECT_TRUE(std::all_of(sent.begin() + static_cast<long>(c.size), sent.end(),
                                [](uint8_t b) { return b == 0xFF; }));
        EXPECT_EQ(16 - (sent.size() - c.size), c.last_bytes);
        std::vector<int> percents;
        for (const Step& s : steps) {
            EXPECT_EQ(s.text, text::kUpgrading);
            percents.push_back(s.percent);
        }
        EXPECT_EQ(percents, c.progress);
    }
}

TEST_F(FirmwareUpgradeTest, OnlyTheFirstTwoDataReportsArePausedAfter) {
    ASSERT_TRUE(SendFirmwareImage(upgrade.get(), Image(48 * 4), environment));
    EXPECT_EQ(slept, (std::vector<int>{10, 10}));
}

TEST_F(FirmwareUpgradeTest, AFailedWriteIsRetriedAndAnAnswerCounts) {
    device->SetWritesFail(true);
    EXPECT_FALSE(SendUpgradeReport(upgrade.get(), UpgradeStartReport(), environment.sleep));
    EXPECT_EQ(slept, (std::vector<int>{3, 5}));
    device->QueueInput(std::vector<uint8_t>(64, 0x05));
    EXPECT_TRUE(SendUpgradeReport(upgrade.get(), UpgradeStartReport(), environment.sleep));
    EXPECT_FALSE(SendUpgradeReport(nullptr, UpgradeStartReport(), environment.sleep));
}

TEST_F(FirmwareUpgradeTest, ADataReportNotSentStopsTheTransfer) {
    int writes = 0;
    device->SetFirmware([&writes](MemoryHidDevice& self, std::span<const uint8_t>) {
        if (++writes == 2) {
            self.SetWritesFail(true);  // from the third report on
        }
    });
    EXPECT_FALSE(SendFirmwareImage(upgrade.get(), Image(48 * 5), environment));
    EXPECT_EQ(Blocks().size(), 2u);
    EXPECT_EQ(steps.back(), (Step{10 + 90 * 2 / 5, text::kUpgrading}));
}

TEST_F(FirmwareUpgradeTest, AnImageBeyondTheBlockNumbersIsRefusedBeforeAnyReport) {
    TempDir folder;
    const auto path =
        folder.Write("firmware     -1.07.bin", std::string(kMaxFirmwareImageBytes + 1, 'f'));
    DeviceManager devices;
    EXPECT_EQ(UpgradeFirmware(devices, path.string(), environment), UpgradeOutcome::kImageTooLarge);
    EXPECT_TRUE(device->WrittenReports().empty());
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(steps, (std::vector<Step>{{10, text::kFirmwareImageTooLarge}}));
    // 1 MiB exactly still fits: it goes as far as the (missing) interface.
    const auto fits = folder.Write("fits.bin", std::string(kMaxFirmwareImageBytes, 'f'));
    EXPECT_EQ(UpgradeFirmware(devices, fits.string(), environment), UpgradeOutcome::kNoInterface);
}

TEST_F(FirmwareUpgradeTest, AnImageOverTheModelsFlashIsRefusedBeforeAnyReport) {
    TempDir folder;
    DeviceManager devices;
    const auto over = folder.Write("over.bin", std::string(4097, 'f'));
    EXPECT_EQ(UpgradeFirmware(devices, over.string(), environment, 4096),
              UpgradeOutcome::kImageTooLarge);
    EXPECT_TRUE(device->WrittenReports().empty());
    EXPECT_EQ(steps, (std::vector<Step>{{10, text::kFirmwareImageTooLarge}}));
    const auto fits = folder.Write("fits.bin", std::string(4096, 'f'));
    EXPECT_EQ(UpgradeFirmware(devices, fits.string(), environment, 4096),
              UpgradeOutcome::kNoInterface);
    // A figure over what the block numbers reach does not lift that bound.
    const auto big = folder.Write("big.bin", std::string(kMaxFirmwareImageBytes + 1, 'f'));
    EXPECT_EQ(UpgradeFirmware(devices, big.string(), environment, 8 * kMaxFirmwareImageBytes),
              UpgradeOutcome::kImageTooLarge);
}

TEST_F(FirmwareUpgradeTest, WithoutAnUpgradeInterfaceTheImageGoesAndFailureIsShown) {
    TempDir folder;
    const auto path = folder.Write("firmware     -1.07.bin", std::string(64, 'f'));
    DeviceManager devices;  // no current mouse, so no upgrade interface
    EXPECT_EQ(UpgradeFirmware(devices, path.string(), environment), UpgradeOutcome::kNoInterface);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(device->WrittenReports().empty());
    EXPECT_EQ(steps, (std::vector<Step>{{10, text::kPreparingUpgrade}, {10, kUpgradeFailedText}}));

    // A missing or empty image: nothing shown, an empty file stays.
    steps.clear();
    EXPECT_EQ(UpgradeFirmware(devices, path.string(), environment), UpgradeOutcome::kNoImage);
    const auto empty = folder.Write("empty.bin", "");
    EXPECT_EQ(UpgradeFirmware(devices, empty.string(), environment), UpgradeOutcome::kNoImage);
    EXPECT_TRUE(std::filesystem::exists(empty));
    EXPECT_TRUE(steps.empty());
}

}  // namespace
}  // namespace tessaly::test
