#include "device/hid_transport.h"

#include <gtest/gtest.h>

#include <thread>

#include "device/hid_backend_hidapi.h"
#include "device/hid_backend_memory.h"
#include "memory_mouse.h"

namespace tessaly {
namespace {

using namespace std::chrono_literals;
using test::ConfigInfo;
using test::ConfigReport;
using test::MemoryMouse;

TEST(HidTransport, ShortWriteIsPaddedWithZerosToTheOutputLength) {
    MemoryMouse mouse;
    std::vector<uint8_t> request(33, 0xAB);
    request[0] = 0x00;
    EXPECT_EQ(mouse.interface->Write(request), 65);
    const auto written = mouse.device->WrittenReports();
    ASSERT_EQ(written.size(), 1u);
    ASSERT_EQ(written[0].size(), 65u);
    EXPECT_TRUE(std::equal(request.begin(), request.end(), written[0].begin()));
    EXPECT_TRUE(
        std::all_of(written[0].begin() + 33, written[0].end(), [](uint8_t b) { return b == 0; }));
}

TEST(HidTransport, WritesThatCannotBeSentFail) {
    MemoryMouse mouse;
    EXPECT_EQ(mouse.interface->Write(std::vector<uint8_t>(66, 0)), -1);
    EXPECT_EQ(mouse.interface->Write(std::span<const uint8_t>()), -1);
    mouse.device->SetWritesFail(true);
    EXPECT_EQ(mouse.interface->Write(std::vector<uint8_t>(33, 0)), -1);
    EXPECT_FALSE(mouse.interface->LastError().empty());
    EXPECT_TRUE(mouse.device->WrittenReports().empty());
}

TEST(HidTransport, ReportIdZeroIsRemovedAndOtherIdsAreKept) {
    MemoryMouse mouse;
    mouse.device->QueueInput(ConfigReport({0x10, 0x00, 0x07}));
    std::vector<uint8_t> upgrade(64, 0xEE);
    upgrade[0] = kUpgradeReportId;
    mouse.device->QueueInput(upgrade);

    std::array<uint8_t, 65> buffer{};
    ASSERT_EQ(mouse.interface->Read(buffer, 30), 64);
    EXPECT_EQ(buffer[0], 0x10);
    EXPECT_EQ(buffer[1], 0x00);
    EXPECT_EQ(buffer[2], 0x07);
    ASSERT_EQ(mouse.interface->Read(buffer, 30), 64);
    EXPECT_EQ(buffer[0], 0x05);
    EXPECT_EQ(buffer[63], 0xEE);
}

TEST(HidTransport, ShortReadCutsTheReportAndDropsItsRest) {
    MemoryMouse mouse;
    std::vector<uint8_t> data(64);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i + 1);
    mouse.device->QueueInput(ConfigReport(data));
    mouse.device->QueueInput(ConfigReport({0xC2, 0x42}));

