#include "device/hid_trace.h"

#include <gtest/gtest.h>

#include <regex>

#include "memory_mouse.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

using namespace std::chrono_literals;
using test::ConfigReport;
using test::FileLines;
using test::MemoryMouse;

class HidTraceFile : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(SetHidTraceFile(file_)); }
    void TearDown() override { SetHidTraceFile(""); }
    test::TempDir dir_;
    std::string file_ = (dir_.path() / "hid.log").string();
};

TEST_F(HidTraceFile, OneLinePerReportWrittenDeliveredOrTimedOut) {
    MemoryMouse mouse(9);
    mouse.device->QueueInput(ConfigReport({0xC2, 0x4F}, 9), 40ms);
    mouse.device->QueueInput({0x05, 0xAB}, 40ms);
    ASSERT_EQ(mouse.interface->Write(std::vector<uint8_t>{0x00, 0x10, 0x0A}), 9);
    std::array<uint8_t, 65> buffer{};
    EXPECT_EQ(mouse.interface->Read(buffer, 30), 0);
    EXPECT_EQ(mouse.interface->Read(std::span(buffer).first(4), 30), 4);
    EXPECT_EQ(mouse.interface->Read(buffer, 30), 2);

    const auto lines = FileLines(file_);
    ASSERT_EQ(lines.size(), 4u);
    const std::regex stamp(R"(^\d+\.\d{3} (.*)$)");
    const char* expected[] = {
        "W mem:config 00 10 0A 00 00 00 00 00 00",  // padded, report ID first
        "T mem:config",
        "R mem:config C2 4F 00 00",  // report ID 0 removed, cut to the buffer
        "R mem:config 05 AB",
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(lines[i], match, stamp)) << lines[i];
        EXPECT_EQ(match[1], expected[i]);
    }
}

TEST_F(HidTraceFile, OffWhenTheFileIsCleared) {
    SetHidTraceFile("");
    EXPECT_FALSE(HidTraceEnabled());
    MemoryMouse mouse;
    mouse.interface->Write(std::vector<uint8_t>{0x00, 0x10});
    EXPECT_TRUE(FileLines(file_).empty());
    EXPECT_FALSE(SetHidTraceFile((dir_.path() / "missing" / "hid.log").string()));
}

TEST(HidTrace, TimesCountUpInMilliseconds) {
    test::TempDir dir;
    const auto file = (dir.path() / "hid.log").string();
    ASSERT_TRUE(SetHidTraceFile(file));
    TraceHidTimeout("a");
    std::this_thread::sleep_for(20ms);
    TraceHidTimeout("b");
    SetHidTraceFile("");
    const auto lines = FileLines(file);
    ASSERT_EQ(lines.size(), 2u);
    const double first = std::stod(lines[0]), second = std::stod(lines[1]);
    EXPECT_GE(second - first, 19.0);
    EXPECT_LT(second - first, 5000.0);
}

TEST(HidTrace, HexBytesAreUpperCaseAndSpaced) {
    EXPECT_EQ(HexBytes(std::vector<uint8_t>{0x00, 0x0a, 0xff, 0x5C}), "00 0A FF 5C");
    EXPECT_EQ(HexBytes({}), "");
}

}  // namespace
}  // namespace tessaly
