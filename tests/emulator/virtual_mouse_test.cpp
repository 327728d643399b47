// The virtual mouse as a device: its collections, reports of its own,
// scripted misbehaviour, plugging, the upgrade loader and its state file.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "device/commands/answer_decoders.h"
#include "device/commands/command_builders.h"
#include "device/device_change_events.h"
#include "emulator/answer_script_text.h"
#include "support/temp_dir.h"
#include "virtual_mouse_fixture.h"

namespace tessaly::emulator::test {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<uint8_t> ReadReport(HidInterface& interface, int timeout_ms = 30) {
    std::vector<uint8_t> buffer(65);
    const int got = interface.Read(buffer, timeout_ms);
    buffer.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return buffer;
}

TEST(VirtualMouseDevices, EachLinkIsACompositeOfThreeCollections) {
    VirtualMouseRig rig;
    const auto entries = rig.backend->Enumerate();
    ASSERT_EQ(entries.size(), 6u);
    int configuration = 0;
    for (const auto& e : entries) {
        EXPECT_EQ(e.vendor_id, kVendor);
        if (e.interface_number == kPointerInterface) {
            EXPECT_EQ(e.usage_page, 0x0001);
            EXPECT_EQ(e.usage, 0x0002);
        }
        if (e.interface_number == kUpgradeInterface) {
            EXPECT_TRUE(IsUpgradeCollection(e.usage_page, e.usage));
        }
        if (IsConfigurationCollection(e.usage_page, e.usage)) {
            ++configuration;
            EXPECT_EQ(e.interface_number, kConfigInterface);
        }
    }
    EXPECT_EQ(configuration, 2);
    auto config = rig.Open(MouseLink::kCable);
    ASSERT_TRUE(config);
    EXPECT_EQ(config->OutputReportLength(), 65u);
}

TEST(VirtualMouseDevices, ConfigurationFormAndInputLengthAreConfigurable) {
    auto config = TestConfig(true, false);
    config.vendor_collection = false;
    config.config_input_length = 33;
    VirtualMouseRig rig(config);
    auto device = rig.mouse->Device(MouseLink::kCable, kConfigInterface);
    ASSERT_TRUE(device);
    EXPECT_EQ(device->Info().usage_page, kConfigUsagePage);
    EXPECT_EQ(device->Info().usage, kConfigUsage);
    auto interface = rig.Open(MouseLink::kCable);
    EXPECT_EQ(interface->InputReportLength(), 33u);
    EXPECT_TRUE(CommandExchange(interface.get(), BuildReadRequest(Command::kReadIdentity)).ok());
}

// The descriptors are what the mocked kernel serves from sysfs; the lengths
// and collections the in-memory backend shows must be theirs.
TEST(VirtualMouseDevices, EachInterfaceIsWhatItsReportDescriptorSays) {
    for (const bool vendor : {true, false}) {
        auto config = TestConfig(true, false);
        config.vendor_collection = vendor;
        config.config_input_length = vendor ? 65 : 33;
        VirtualMouseRig rig(config);
        for (int i : {kPointerInterface, kUpgradeInterface, kConfigInterface}) {
            SCOPED_TRACE(i);
            const auto info = ParseReportDescriptor(rig.mouse->ReportDescriptor(i));
            ASSERT_TRUE(info);
            ASSERT_EQ(info->collections.size(), 1u);
            const auto entry = rig.mouse->Device(MouseLink::kCable, i)->Info();
            EXPECT_EQ(info->collections[0], (TopLevelCollection{entry.usage_page, entry.usage}));
            auto interface = rig.Open(MouseLink::kCable, i);
            ASSERT_TRUE(interface);
            EXPECT_EQ(interface->InputReportLength(), info->lengths.input);
            EXPECT_EQ(interface->OutputReportLength(), info->lengths.output);
        }
        EXPECT_EQ(rig.Open(MouseLink::kCable, kConfigInterface)->InputReportLength(),
                  config.config_input_length);
        EXPECT_EQ(rig.Open(MouseLink::kCable, kUpgradeInterface)->OutputReportLength(), 64u);
        EXPECT_EQ(rig.Open(MouseLink::kCable, kPointerInterface)->InputReportLength(), 8u);
    }
}

TEST(VirtualMouseReports, MouseSwitchedOffAndOnIsReportedWithTheBatteryPair) {
    VirtualMouseRig rig;
    rig.mouse->SetBattery(42, true);
    auto receiver = rig.Open(MouseLink::kReceiver);
    rig.mouse->SwitchMouse(false);
    auto off = std::get<LinkNotification>(DecodeNotification(ReadReport(*receiver)));
    EXPECT_FALSE(off.connected);
    EXPECT_THAT(off.battery, ElementsAre(42, 1)) << "N[2] level, N[3] charging";
    rig.mouse->SwitchMouse(true);
    auto on = std::get<LinkNotification>(DecodeNotification(ReadReport(*receiver)));
    EXPECT_TRUE(on.connected);
}

TEST(VirtualMouseReports, BatteryChangeIsReportedOnlyWhenAsked) {
    VirtualMouseRig rig;
    auto receiver = rig.Open(MouseLink::kReceiver);
    rig.mouse->SetBattery(30, false);
    EXPECT_TRUE(ReadReport(*receiver).empty());
    rig.mouse->SetBattery(20, true, true);
    auto report = std::get<LinkNotification>(DecodeNotification(ReadReport(*receiver)));
    EXPECT_THAT(report.battery, ElementsAre(20, 1));
}

TEST(VirtualMouseReports, DpiButtonCyclesTheStageWithinTheCount) {
    VirtualMouseRig rig;
    auto cable = rig.Open(MouseLink::kCable);
    auto receiver = rig.Open(MouseLink::kReceiver);
    ASSERT_TRUE(CommandExchange(cable.get(), BuildDpiStages({1, 3, {}})).ok());
    std::vector<int> indexes;
    for (int i = 0; i < 3; ++i) {
        rig.mouse->PressDpiButton();
        auto stage = std::get<DpiStageNotification>(DecodeNotification(ReadReport(*cable)));
        EXPECT_EQ(stage.count, 3);
        indexes.push_back(stage.index);
    }
    EXPECT_THAT(indexes, ElementsAre(2, 0, 1));
    EXPECT_TRUE(ReadReport(*receiver).empty()) << "the mouse uses its cable";
}

TEST(VirtualMouseScripts, SilentLinkLetsTheExchangeUseAllItsReads) {
    VirtualMouseRig rig;
    auto cable = rig.Open(MouseLink::kCable);
    rig.mouse->SetSilent(MouseLink::kCable, true);
    auto result = CommandExchange(cable.get(), BuildReadRequest(Command::kReadIdentity));
    EXPECT_EQ(result.failure, ExchangeFailure::kNoAnswer);
    EXPECT_EQ(result.reads, kExchangeReads);
    rig.mouse->SetSilent(MouseLink::kCable, false);
    EXPECT_TRUE(CommandExchange(cable.get(), BuildReadRequest(Command::kReadIdentity)).ok());
}

TEST(VirtualMouseScripts, EachScriptShapesOneAnswer) {
    VirtualMouseRig rig;
    auto cable = rig.Open(MouseLink::kCable);
    const auto identity = BuildReadRequest(Command::kReadIdentity);
    rig.mouse->Script(MouseLink::kCable, AnswerScript::Status(0x01));
    rig.mouse->Script(MouseLink::kCable, AnswerScript::Late(40ms));
    rig.mouse->Script(MouseLink::kCable, AnswerScript::SlipIn({0xC2, 0x13}));
    rig.mouse->Script(MouseLink::kCable, AnswerScript::Silent());

    auto bad = CommandExchange(cable.get(), identity);
    EXPECT_FALSE(bad.ok());
    EXPECT_EQ(bad.answer[1], 0x01);

    auto late = CommandExchange(cable.get(), identity);
    EXPECT_TRUE(late.ok());
    EXPECT_EQ(late.reads, 2) << "one 30 ms read times out before the answer";

    auto slipped = CommandExchange(cable.get(), identity);
    EXPECT_TRUE(slipped.ok());
    EXPECT_EQ(slipped.reads, 2) << "the slipped-in report uses up one read";

    EXPECT_FALSE(CommandExchange(cable.get(), identity).ok());
    EXPECT_TRUE(CommandExchange(cable.get(), identity).ok()) << "scripts are used up";
}

TEST(VirtualMouseScripts, AScriptForACommandWaitsForThatCommand) {
    VirtualMouseRig rig;
    auto cable = rig.Open(MouseLink::kCable);
    AnswerScript silent = AnswerScript::Silent();
    silent.command = 0x02;
    rig.mouse->Script(MouseLink::kCable, silent);
    EXPECT_TRUE(CommandExchange(cable.get(), BuildReadRequest(Command::kReadIdentity)).ok());
    EXPECT_FALSE(CommandExchange(cable.get(), BuildReportRate(2)).ok());
    EXPECT_TRUE(CommandExchange(cable.get(), BuildReportRate(2)).ok());
}

TEST(VirtualMouseScripts, MouseOffSwitchesTheMouseOffBeforeTheAnswer) {
    VirtualMouseRig rig(TestConfig(false, true));
    auto receiver = rig.Open(MouseLink::kReceiver);
    rig.mouse->Script(MouseLink::kReceiver, AnswerScript::MouseOff());
    const auto result = CommandExchange(receiver.get(), BuildReportRate(2));
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(rig.mouse->State().mouse_on);
    EXPECT_NE(rig.mouse->State().settings.at(0x02), std::vector<uint8_t>{2});
    EXPECT_EQ(result.answer[1], kStatusUnreachable);
}

TEST(AnswerScriptText, EveryFaultKindAndItsCommand) {
    const ParsedScripts parsed =
        ParseAnswerScripts("03=silent,13=status:04,12=late:2500,*=slip:C1 02 10,02=off");
    ASSERT_EQ(parsed.error, "");
    ASSERT_EQ(parsed.scripts.size(), 5u);
    EXPECT_EQ(parsed.scripts[0].kind, AnswerScript::Kind::kSilent);
    EXPECT_EQ(parsed.scripts[0].command, 0x03);
    EXPECT_EQ(parsed.scripts[1].status, 0x04);
    EXPECT_EQ(parsed.scripts[2].delay, 2500ms);
    EXPECT_EQ(parsed.scripts[3].report, (std::vector<uint8_t>{0xC1, 0x02, 0x10}));
    EXPECT_EQ(parsed.scripts[3].command, std::nullopt);
    EXPECT_EQ(parsed.scripts[4].kind, AnswerScript::Kind::kMouseOff);

    for (const char* bad : {"3=silent", "03=loud", "03", "03=status:4", "03=late:x",
                            "03=late:70000", "03=slip:", "03=off:1"}) {
        const ParsedScripts refused = ParseAnswerScripts(bad);
        EXPECT_THAT(refused.error, HasSubstr("a fault is written")) << bad;
        EXPECT_TRUE(refused.scripts.empty()) << bad;
    }
}

TEST(VirtualMouseScripts, LatencyDelaysEveryAnswer) {
    VirtualMouseRig rig;
    auto cable = rig.Open(MouseLink::kCable);
    rig.mouse->SetLatency(95ms);
    auto result = CommandExchange(cable.get(), BuildReadRequest(Command::kReadIdentity));
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.reads, 4);
}

