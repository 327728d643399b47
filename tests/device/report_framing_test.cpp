#include "device/report_framing.h"

#include <gtest/gtest.h>

#include "device/commands/command_builders.h"
#include "memory_mouse.h"

namespace tessaly {
namespace {

using namespace std::chrono_literals;
using test::AnswerTo;
using test::ConfigReport;
using test::MemoryMouse;

TEST(Checksum, CoversPayloadBytesFiveToThirtyOneOnly) {
    CommandRequest zero(0x10, RequestLength::kShort);
    EXPECT_EQ(RequestChecksum(zero.bytes()), 0);

    DpiColours colours{0x0000FF, 0x00FF00, 0, 0, 0, 0};
    EXPECT_EQ(RequestChecksum(BuildDpiColours(colours).bytes()), 0xFE);

    CommandRequest wide(0x02, RequestLength::kLong);
    wide[1] = 0x77;  // header bytes are not summed
    wide[4] = 0x01;
    wide.SetPayload(0, 0x80);
    wide.SetPayload(26, 0x81);  // R[31], the last byte summed
    wide[40] = 0x55;            // past R[32]: not summed
    EXPECT_EQ(RequestChecksum(wide.bytes()), (0x80 + 0x81) % 256);
}

TEST(CommandExchange, WritesTheChecksumAndTakesTheAnswer) {
    MemoryMouse mouse;
    mouse.AnswerEverything({0x42});
    CommandRequest request = BuildReadRequest(Command::kReadReportRate);
    request.SetPayload(0, 0x10);
    request.SetPayload(26, 0x20);
    const auto result = CommandExchange(mouse.interface.get(), request);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.reads, 1);
    EXPECT_EQ(result.answer.size(), 33u);
    EXPECT_EQ(result.answer[0], 0x12);
    EXPECT_EQ(result.answer[4], 0x42);
    const auto written = mouse.device->WrittenReports();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0][32], 0x30);
    EXPECT_EQ(written[0][5], 0x10);
}

TEST(CommandExchange, LongRequestCarriesZerosAfterTheChecksum) {
    MemoryMouse mouse;
    mouse.AnswerEverything();
    CommandRequest request = BuildReportRate(0x03);
    ASSERT_EQ(request.size(), 65u);
    ASSERT_TRUE(CommandExchange(mouse.interface.get(), request).ok());
    const auto sent = mouse.device->WrittenReports().at(0);
    ASSERT_EQ(sent.size(), 65u);
    EXPECT_EQ(sent[32], 0x03);
    EXPECT_TRUE(std::all_of(sent.begin() + 33, sent.end(), [](uint8_t b) { return b == 0; }));
}

TEST(CommandExchange, SkipsAnswersWithAnotherStatusAndUnsolicitedReports) {
    MemoryMouse mouse;
    mouse.device->SetFirmware([](MemoryHidDevice& d, std::span<const uint8_t> r) {
        d.QueueInput(ConfigReport({0xC2, 0x42}), 1ms);  // a stage change slips in
        d.QueueInput(AnswerTo(r, 0x01, {0x99}), 2ms);
        d.QueueInput(AnswerTo(r, 0x00, {0x07}), 100ms);  // after three time-outs
    });
    const auto result =
        CommandExchange(mouse.interface.get(), BuildReadRequest(Command::kReadLighting));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.answer[4], 0x07);
    // The two reports consumed a read each, then three reads timed out.
    EXPECT_EQ(result.reads, 2 + 3 + 1);
}

TEST(CommandExchange, LinkReportOfALostMouseIsNotTakenForTheAnswer) {
    MemoryMouse mouse;
    mouse.device->SetFirmware([](MemoryHidDevice& d, std::span<const uint8_t> r) {
        // N[1] = 0 stands where an answer has its status.
        d.QueueInput(ConfigReport({0xC0, 0x00, 0x50, 0x00}), 1ms);
        d.QueueInput(AnswerTo(r, 0x00, {0x03}), 2ms);
    });
    const auto result =
        CommandExchange(mouse.interface.get(), BuildReadRequest(Command::kReadReportRate));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.answer[0], 0x12);
    EXPECT_EQ(result.answer[4], 0x03);
    EXPECT_EQ(result.reads, 2);

    InfoBlock block{};
    mouse.device->SetFirmware([](MemoryHidDevice& d, std::span<const uint8_t> r) {
        d.QueueInput(ConfigReport({0xC0, 0x00}), 1ms);
        d.QueueInput(AnswerTo(r, 0x00, {'T', 'M', '0', '1'}), 2ms);
    });
    ASSERT_TRUE(ReadDeviceInfo(*mouse.interface, block));
    EXPECT_EQ(block[0], 0x10);
    EXPECT_EQ(block[4], 'T');
}

