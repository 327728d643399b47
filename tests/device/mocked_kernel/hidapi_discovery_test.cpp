// The hidapi backend and discovery on hidraw nodes of the mocked kernel:
// what is listed, what is kept, what opens and why an open fails.

#include <grp.h>
#include <gtest/gtest.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "base/trace.h"
#include "device/device_manager.h"
#include "device/hid_backend_hidapi.h"
#include "device/hid_transport.h"
#include "mocked_kernel/mocked_mouse.h"
#include "support/temp_dir.h"

namespace tessaly::test {
namespace {

using emulator::MouseLink;

class MockedDiscovery : public ::testing::Test {
  protected:
    void Identify() {
        manager.AddIdentity({kMockedVendor, kMockedCableProduct, 1007, 0, u"TX7W"});
        manager.AddIdentity({kMockedVendor, kMockedReceiverProduct, 1007, 1, u"TX7W"});
        manager.SetPause([](std::chrono::milliseconds) {});
    }
    std::shared_ptr<HidapiBackend> backend = std::make_shared<HidapiBackend>();
    ScopedHidBackend scoped{backend};
    DeviceManager manager;
};

TEST_F(MockedDiscovery, EveryTopLevelCollectionOfCableAndReceiverIsListedOnce) {
    MockedMouse mouse(MockedWirelessMouse(true, true));
    auto entries = backend->Enumerate();
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.path < b.path; });
    // Three interfaces each; the pointer's nested Pointer collection is not one.
    const std::vector<HidInterfaceInfo> expected = {
        {"/dev/hidraw0", kMockedVendor, kMockedCableProduct, 0x0105, 0x0001, 0x0002, 0},
        {"/dev/hidraw1", kMockedVendor, kMockedCableProduct, 0x0105, 0xFFEF, 0x0000, 1},
        {"/dev/hidraw2", kMockedVendor, kMockedCableProduct, 0x0105, 0xFF01, 0x0010, 2},
        {"/dev/hidraw3", kMockedVendor, kMockedReceiverProduct, 0x0105, 0x0001, 0x0002, 0},
        {"/dev/hidraw4", kMockedVendor, kMockedReceiverProduct, 0x0105, 0xFFEF, 0x0000, 1},
        {"/dev/hidraw5", kMockedVendor, kMockedReceiverProduct, 0x0105, 0xFF01, 0x0010, 2},
    };
    EXPECT_EQ(entries, expected);
}

TEST_F(MockedDiscovery, KeepsOnlyTheConfigurationInterfacesAndIdentifiesTheCable) {
    MockedMouse mouse(MockedWirelessMouse(true, true));
    Identify();
    manager.EnumerateDevice();
    ASSERT_EQ(manager.Entries().size(), 2u);
    const DeviceEntry& cable = *manager.Entries()[0];
    const DeviceEntry& receiver = *manager.Entries()[1];
    EXPECT_EQ(cable.path, "/dev/hidraw2");
    EXPECT_EQ(cable.connection_mode, kConnectionCable);
    EXPECT_EQ(cable.device_type, 1007);
    EXPECT_EQ(cable.device_id, u"TX7W");
    EXPECT_EQ(cable.version, 0x0105u);
    EXPECT_EQ(cable.interface->InputReportLength(), 65u);
    EXPECT_EQ(cable.interface->OutputReportLength(), 65u);
    EXPECT_EQ(receiver.path, "/dev/hidraw5");
    EXPECT_EQ(receiver.device_type, 0) << "a receiver beside a cable is not asked";
    EXPECT_TRUE(manager.Unopened().empty());
    // The identity read went over hidraw as a padded 65-byte report, ID 0 first.
    const auto received = mouse.Received(MouseLink::kCable, emulator::kConfigInterface);
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received[0].size(), 65u);
    EXPECT_EQ(received[0][0], 0x00);
    EXPECT_EQ(received[0][1], 0x10);
    EXPECT_TRUE(
        std::all_of(received[0].begin() + 33, received[0].end(), [](uint8_t b) { return b == 0; }));
    EXPECT_TRUE(mouse.Received(MouseLink::kReceiver, emulator::kConfigInterface).empty());
}

TEST_F(MockedDiscovery, TheReceiverAloneIsIdentified) {
    MockedMouse mouse(MockedWirelessMouse(false, true));
    Identify();
    manager.EnumerateDevice();
    ASSERT_EQ(manager.Entries().size(), 1u);
    EXPECT_EQ(manager.Entries()[0]->connection_mode, kConnectionReceiver);
    EXPECT_EQ(manager.Entries()[0]->device_type, 1007);
}