class VirtualMousePlugging : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = SetDeviceChangeHandler([this](DeviceChangeKind kind, const std::string& name) {
            events_.emplace_back(kind, name);
        });
    }
    void TearDown() override { SetDeviceChangeHandler(previous_); }

    DeviceChangeHandler previous_;
    std::vector<std::pair<DeviceChangeKind, std::string>> events_;
};

TEST_F(VirtualMousePlugging, PlugAndUnplugRaiseOneEventPerInterface) {
    VirtualMouseRig rig(TestConfig(false, false));
    EXPECT_TRUE(rig.backend->Enumerate().empty());
    ASSERT_TRUE(rig.mouse->Plug(MouseLink::kCable));
    EXPECT_FALSE(rig.mouse->Plug(MouseLink::kCable));
    ASSERT_EQ(events_.size(), 3u);
    EXPECT_EQ(events_[2].first, DeviceChangeKind::kArrival);
    EXPECT_THAT(events_[2].second, HasSubstr("\\\\?\\HID#VID_1A2B&PID_0A01&MI_02#"));
    EXPECT_THAT(events_[2].second, HasSubstr(rig.mouse->Path(MouseLink::kCable, 2)));
    EXPECT_EQ(rig.backend->Enumerate().size(), 3u);

    auto cable = rig.Open(MouseLink::kCable);
    ASSERT_TRUE(cable);
    ASSERT_TRUE(rig.mouse->Unplug(MouseLink::kCable));
    ASSERT_EQ(events_.size(), 6u);
    EXPECT_EQ(events_[5].first, DeviceChangeKind::kRemoval);
    EXPECT_EQ(events_[5].second, events_[2].second);
    EXPECT_TRUE(rig.backend->Enumerate().empty());
    std::vector<uint8_t> buffer(65);
    EXPECT_EQ(cable->Read(buffer, 30), -1) << "an open handle of a removed device fails";
}