    std::array<uint8_t, 65> buffer{};
    ASSERT_EQ(mouse.interface->Read(std::span(buffer).first(33), 30), 33);
    EXPECT_EQ(buffer[0], 1);
    EXPECT_EQ(buffer[32], 33);
    EXPECT_EQ(buffer[33], 0) << "nothing past the caller's length is written";
    // The next read starts a new report, not the rest of the cut one.
    ASSERT_EQ(mouse.interface->Read(std::span(buffer).first(33), 30), 33);
    EXPECT_EQ(buffer[0], 0xC2);
}

TEST(HidTransport, AnswerAfterATimedOutReadIsDeliveredByTheNextRead) {
    MemoryMouse mouse;
    mouse.device->QueueInput(ConfigReport({0x10, 0x00}), 40ms);
    std::array<uint8_t, 33> buffer{};
    const auto start = mouse.clock->Now();
    EXPECT_EQ(mouse.interface->Read(buffer, 30), 0);
    EXPECT_EQ(mouse.clock->Now() - start, 30ms);
    EXPECT_EQ(mouse.interface->Read(buffer, 30), 33);
    EXPECT_EQ(buffer[0], 0x10);
    EXPECT_EQ(mouse.clock->Now() - start, 40ms) << "delivered on arrival, not at the time-out";
}

TEST(HidTransport, LateAnswerIsKeptWithTheRealClock) {
    auto backend = std::make_shared<MemoryHidBackend>();
    auto device = backend->AddDevice({ConfigInfo(), 65, 65});
    HidInterface interface(backend, backend->Open("mem:config"), "mem:config");
    // Well after the 30 ms time-out, so a slow start of the first read on a
    // loaded machine cannot pick the answer up early.
    device->QueueInput(ConfigReport({0x10}), 150ms);
    std::array<uint8_t, 33> buffer{};
    EXPECT_EQ(interface.Read(buffer, 30), 0);
    EXPECT_EQ(interface.Read(buffer, 2000), 33);
    EXPECT_EQ(buffer[0], 0x10);
}

TEST(HidTransportConcurrency, ReportFromAnotherThreadWakesAWaitingRead) {
    auto backend = std::make_shared<MemoryHidBackend>();
    auto device = backend->AddDevice({ConfigInfo(), 65, 65});
    HidInterface interface(backend, backend->Open("mem:config"), "mem:config");
    std::thread sender([&] {
        std::this_thread::sleep_for(5ms);
        device->QueueInput(ConfigReport({0xC2, 0x13}));
    });
    std::array<uint8_t, 65> buffer{};
    EXPECT_EQ(interface.Read(buffer, 5000), 64);
    sender.join();
    EXPECT_EQ(buffer[1], 0x13);
}

TEST(HidTransportConcurrency, InterruptEndsAWaitingReadAndKeepsReports) {
    auto backend = std::make_shared<MemoryHidBackend>();
    auto device = backend->AddDevice({ConfigInfo(), 65, 65});
    HidInterface interface(backend, backend->Open("mem:config"), "mem:config");
    std::thread stopper([&] {
        std::this_thread::sleep_for(5ms);
        interface.InterruptRead();
    });
    std::array<uint8_t, 65> buffer{};
    const auto start = std::chrono::steady_clock::now();
    // Without the interrupt this read would wait forever.
    EXPECT_EQ(interface.Read(buffer, -1), 0);
    stopper.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s);

    // An interrupt with no read waiting ends the next one, once; a report
    // already there is still delivered first.
    interface.InterruptRead();
    device->QueueInput(ConfigReport({0xC2, 0x02}));
    EXPECT_EQ(interface.Read(buffer, 0), 64);
    EXPECT_EQ(interface.Read(buffer, 5000), 0);
    device->QueueInput(ConfigReport({0xC2, 0x03}), 20ms);
    EXPECT_EQ(interface.Read(buffer, 5000), 64);
    EXPECT_EQ(buffer[1], 0x03);
}

TEST(HidTransport, InterruptReachesOnlyItsOwnHandle) {
    MemoryMouse mouse;
    HidInterface second(mouse.backend, mouse.backend->Open("mem:config"), "mem:config");
    second.InterruptRead();
    mouse.device->QueueInput(ConfigReport({0xC0, 0x01}), 10ms);
    std::array<uint8_t, 65> buffer{};
    EXPECT_EQ(second.Read(buffer, 100), 0);
    EXPECT_EQ(mouse.interface->Read(buffer, 100), 64);
    EXPECT_EQ(second.Read(buffer, 100), 64);
}

TEST(HidTransport, EachOpenHandleHasItsOwnQueue) {
    MemoryMouse mouse;
    HidInterface second(mouse.backend, mouse.backend->Open("mem:config"), "mem:config");
    EXPECT_EQ(mouse.device->OpenHandles(), 2);
    mouse.device->QueueInput(ConfigReport({0xC0, 0x01}));
    std::array<uint8_t, 65> buffer{};
    EXPECT_EQ(mouse.interface->Read(buffer, 0), 64);
    EXPECT_EQ(second.Read(buffer, 0), 64);
    EXPECT_EQ(second.Read(buffer, 0), 0);
    mouse.interface.reset();
    EXPECT_EQ(mouse.device->OpenHandles(), 1);
}