// hidapi names a collection by the last Usage before it and gives 0/0 to one
// without a Usage; neither may hide a configuration interface.
TEST_F(MockedDiscovery, ConfigurationCollectionsAreKeptWhateverUsagesHidapiReads) {
    HidrawTestbed testbed;
    const std::vector<uint8_t> body = {0xA1, 0x01, 0x75, 0x08, 0x95, 0x40, 0x81,
                                       0x02, 0x95, 0x40, 0x91, 0x02, 0xC0};
    auto with = [&](std::vector<uint8_t> head) {
        head.insert(head.end(), body.begin(), body.end());
        return head;
    };
    UsbHidDeviceSpec shape;
    shape.vendor_id = kMockedVendor;
    shape.product_id = kMockedCableProduct;
    shape.product = "No Usage";
    // Usage page 0x0001 and no Usage item: the first configuration form.
    shape.interfaces = {{2, with({0x05, 0x01})}};
    testbed.Plug(shape);
    shape.port = 2;
    shape.product_id = kMockedReceiverProduct;
    // Two Usages: the collection's is the first (0x10), hidapi takes 0x01.
    shape.interfaces = {{2, with({0x06, 0x01, 0xFF, 0x09, 0x10, 0x09, 0x01})}};
    testbed.Plug(shape);

    const auto entries = backend->Enumerate();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].usage_page, kConfigUsagePage);
    EXPECT_EQ(entries[0].usage, kConfigUsage);
    EXPECT_EQ(entries[1].usage_page, kConfigVendorUsagePage);
    EXPECT_EQ(entries[1].usage, kConfigVendorUsage);
    Identify();
    manager.EnumerateDevice();
    EXPECT_EQ(manager.Entries().size(), 2u);
}

TEST_F(MockedDiscovery, AnOpenThatHidapiGivesNoReasonForNamesTheNodesErrno) {
    MockedMouse mouse(MockedWirelessMouse(true, false));
    mouse.Node(MouseLink::kCable, emulator::kConfigInterface)->FailIoctl(HIDIOCGRDESCSIZE, EIO);
    TempDir dir;
    const auto trace = dir.path() / "trace.log";
    ASSERT_TRUE(SetTraceFile(trace.string()));
    Identify();
    manager.EnumerateDevice();
    SetTraceFile("");
    EXPECT_TRUE(manager.Entries().empty());
    ASSERT_EQ(manager.Unopened().size(), 1u);
    const UnopenedInterface& unopened = manager.Unopened()[0];
    EXPECT_EQ(unopened.path, "/dev/hidraw2");
    EXPECT_FALSE(unopened.denied);
    EXPECT_EQ(unopened.error, "HIDIOCGRDESCSIZE: Input/output error");
    EXPECT_NE(dir.Read("trace.log")
                  .find("  Cannot open VID=0x1A2B, PID=0x7001 at /dev/hidraw2: "
                        "HIDIOCGRDESCSIZE: Input/output error\n"),
              std::string::npos);
}

// What an unprivileged user meets on a node without the udev rule, found
// by a child process under uid 65534 when the tests run as root.
struct OpenOutcome {
    bool opened = false;
    bool denied = false;
    std::string error;
};

OpenOutcome OpenAsUser(HidapiBackend& backend, const std::string& path) {
    backend.Enumerate();
    auto connection = backend.Open(path);
    return {connection != nullptr, backend.LastOpenDenied(), backend.LastOpenError()};
}

OpenOutcome OpenAsNobody(const std::string& path) {
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        // The copy of the parent's heap is not the child's to free: leave
        // without the leak check that _exit would run.
        auto leave = [](int code) { syscall(SYS_exit_group, code); };
        close(pipe_fds[0]);
        if (setgroups(0, nullptr) != 0 || setresgid(65534, 65534, 65534) != 0 ||
            setresuid(65534, 65534, 65534) != 0) {
            const std::string text =
                std::string("00cannot become uid 65534: ") + std::strerror(errno);
            [[maybe_unused]] const auto written = write(pipe_fds[1], text.data(), text.size());
            leave(3);
        }
        HidapiBackend backend;
        const OpenOutcome outcome = OpenAsUser(backend, path);
        const std::string text =
            std::string(outcome.opened ? "1" : "0") + (outcome.denied ? "1" : "0") + outcome.error;
        [[maybe_unused]] const auto written = write(pipe_fds[1], text.data(), text.size());
        leave(0);
    }
    close(pipe_fds[1]);
    std::string text;
    char buffer[256];
    for (ssize_t got; (got = read(pipe_fds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<size_t>(got));
    close(pipe_fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (text.size() < 2)
        return {};
    return {text[0] == '1', text[1] == '1', text.substr(2)};
}

TEST_F(MockedDiscovery, ANodeTheUserMayNotOpenIsReportedAsDenied) {
    MockedMouse mouse(MockedWirelessMouse(true, false));
    const auto node = mouse.Node(MouseLink::kCable, emulator::kConfigInterface);
    mouse.Testbed().SetNodeMode(node->DevNode(), 0);
    const OpenOutcome outcome =
        getuid() == 0 ? OpenAsNobody(node->DevNode()) : OpenAsUser(*backend, node->DevNode());
    EXPECT_FALSE(outcome.opened);
    EXPECT_TRUE(outcome.denied);
    EXPECT_NE(outcome.error.find("Permission denied"), std::string::npos) << outcome.error;
}

}  // namespace
}  // namespace tessaly::test