TEST_F(VirtualMousePlugging, ReceiverUsesItsOwnProductId) {
    VirtualMouseRig rig(TestConfig(false, false));
    rig.mouse->Plug(MouseLink::kReceiver);
    ASSERT_EQ(events_.size(), 3u);
    EXPECT_THAT(events_[0].second, HasSubstr("VID_1A2B&PID_0FA0&MI_00"));
}

// 05 02 L 00, then records of block number, 16 bytes, CRC; 0xFF elsewhere.
std::vector<uint8_t> BlockReport(const std::vector<std::vector<uint8_t>>& blocks, uint16_t first,
                                 bool spoil_crc = false) {
    std::vector<uint8_t> report(64, 0xFF);
    report[0] = 0x05;
    report[1] = 0x02;
    report[2] = static_cast<uint8_t>(20 * blocks.size());
    report[3] = 0x00;
    for (size_t j = 0; j < blocks.size(); ++j) {
        uint8_t* record = &report[4 + 20 * j];
        const uint16_t number = static_cast<uint16_t>(first + j);
        record[0] = static_cast<uint8_t>(number);
        record[1] = static_cast<uint8_t>(number >> 8);
        std::fill(record + 2, record + 18, 0xFF);
        std::copy(blocks[j].begin(), blocks[j].end(), record + 2);
        const uint16_t crc = Crc16Modbus(std::span<const uint8_t>(record, 18));
        record[18] = static_cast<uint8_t>(crc ^ (spoil_crc ? 1 : 0));
        record[19] = static_cast<uint8_t>(crc >> 8);
    }
    return report;
}

