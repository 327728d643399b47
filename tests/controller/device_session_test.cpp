#include "controller/device_session.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "base/unicode.h"
#include "device/hid_backend.h"
#include "device/hid_backend_memory.h"
#include "device/hid_transport.h"
#include "device/report_framing.h"
#include "performance/dpi_conversions.h"
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

// The virtual mouse holds, and resets to, what the model's description file
// gives: six stages of 400 … 4800 with stage 1 current, 1000 Hz, sleep 60,
// wake on, close-light off.
TEST(DeviceSession, TheEmulatedMouseTakesItsFactoryValuesFromTheDescriptionFile) {
    const auto config = EmulatedModelConfig(kShippedConfig);
    ASSERT_TRUE(config.has_value());
    auto backend = std::make_shared<MemoryHidBackend>();
    emulator::VirtualMouse mouse(backend, *config);
    const auto settings = mouse.State().settings;
    const std::vector<uint8_t>& stages = settings.at(0x03);
    EXPECT_EQ(stages[0], 0x16) << "stage 1 of 6";
    const int sensor = config->identity.sensor_code;
    const int first = stages[1] | (stages[2] << 8);
    const int last = stages[21] | (stages[22] << 8);
    EXPECT_EQ(first, StageDeviceCode(static_cast<uint16_t>(sensor), 400, 50, 24000));
    EXPECT_EQ(last, StageDeviceCode(static_cast<uint16_t>(sensor), 4800, 50, 24000));
    EXPECT_EQ(settings.at(0x02), std::vector<uint8_t>{0x01});
    const std::vector<uint8_t>& sleep = settings.at(0x07);
    EXPECT_EQ(sleep[0], 60);
    EXPECT_EQ(sleep[1], 1);
    EXPECT_EQ(sleep[2], 0);
    // Red of stage 0 is "#F10900": 0x0009F1, low byte first.
    EXPECT_EQ(settings.at(0x04)[0], 0xF1);
    EXPECT_EQ(mouse.State().factory_settings, settings);
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
