#include "controller/device_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "base/unicode.h"
#include "device/hid_backend.h"
#include "device/hid_transport.h"
#include "device/report_framing.h"
#include "platform/folders.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

const std::u16string kShippedConfig = FromUtf8(std::string(TESSALY_BINARY_DIR) + "/config.xml");

TEST(DeviceSession, EmulatesTheFirstWirelessModelBehindItsReceiver) {
    const auto config = EmulatedModelConfig(kShippedConfig);
    ASSERT_TRUE(config.has_value());
    EXPECT_EQ(config->cable.product_id, 0x7001);
    EXPECT_EQ(config->receiver.product_id, 0x7002);
    EXPECT_FALSE(config->cable.plugged);
    EXPECT_TRUE(config->receiver.plugged);
    EXPECT_EQ(config->identity.device_id, (std::array<uint8_t, 4>{'T', 'X', '7', 'W'}));
    EXPECT_FALSE(EmulatedModelConfig(u"/nonexistent/config.xml").has_value());
}

TEST(DeviceSession, EmulationReplacesTheDevicesAndTracesTheTraffic) {
    test::TempDir temp;
    SetProgramFolderOverride(FromUtf8(std::string(TESSALY_BINARY_DIR) + "/"));
    const std::string trace = (temp.path() / "hid.log").string();
    CommandLine line;
    line.emulate = true;
    line.hid_trace_file = trace;
    {
        DeviceSession session(line);
        ASSERT_EQ(session.Error(), "");
        ASSERT_NE(session.Mouse(), nullptr);
        bool receiver_listed = false;
        for (const HidInterfaceInfo& info : ActiveHidBackend()->Enumerate()) {
            receiver_listed = receiver_listed || info.product_id == 0x7002;
        }
        EXPECT_TRUE(receiver_listed);
        auto mouse = OpenHidInterface(
            session.Mouse()->Path(emulator::MouseLink::kReceiver, emulator::kConfigInterface));
        ASSERT_NE(mouse, nullptr);
        InfoBlock info{};
        EXPECT_TRUE(ReadDeviceInfo(*mouse, info));
    }
    SetProgramFolderOverride(u"");
    std::ifstream in(trace);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find(" W "), std::string::npos);
    EXPECT_NE(text.str().find(" R "), std::string::npos);
}

TEST(DeviceSession, AnUnwritableTraceIsReported) {
    CommandLine line;
    line.hid_trace_file = "/nonexistent/folder/hid.log";
    DeviceSession session(line);
    EXPECT_NE(session.Error(), "");
}

}  // namespace
}  // namespace tessaly