std::vector<uint8_t> ControlReport(uint8_t kind, uint8_t code) {
    std::vector<uint8_t> report(64, 0xFF);
    report[0] = 0x05;
    report[1] = 0x02;
    report[2] = kind;
    report[3] = 0x00;
    report[4] = code;
    return report;
}

TEST(UpgradeLoader, CrcIsModbus) {
    const std::string check = "123456789";
    EXPECT_EQ(Crc16Modbus(std::span(reinterpret_cast<const uint8_t*>(check.data()), check.size())),
              0x4B37);
}

TEST(UpgradeLoader, WholeUpgradeThroughTheUpgradeInterfaceReassemblesTheImage) {
    VirtualMouseRig rig;
    auto upgrade = rig.Open(MouseLink::kCable, kUpgradeInterface);
    ASSERT_TRUE(upgrade);
    std::vector<std::vector<uint8_t>> blocks(4, std::vector<uint8_t>(16));
    for (size_t b = 0; b < blocks.size(); ++b) {
        for (size_t i = 0; i < 16; ++i)
            blocks[b][i] = static_cast<uint8_t>(b * 16 + i);
    }
    blocks[3].resize(2);  // an image of 50 bytes
    ASSERT_GT(upgrade->Write(ControlReport(0x02, 0x01)), 0);
    ASSERT_GT(upgrade->Write(BlockReport({blocks[0], blocks[1], blocks[2]}, 0)), 0);
    ASSERT_GT(upgrade->Write(BlockReport({blocks[3]}, 3)), 0);
    ASSERT_GT(upgrade->Write(ControlReport(0x06, 0x02)), 0);

    const auto loader = rig.mouse->Loader(MouseLink::kCable);
    EXPECT_TRUE(loader.Started());
    EXPECT_TRUE(loader.Finished());
    EXPECT_EQ(loader.Errors(), 0);
    EXPECT_TRUE(loader.Contiguous());
    const auto image = loader.Image();
    ASSERT_EQ(image.size(), 64u);
    for (size_t i = 0; i < 50; ++i)
        EXPECT_EQ(image[i], i);
    EXPECT_TRUE(std::all_of(image.begin() + 50, image.end(), [](uint8_t b) { return b == 0xFF; }));
}

