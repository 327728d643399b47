// The virtual mouse answers every command as the mouse would: through the
// real transport, builders, exchange and decoders.

#include <gtest/gtest.h>

#include "device/commands/answer_decoders.h"
#include "device/commands/command_builders.h"
#include "device/commands/macro_packets.h"
#include "virtual_mouse_fixture.h"

namespace tessaly::emulator::test {
namespace {

class MouseCommandsTest : public ::testing::Test {
  protected:
    ExchangeResult Send(const CommandRequest& request, MouseLink link = MouseLink::kCable) {
        auto& interface = link == MouseLink::kCable ? cable_ : receiver_;
        return CommandExchange(interface.get(), request);
    }
    ExchangeResult Read(Command command, MouseLink link = MouseLink::kCable) {
        return Send(BuildReadRequest(command), link);
    }

    VirtualMouseRig rig_;
    std::unique_ptr<HidInterface> cable_ = rig_.Open(MouseLink::kCable);
    std::unique_ptr<HidInterface> receiver_ = rig_.Open(MouseLink::kReceiver);
};

TEST_F(MouseCommandsTest, WrittenSettingsAreReadBack) {
    ASSERT_TRUE(Send(BuildReportRate(3)).ok());
    EXPECT_EQ(DecodeReportRate(Read(Command::kReadReportRate).answer.bytes()), 3);

    DpiStagesValues stages{2, 5, {100, 200, 300, 400, 500, 0x1234}};
    ASSERT_TRUE(Send(BuildDpiStages(stages)).ok());
    auto dpi = DecodeDpiStages(Read(Command::kReadDpiStages).answer.bytes());
    ASSERT_TRUE(dpi);
    EXPECT_EQ(dpi->index, 2);
    EXPECT_EQ(dpi->count, 5);
    EXPECT_EQ(dpi->codes, stages.codes);

    DpiColours colours{0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0, 0xABCDEF};
    ASSERT_TRUE(Send(BuildDpiColours(colours)).ok());
    EXPECT_EQ(DecodeDpiColours(Read(Command::kReadDpiColours).answer.bytes()), colours);

    ASSERT_TRUE(Send(BuildLighting({3, 4, 9, {0x112233}})).ok());
    auto light = DecodeLighting(Read(Command::kReadLighting).answer.bytes());
    ASSERT_TRUE(light);
    EXPECT_EQ(light->effect, 3);
    EXPECT_EQ(light->brightness, 4);
    EXPECT_EQ(light->speed, 9);

    ASSERT_TRUE(Send(BuildLiftOffSensor(2, kSensorFlagSecond)).ok());
    auto lift = DecodeLiftOffSensor(Read(Command::kReadLiftOffSensor).answer.bytes());
    ASSERT_TRUE(lift);
    EXPECT_EQ(lift->liftoff_height, 2);
    EXPECT_EQ(lift->sensor_flag, kSensorFlagSecond);

    SleepResponseValues sleep{7, 0, 1, 9};
    ASSERT_TRUE(Send(BuildSleepResponse(sleep)).ok());
    EXPECT_EQ(DecodeSleepResponse(Read(Command::kReadSleepResponse).answer.bytes()), sleep);
    EXPECT_TRUE(Read(Command::kReadUnused).ok());
}

TEST_F(MouseCommandsTest, SettingsAreTheMouseOwnWhicheverLinkCarriesThem) {
    ASSERT_TRUE(Send(BuildReportRate(2), MouseLink::kReceiver).ok());
    EXPECT_EQ(DecodeReportRate(Read(Command::kReadReportRate).answer.bytes()), 2);
}

TEST_F(MouseCommandsTest, IdentityCarriesTheModelAndTheBatteryPair) {
    rig_.mouse->SetBattery(64, true);
    auto result = Read(Command::kReadIdentity);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.answer[12], 1) << "A[12] is the charging flag";
    EXPECT_EQ(result.answer[13], 64) << "A[13] is the charge level";
    auto identity = DecodeIdentity(result.answer.bytes());
    ASSERT_TRUE(identity);
    EXPECT_EQ(DeviceIdText(identity->device_id), u"TM01");
    EXPECT_EQ(identity->sensor_code, 0x01);
    EXPECT_EQ(identity->report_flags, 0x40);
    EXPECT_EQ(identity->reachable, 1);
}

TEST_F(MouseCommandsTest, ReceiverVersionAnswersInTheVersionLayout) {
    EXPECT_EQ(DecodeVersion(Read(Command::kReadVersion, MouseLink::kReceiver).answer.bytes()),
              "105");
}

TEST_F(MouseCommandsTest, UnknownCommandAndBadChecksumAnswerNonZeroStatus) {
    auto unknown = Send(CommandRequest(0x7E, RequestLength::kShort));
    EXPECT_EQ(unknown.failure, ExchangeFailure::kNoAnswer);
    EXPECT_EQ(unknown.answer[1], kStatusUnknownCommand);

    // A request whose checksum byte does not match its payload.
    std::array<uint8_t, 33> raw{0x00, 0x12, 0x00, 0x00, 0x00, 0x05};
    ASSERT_GT(cable_->Write(raw), 0);
    std::array<uint8_t, 33> answer{};
    ASSERT_GT(cable_->Read(answer, 30), 0);
    EXPECT_EQ(answer[1], kStatusBadChecksum);
}

TEST_F(MouseCommandsTest, FactoryRestoreBringsBackFactoryValues) {
    ASSERT_TRUE(Send(BuildReportRate(7)).ok());
    ASSERT_TRUE(Send(BuildRestoreFactory()).ok());
    EXPECT_EQ(DecodeReportRate(Read(Command::kReadReportRate).answer.bytes()),
              VirtualMouseState::FactorySettings().at(0x02)[0]);
}

TEST_F(MouseCommandsTest, MacroPacketsAreReassembledIntoTheImage) {
    std::vector<MacroEventBytes> events;
    for (uint8_t i = 0; i < 13; ++i)
        events.push_back({i, static_cast<uint8_t>(i + 1), 0x80, 0x10});
    auto packets = BuildMacroPackets(4, events);
    ASSERT_TRUE(packets);
    for (const auto& packet : *packets)
        ASSERT_TRUE(Send(packet).ok());
    const auto macros = rig_.mouse->State().macros;
    ASSERT_EQ(macros.count(4), 1u);
    std::vector<uint8_t> expected = {4};
    for (const auto& e : events)
        expected.insert(expected.end(), e.begin(), e.end());
    EXPECT_EQ(macros.at(4), expected);
}

TEST_F(MouseCommandsTest, MacroPacketOutOfSequenceIsRefused) {
    std::vector<MacroEventBytes> events(7, MacroEventBytes{1, 2, 3, 4});
    auto packets = BuildMacroPackets(2, events);
    ASSERT_TRUE(packets);
    ASSERT_EQ(packets->size(), 2u);
    auto second = Send((*packets)[1]);
    EXPECT_FALSE(second.ok());
    EXPECT_EQ(second.answer[1], kStatusBadPacket);
    EXPECT_TRUE(rig_.mouse->State().macros.empty());
}

TEST_F(MouseCommandsTest, ReceiverWithoutItsMouseAnswersOnlyForItself) {
    rig_.mouse->SwitchMouse(false);
    auto identity = Read(Command::kReadIdentity, MouseLink::kReceiver);
    ASSERT_TRUE(identity.ok());
    EXPECT_EQ(identity.reads, 2) << "the 0xC0 report of the switch uses up one read";
    EXPECT_EQ(identity.answer[14], 0);
    auto rate = Read(Command::kReadReportRate, MouseLink::kReceiver);
    EXPECT_FALSE(rate.ok());
    EXPECT_EQ(rate.answer[1], kStatusUnreachable);
    EXPECT_TRUE(Read(Command::kReadVersion, MouseLink::kReceiver).ok());
    // The cable reaches the mouse itself.
    EXPECT_EQ(Read(Command::kReadIdentity).answer[14], 1);
}

}  // namespace
}  // namespace tessaly::emulator::test
