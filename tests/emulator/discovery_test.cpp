// Discovery against the virtual mouse: which interfaces are found and
// identified, where commands go, and the trace lines it writes.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "base/trace.h"
#include "device/commands/command_builders.h"
#include "device/device_manager.h"
#include "device/hid_trace.h"
#include "support/temp_dir.h"
#include "virtual_mouse_fixture.h"

namespace tessaly::emulator::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr int kType = 3;

std::vector<std::string> Lines(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class DiscoveryTest : public ::testing::Test {
  protected:
    explicit DiscoveryTest(bool cable = true, bool receiver = false)
        : rig_(TestConfig(cable, receiver)) {
        manager_.SetPause([this](std::chrono::milliseconds pause) { pauses_.push_back(pause); });
        manager_.AddIdentity({kVendor, kCableProduct, kType, 0, u"TM01"});
        manager_.AddIdentity({kVendor, kReceiverProduct, kType, 1, u"TM01"});
    }
    void Discover() {
        SetTraceFile(trace_.string());
        manager_.EnumerateDevice();
        manager_.SetOpened(true);
        SetTraceFile("");
        manager_.SetSelectedType(kType);
    }
    // The trace's messages, without time and level.
    std::vector<std::string> TraceLines() const {
        std::vector<std::string> messages;
        for (const auto& line : Lines(trace_))
            messages.push_back(line.substr(line.find("] ") + 2));
        return messages;
    }
    bool Written(MouseLink link, uint8_t command) const {
        for (const auto& report : rig_.mouse->Device(link, kConfigInterface)->WrittenReports()) {
            if (report[1] == command)
                return true;
        }
        return false;
    }

    tessaly::test::TempDir dir_;
    std::filesystem::path trace_ = dir_.path() / "trace.log";
    VirtualMouseRig rig_;
    ScopedHidBackend scoped_{rig_.backend};
    DeviceManager manager_;
    std::vector<std::chrono::milliseconds> pauses_;
};

TEST_F(DiscoveryTest, CableOnly) {
    Discover();
    ASSERT_EQ(manager_.Entries().size(), 1u);
    const DeviceEntry& entry = *manager_.Entries()[0];
    EXPECT_EQ(entry.device_type, kType);
    EXPECT_EQ(entry.device_id, u"TM01");
    EXPECT_EQ(entry.version, 0x0105u);
    EXPECT_EQ(entry.path, rig_.mouse->Path(MouseLink::kCable, kConfigInterface));
    EXPECT_EQ(manager_.ConnectionKind(), kConnectionCable);
    EXPECT_EQ(manager_.CurrentInterface(), entry.interface.get());
    EXPECT_THAT(
        TraceLines(),
        ElementsAre("========== EnumerateDevice Start ==========",
                    "Step 1: Quick scan - collecting basic device info",
                    "  Found [0]: VID=0x1A2B, PID=0x0A01, Mode=USB",
                    "Step 2: USB device found, SKIP reading 2.4G details (reduce HID "
                    "traffic)",
                    "  [0] USB device - reading details...", "  [0] DeviceId: TM01, DeviceType: 3",
                    "  [0] Final: VID=0x1A2B, PID=0x0A01, Type=3, Mode=0",
                    "========== EnumerateDevice Complete! Total=1, HasUSB=YES =========="));
}

class ReceiverDiscoveryTest : public DiscoveryTest {
  protected:
    ReceiverDiscoveryTest() : DiscoveryTest(false, true) {}
};

TEST_F(ReceiverDiscoveryTest, ReceiverOnlyWithTheMouseOn) {
    Discover();
    ASSERT_EQ(manager_.Entries().size(), 1u);
    EXPECT_EQ(manager_.Entries()[0]->device_type, kType);
    EXPECT_EQ(manager_.Entries()[0]->info[14], 1);
    EXPECT_EQ(manager_.ConnectionKind(), kConnectionReceiver);
    EXPECT_NE(manager_.CurrentInterface(), nullptr);
    EXPECT_THAT(TraceLines(),
                ElementsAre("========== EnumerateDevice Start ==========",
                            "Step 1: Quick scan - collecting basic device info",
                            "  Found [0]: VID=0x1A2B, PID=0x0FA0, Mode=2.4G",
                            "Step 2: No USB device, will read 2.4G device details",
                            "  [0] 2.4G state: Online", "  [0] 2.4G device - reading details...",
                            "  [0] DeviceId: TM01, DeviceType: 3",
                            "  [0] Final: VID=0x1A2B, PID=0x0FA0, Type=3, Mode=1",
                            "========== EnumerateDevice Complete! Total=1, HasUSB=NO =========="));
}

TEST_F(ReceiverDiscoveryTest, ReceiverOnlyWithTheMouseOffStillAnswersItsIdentity) {
    // Its link report reaches no handle: none is open yet.
    rig_.mouse->SwitchMouse(false);
    Discover();
    ASSERT_EQ(manager_.Entries().size(), 1u);
    EXPECT_EQ(manager_.Entries()[0]->device_type, kType);
    EXPECT_EQ(manager_.Entries()[0]->info[14], 0) << "the mouse is not reachable";
}

TEST_F(ReceiverDiscoveryTest, SilentReceiverIsReadTwiceAndStaysUnidentified) {
    rig_.mouse->SetSilent(MouseLink::kReceiver, true);
    Discover();
    ASSERT_EQ(manager_.Entries().size(), 1u);
    EXPECT_EQ(manager_.Entries()[0]->device_type, 0);
    EXPECT_THAT(pauses_, ElementsAre(std::chrono::milliseconds(500)));
    EXPECT_EQ(rig_.mouse->Device(MouseLink::kReceiver, kConfigInterface)->WrittenReports().size(),
              2u);
    EXPECT_EQ(manager_.ConnectionKind(), -1);
    EXPECT_EQ(manager_.CurrentInterface(), nullptr);
    const auto lines = TraceLines();
    EXPECT_THAT(lines, ::testing::Not(::testing::Contains(HasSubstr("DeviceId"))));
    EXPECT_THAT(lines, ::testing::Contains("  [0] Final: VID=0x1A2B, PID=0x0FA0, Type=0, Mode=1"));
}

class BothLinksDiscoveryTest : public DiscoveryTest {
  protected:
    BothLinksDiscoveryTest() : DiscoveryTest(true, true) {}
};

TEST_F(BothLinksDiscoveryTest, OnlyTheCableIsIdentifiedAndCommandsGoToIt) {
    Discover();
    ASSERT_EQ(manager_.Entries().size(), 2u);
    EXPECT_EQ(manager_.Entries()[0]->device_type, kType);
    EXPECT_EQ(manager_.Entries()[1]->device_type, 0);
    EXPECT_EQ(manager_.Entries()[1]->state, kStateOnline);
    EXPECT_FALSE(Written(MouseLink::kReceiver, 0x10)) << "the receiver is not asked";
    EXPECT_EQ(manager_.ConnectionKind(), kConnectionCable);
    EXPECT_TRUE(manager_.Exchange(BuildReportRate(2)).ok());
    EXPECT_TRUE(Written(MouseLink::kCable, 0x02));
    EXPECT_FALSE(Written(MouseLink::kReceiver, 0x02));
    EXPECT_EQ(manager_.CurrentIds()->product_id, kCableProduct);
    EXPECT_THAT(
        TraceLines(),
        ElementsAre("========== EnumerateDevice Start ==========",
                    "Step 1: Quick scan - collecting basic device info",
                    "  Found [0]: VID=0x1A2B, PID=0x0A01, Mode=USB",
                    "  Found [1]: VID=0x1A2B, PID=0x0FA0, Mode=2.4G",
                    "Step 2: USB device found, SKIP reading 2.4G details (reduce HID "
                    "traffic)",
                    "  [0] USB device - reading details...", "  [0] DeviceId: TM01, DeviceType: 3",
                    "  [0] Final: VID=0x1A2B, PID=0x0A01, Type=3, Mode=0",
                    "  [1] 2.4G device - SKIP (USB exists)",
                    "  [1] Final: VID=0x1A2B, PID=0x0FA0, Type=0, Mode=1",
                    "========== EnumerateDevice Complete! Total=2, HasUSB=YES =========="));
}

TEST_F(BothLinksDiscoveryTest, ExchangeFailsUntilOpenedAndAfterCloseAll) {
    manager_.EnumerateDevice();
    manager_.SetSelectedType(kType);
    EXPECT_EQ(manager_.Exchange(BuildReportRate(2)).failure, ExchangeFailure::kNoInterface);
    manager_.SetOpened(true);
    EXPECT_TRUE(manager_.Exchange(BuildReportRate(2)).ok());
    manager_.CloseAll();
    EXPECT_TRUE(manager_.Entries().empty());
    EXPECT_EQ(manager_.Exchange(BuildReportRate(2)).failure, ExchangeFailure::kNoInterface);
    EXPECT_EQ(rig_.mouse->Device(MouseLink::kCable, kConfigInterface)->OpenHandles(), 0);
}

TEST_F(ReceiverDiscoveryTest, TwoReceiversOfOneTypeOnlyTheFirstIsConsidered) {
    auto config = TestConfig(false, true);
    config.name = "second";
    VirtualMouse second(rig_.backend, config);
    Discover();
    ASSERT_EQ(manager_.Entries().size(), 2u);
    EXPECT_EQ(manager_.Entries()[1]->device_type, kType);
    EXPECT_EQ(manager_.CurrentInterface(), manager_.Entries()[0]->interface.get());

    manager_.Entries()[0]->state = kStateOffline;
    manager_.ClearCurrentInterface();
    EXPECT_EQ(manager_.CurrentInterface(), nullptr) << "the online second one is not tried";
}

TEST_F(DiscoveryTest, IdentityWithoutDeviceIdGivesType101WhateverTheAnswer) {
    manager_.ClearIdentities();
    manager_.AddIdentity({kVendor, kCableProduct, kType, 0, u""});
    Discover();
    ASSERT_EQ(manager_.Entries().size(), 1u);
    EXPECT_EQ(manager_.Entries()[0]->device_type, kUnnamedDeviceType);
    EXPECT_EQ(manager_.Entries()[0]->device_id, u"TM01");
}

TEST_F(DiscoveryTest, SameIdsWithOtherDeviceIdsTheMatchingOneWins) {
    manager_.ClearIdentities();
    manager_.AddIdentity({kVendor, kCableProduct, 5, 0, u"XX99"});
    manager_.AddIdentity({kVendor, kCableProduct, 7, 0, u"TM01"});
    Discover();
    EXPECT_EQ(manager_.Entries()[0]->device_type, 7);

    EXPECT_EQ(manager_.TypeOf(kVendor, kCableProduct, u"NONE"), 0);
    manager_.ClearIdentities();
    manager_.AddIdentity({kVendor, kCableProduct, 5, 0, u"AB"});
    manager_.AddIdentity({kVendor, kCableProduct, 7, 0, u"TM01"});
    EXPECT_EQ(manager_.TypeOf(kVendor, kCableProduct, u"TM01"), kUnnamedDeviceType)
        << "an earlier short device id ends the search";
}

TEST_F(DiscoveryTest, HidTraceShowsTheIdentityRequestAndItsAnswer) {
    const auto hid_trace = dir_.path() / "hid.log";
    ASSERT_TRUE(SetHidTraceFile(hid_trace.string()));
    Discover();
    SetHidTraceFile("");
    const auto lines = Lines(hid_trace);
    ASSERT_GE(lines.size(), 2u);
    const std::string path = rig_.mouse->Path(MouseLink::kCable, kConfigInterface);
    EXPECT_THAT(lines[0], HasSubstr(" W " + path + " 00 10 00 "));
    EXPECT_THAT(lines[1], HasSubstr(" R " + path + " 10 00 00 0B 54 4D 30 31 "));
}

}  // namespace
}  // namespace tessaly::emulator::test