TEST(HidTransport, UnpluggedDeviceFailsAndLeavesTheEnumeration) {
    MemoryMouse mouse;
    ASSERT_TRUE(mouse.backend->RemoveDevice("mem:config"));
    std::array<uint8_t, 65> buffer{};
    EXPECT_EQ(mouse.interface->Read(buffer, 30), -1);
    EXPECT_EQ(mouse.interface->Write(std::vector<uint8_t>(33, 0)), -1);
    EXPECT_EQ(mouse.interface->LastError(), "device removed");
    EXPECT_TRUE(mouse.backend->Enumerate().empty());
    EXPECT_EQ(mouse.backend->Open("mem:config"), nullptr);
}

TEST(HidTransport, ManualClockRefusesToWaitForever) {
    MemoryMouse mouse;
    std::array<uint8_t, 65> buffer{};
    EXPECT_EQ(mouse.interface->Read(buffer, -1), -1);
    mouse.device->QueueInput(ConfigReport({0x01}), 500ms);
    EXPECT_EQ(mouse.interface->Read(buffer, -1), 64);
}

TEST(HidTransport, ProcessWideBackendIsInjectedForOneScope) {
    auto backend = std::make_shared<MemoryHidBackend>();
    backend->AddDevice({ConfigInfo("mem:a"), 65, 65});
    auto pointer = ConfigInfo("mem:pointer");
    pointer.usage_page = 0x0001;
    pointer.usage = 0x0002;
    backend->AddDevice({pointer, 5, 0});
    auto upgrade = ConfigInfo("mem:upgrade");
    upgrade.usage_page = kUpgradeUsagePage;
    upgrade.usage = kUpgradeUsage;
    backend->AddDevice({upgrade, 64, 64});
    {
        ScopedHidBackend scope(backend);
        EXPECT_EQ(EnumerateHidInterfaces().size(), 3u);
        EXPECT_TRUE(IsConfigurationInterface("mem:a"));
        EXPECT_FALSE(IsConfigurationInterface("mem:pointer"));
        EXPECT_FALSE(IsConfigurationInterface("mem:upgrade"));
        EXPECT_FALSE(IsConfigurationInterface("mem:absent"));
        auto opened = OpenHidInterface("mem:a");
        ASSERT_NE(opened, nullptr);
        EXPECT_EQ(opened->InputReportLength(), 65u);
        EXPECT_EQ(OpenHidInterface("mem:absent"), nullptr);
    }
    EXPECT_NE(ActiveHidBackend(), backend);
}

TEST(HidTransport, ConfigurationCollectionsByUsage) {
    EXPECT_TRUE(IsConfigurationCollection(0x0001, 0x0000));
    EXPECT_TRUE(IsConfigurationCollection(0xFF01, 0x0010));
    EXPECT_FALSE(IsConfigurationCollection(0x0001, 0x0002));
    EXPECT_FALSE(IsConfigurationCollection(0xFF01, 0x0000));
    EXPECT_FALSE(IsConfigurationCollection(0xFFEF, 0x0000));
    EXPECT_TRUE(IsUpgradeCollection(0xFFEF, 0x0000));
}

TEST(HidapiBackend, OpensOnlyPathsItEnumerated) {
    // hid_open_path must never see a path that is not a hidraw device.
    HidapiBackend backend("/nonexistent-sysfs");
    EXPECT_EQ(backend.Open("/dev/null"), nullptr);
    EXPECT_EQ(backend.LastOpenError(), "not an enumerated HID interface");
    // Without descriptors nothing is listed, whatever hidapi finds.
    EXPECT_TRUE(backend.Enumerate().empty());
    EXPECT_EQ(backend.Open("/dev/hidraw0"), nullptr);
}

TEST(HidapiBackend, ErrorTextsAreCutAtTheFirstLineBreak) {
    EXPECT_EQ(HidErrorText(L"Device busy\r\nmore"), "Device busy");
    EXPECT_EQ(HidErrorText(L"caf\u00e9 \u4e2d"), "caf\xc3\xa9 \xe4\xb8\xad");
    EXPECT_EQ(HidErrorText(nullptr), "");
}

}  // namespace
}  // namespace tessaly