TEST(CommandExchange, LateAnswerToTheCommandBeforeIsDropped) {
    // The report-rate read timed out; its answer arrives while the DPI read
    // waits. Taking it would store the rate bytes as the stages.
    MemoryMouse mouse;
    mouse.device->SetFirmware([](MemoryHidDevice& d, std::span<const uint8_t> r) {
        d.QueueInput(ConfigReport({0x12, 0x00, 0x00, 0x01, 0x01}), 1ms);
        d.QueueInput(AnswerTo(r, 0x00, {0x04, 0x10}), 2ms);
    });
    const auto result =
        CommandExchange(mouse.interface.get(), BuildReadRequest(Command::kReadDpiStages));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.answer[0], 0x13);
    EXPECT_EQ(result.answer[4], 0x04);
    EXPECT_EQ(result.reads, 2);

    // With nothing else coming, the stray answer alone is no answer.
    mouse.device->SetFirmware([](MemoryHidDevice& d, std::span<const uint8_t>) {
        d.QueueInput(ConfigReport({0x12, 0x00, 0x00, 0x01, 0x01}), 1ms);
    });
    EXPECT_EQ(
        CommandExchange(mouse.interface.get(), BuildReadRequest(Command::kReadDpiStages)).failure,
        ExchangeFailure::kNoAnswer);
    InfoBlock block{};
    EXPECT_FALSE(ReadDeviceInfo(*mouse.interface, block));
}

TEST(CommandExchange, GivesUpAfterFiftyReads) {
    MemoryMouse mouse;
    mouse.device->SetFirmware([](MemoryHidDevice& d, std::span<const uint8_t> r) {
        d.QueueInput(AnswerTo(r, 0x01, {0x5A}), 5ms);
        // Just after the last of the 50 reads has given up.
        d.QueueInput(AnswerTo(r, 0x00), 5ms + 49 * 30ms + 1ms);
    });
    const auto start = mouse.clock->Now();
    const auto result =
        CommandExchange(mouse.interface.get(), BuildReadRequest(Command::kReadLighting));
    EXPECT_EQ(result.failure, ExchangeFailure::kNoAnswer);
    EXPECT_EQ(result.reads, 50);
    EXPECT_EQ(result.answer[1], 0x01) << "the last report read is kept";
    EXPECT_EQ(result.answer[4], 0x5A);
    EXPECT_LE(mouse.clock->Now() - start, 50 * 30ms);
}

TEST(CommandExchange, FailsWithoutInterfaceOrWhenTheWriteFails) {
    const auto request = BuildReadRequest(Command::kReadIdentity);
    EXPECT_EQ(CommandExchange(nullptr, request).failure, ExchangeFailure::kNoInterface);
    MemoryMouse mouse;
    mouse.AnswerEverything();
    mouse.device->SetWritesFail(true);
    const auto result = CommandExchange(mouse.interface.get(), request);
    EXPECT_EQ(result.failure, ExchangeFailure::kWriteFailed);
    EXPECT_EQ(result.reads, 0);
}

TEST(CommandExchange, ReportTooShortForAStatusIsNoAnswer) {
    // A one-byte report must not pass for status 0.
    MemoryMouse mouse;
    mouse.device->SetFirmware([](MemoryHidDevice& d, std::span<const uint8_t>) {
        d.QueueInput({0x00, 0x12});
        d.QueueInput({0x00, 0x12, 0x00, 0x00, 0x00, 0x21});
    });
    const auto result =
        CommandExchange(mouse.interface.get(), BuildReadRequest(Command::kReadReportRate));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.reads, 2);
    EXPECT_EQ(result.answer.delivered(), 5u);
    EXPECT_EQ(result.answer[4], 0x21);
    EXPECT_EQ(result.answer[20], 0) << "bytes not delivered read as zero";
}

TEST(ReadDeviceInfo, ReadsIdentityIntoTheBlock) {
    MemoryMouse mouse;
    mouse.device->SetFirmware([](MemoryHidDevice& d, std::span<const uint8_t> r) {
        std::vector<uint8_t> payload(40, 0x11);
        d.QueueInput(AnswerTo(r, 0x01, {0xEE}), 1ms);
        d.QueueInput(AnswerTo(r, 0x00, payload), 45ms);
    });
    InfoBlock block;
    block.fill(0xCC);
    ASSERT_TRUE(ReadDeviceInfo(*mouse.interface, block));
    const auto sent = mouse.device->WrittenReports().at(0);
    EXPECT_EQ(sent[1], 0x10);
    EXPECT_EQ(sent[3], 0x00);
    EXPECT_EQ(sent[4], 0x00);
    EXPECT_EQ(block[0], 0x10);
    EXPECT_EQ(block[4], 0x11);
    EXPECT_EQ(block[32], 0x11) << "33 bytes of the answer";
    EXPECT_EQ(block[33], 0x00) << "and zeros after";
}

TEST(ReadDeviceInfo, FailureLeavesAClearedBlock) {
    MemoryMouse mouse;
    mouse.device->SetFirmware([](MemoryHidDevice& d, std::span<const uint8_t> r) {
        d.QueueInput(AnswerTo(r, 0x02, std::vector<uint8_t>(20, 0x77)));
    });
    InfoBlock block;
    block.fill(0xCC);
    EXPECT_FALSE(ReadDeviceInfo(*mouse.interface, block));
    EXPECT_TRUE(std::all_of(block.begin(), block.end(), [](uint8_t b) { return b == 0; }));
    mouse.device->SetWritesFail(true);
    EXPECT_FALSE(ReadDeviceInfo(*mouse.interface, block));
}

}  // namespace
}  // namespace tessaly
