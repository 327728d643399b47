// Reports through the hidapi backend on the mocked kernel's hidraw nodes, as
// the virtual mouse's firmware receives and answers them.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "device/hid_backend_hidapi.h"
#include "device/hid_transport.h"
#include "device/report_framing.h"
#include "mocked_kernel/mocked_mouse.h"

namespace tessaly::test {
namespace {

using emulator::MouseLink;

class MockedReports : public ::testing::Test {
  protected:
    std::unique_ptr<HidInterface> Open(int interface_number) {
        const auto node = mouse.Node(MouseLink::kCable, interface_number);
        EnumerateHidInterfaces();  // the backend opens only what it listed
        return node ? OpenHidInterface(node->DevNode()) : nullptr;
    }
    std::shared_ptr<HidapiBackend> backend = std::make_shared<HidapiBackend>();
    ScopedHidBackend scoped{backend};
    MockedMouse mouse{MockedWirelessMouse(true, false)};
};

struct SettingRow {
    uint8_t code;
    size_t bytes;  // payload bytes the firmware keeps
};
constexpr SettingRow kSettings[] = {{0x02, 1}, {0x03, 25}, {0x04, 18}, {0x05, 10},
                                    {0x06, 5}, {0x07, 4},  {0x09, 27}};

TEST_F(MockedReports, EverySettingIsWrittenAsHidrawCarriesItAndReadBack) {
    auto config = Open(emulator::kConfigInterface);
    ASSERT_TRUE(config);
    for (const SettingRow& row : kSettings) {
        SCOPED_TRACE(row.code);
        CommandRequest write(row.code, RequestLength::kShort);
        write[3] = 0x01;
        write[4] = static_cast<uint8_t>(row.bytes);
        std::vector<uint8_t> payload;
        for (size_t j = 0; j < row.bytes; ++j) {
            payload.push_back(static_cast<uint8_t>(row.code * 7 + j));
            write.SetPayload(j, payload.back());
        }
        ASSERT_TRUE(CommandExchange(config.get(), write).ok());

        // The firmware got one 65-byte report: ID 0, the request, zeros.
        const auto received = mouse.Received(MouseLink::kCable, emulator::kConfigInterface);
        ASSERT_FALSE(received.empty());
        std::vector<uint8_t> expected(write.bytes().begin(), write.bytes().end());
        expected[kChecksumOffset] = RequestChecksum(write.bytes());
        expected.resize(65, 0);
        EXPECT_EQ(received.back(), expected);
        EXPECT_EQ(mouse.Mouse().State().settings.at(row.code), payload);

        const auto read = CommandExchange(
            config.get(),
            CommandRequest(static_cast<uint8_t>(row.code + 0x10), RequestLength::kShort));
        ASSERT_TRUE(read.ok());
        EXPECT_EQ(read.answer[0], row.code + 0x10);
        const auto bytes = read.answer.bytes();
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 4, bytes.begin() + 4 + row.bytes), payload);
    }
}

TEST_F(MockedReports, AReadTimesOutAndTheLateAnswerIsDeliveredByTheNextRead) {
    auto config = Open(emulator::kConfigInterface);
    ASSERT_TRUE(config);
    mouse.Mouse().Script(MouseLink::kCable,
                         emulator::AnswerScript::Late(std::chrono::milliseconds(150)));
    CommandRequest request(0x10, RequestLength::kShort);
    request[kChecksumOffset] = RequestChecksum(request.bytes());
    ASSERT_EQ(config->Write(request.bytes()), 65);
    std::array<uint8_t, 64> answer{};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(config->Read(answer, 30), 0);
    // The time-out is poll's: the read waited for it.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(25));
    ASSERT_EQ(config->Read(answer, 2000), 64) << "hidraw delivers 64 bytes, ID 0 removed";
    EXPECT_EQ(answer[0], 0x10);
    EXPECT_EQ(answer[1], 0x00);
}

TEST_F(MockedReports, TheUpgradeInterfaceCarriesReportId5BothWays) {
    auto upgrade = Open(emulator::kUpgradeInterface);
    ASSERT_TRUE(upgrade);
    EXPECT_EQ(upgrade->InputReportLength(), 64u);
    EXPECT_EQ(upgrade->OutputReportLength(), 64u);
    const std::vector<uint8_t> report = {0x05, 0xA0, 0x01, 0x02};
    ASSERT_EQ(upgrade->Write(report), 64);
    const auto received = mouse.Received(MouseLink::kCable, emulator::kUpgradeInterface);
    ASSERT_EQ(received.size(), 1u);
    std::vector<uint8_t> padded = report;
    padded.resize(64, 0);
    EXPECT_EQ(received[0], padded);
    EXPECT_EQ(mouse.Node(MouseLink::kCable, emulator::kUpgradeInterface)->Written(), received);

    std::vector<uint8_t> input(64, 0x33);
    input[0] = 0x05;
    mouse.Mouse().Device(MouseLink::kCable, emulator::kUpgradeInterface)->QueueInput(input);
    std::array<uint8_t, 64> got{};
    ASSERT_EQ(upgrade->Read(got, 2000), 64);
    EXPECT_EQ(std::vector<uint8_t>(got.begin(), got.end()), input) << "numbered: kept whole";
}

TEST_F(MockedReports, AnUnplugInTheMiddleOfACommandFailsItAndEveryLaterCall) {
    auto config = Open(emulator::kConfigInterface);
    ASSERT_TRUE(config);
    mouse.Mouse().SetSilent(MouseLink::kCable, true);
    ExchangeResult result;
    std::thread command([&] {
        result = CommandExchange(config.get(), CommandRequest(0x10, RequestLength::kShort));
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    mouse.Unplug(MouseLink::kCable);
    command.join();
    EXPECT_EQ(result.failure, ExchangeFailure::kNoAnswer);
    std::array<uint8_t, 64> buffer{};
    EXPECT_EQ(config->Read(buffer, 1000), -1) << "a failure, not a time-out";
    EXPECT_EQ(config->LastError(), "Input/output error");
    EXPECT_EQ(config->Write(std::vector<uint8_t>{0x00, 0x10}), -1);
    EXPECT_TRUE(EnumerateHidInterfaces().empty());
}

}  // namespace
}  // namespace tessaly::test