TEST(UpgradeLoader, RefusesBadCrcAndBlocksBeforeTheStart) {
    UpgradeLoader loader;
    const std::vector<uint8_t> block(16, 0x11);
    loader.OnReport(BlockReport({block}, 0));
    EXPECT_EQ(loader.BlocksReceived(), 0);
    loader.OnReport(ControlReport(0x02, 0x01));
    loader.OnReport(BlockReport({block, block}, 0, true));
    EXPECT_EQ(loader.BlocksReceived(), 0);
    loader.OnReport(BlockReport({block}, 1));
    EXPECT_EQ(loader.BlocksReceived(), 1);
    EXPECT_FALSE(loader.Contiguous()) << "block 0 never arrived intact";
    EXPECT_EQ(loader.Errors(), 3);
}

TEST(UpgradeLoader, TakesNoBlockBeyondItsFlash) {
    UpgradeLoader loader(32);  // two blocks
    const std::vector<uint8_t> block(16, 0x22);
    loader.OnReport(ControlReport(0x02, 0x01));
    loader.OnReport(BlockReport({block, block, block}, 0));
    loader.OnReport(ControlReport(0x06, 0x02));
    EXPECT_EQ(loader.BlocksReceived(), 2);
    EXPECT_EQ(loader.Errors(), 1);
    EXPECT_EQ(loader.Image().size(), 32u);
}

TEST(VirtualMouseStateFile, SettingsPersistBetweenRuns) {
    tessaly::test::TempDir dir;
    auto config = TestConfig(true, false);
    config.state_file = (dir.path() / "mouse.state").string();
    {
        VirtualMouseRig rig(config);
        auto cable = rig.Open(MouseLink::kCable);
        ASSERT_TRUE(CommandExchange(cable.get(), BuildReportRate(5)).ok());
        rig.mouse->SetBattery(33, true);
    }
    VirtualMouseRig again(config);
    const auto state = again.mouse->State();
    EXPECT_EQ(state.settings.at(0x02), std::vector<uint8_t>{5});
    EXPECT_EQ(state.battery_level, 33);
    EXPECT_TRUE(state.charging);
}

TEST(VirtualMouseStateFile, DamagedLinesGiveFactoryValues) {
    tessaly::test::TempDir dir;
    const auto path = dir.Write("mouse.state", "setting_02=0G\nsetting_07=01 02 03 04\nbattery=\n");
    const auto state = LoadMouseState(path.string());
    EXPECT_EQ(state.settings.at(0x02), VirtualMouseState::FactorySettings().at(0x02));
    EXPECT_EQ(state.settings.at(0x07), (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(state.battery_level, 100);
}

TEST(VirtualMouseStateFile, OnlyARegularFileOfBoundedSizeIsRead) {
    tessaly::test::TempDir dir;
    const std::string fifo = (dir.path() / "fifo.state").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const auto big =
        dir.Write("big.state", "setting_02=05\n" + std::string(kMaxStateFileBytes, '#'));
    const auto good = dir.Write("good.state", "setting_02=05\n");

    EXPECT_EQ(StateFileProblem(fifo), "is not a regular file");
    EXPECT_EQ(StateFileProblem("/dev/zero"), "is not a regular file");
    EXPECT_EQ(StateFileProblem(dir.path().string()), "is not a regular file");
    EXPECT_EQ(StateFileProblem(big.string()), "is larger than 1024 KiB");
    EXPECT_EQ(StateFileProblem(good.string()), "");
    EXPECT_EQ(StateFileProblem((dir.path() / "new.state").string()), "");

    // Loading one anyway neither blocks nor reads it: factory values.
    const auto factory = VirtualMouseState::FactorySettings().at(0x02);
    EXPECT_EQ(LoadMouseState(fifo).settings.at(0x02), factory);
    EXPECT_EQ(LoadMouseState("/dev/zero").settings.at(0x02), factory);
    EXPECT_EQ(LoadMouseState(big.string()).settings.at(0x02), factory);
    EXPECT_EQ(LoadMouseState(good.string()).settings.at(0x02), std::vector<uint8_t>{5});
}

}  // namespace
}  // namespace tessaly::emulator::test
