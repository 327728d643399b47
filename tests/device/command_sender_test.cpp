#include "device/commands/command_sender.h"

#include <gtest/gtest.h>

#include "base/trace.h"
#include "device/commands/command_builders.h"
#include "memory_mouse.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

using namespace std::chrono_literals;
using test::AnswerTo;
using test::FileLines;
using test::MemoryMouse;

class SenderTrace : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(SetTraceFile(file_)); }
    void TearDown() override { SetTraceFile(""); }
    // The trace texts, without their time stamps and level.
    std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (const auto& line : FileLines(file_))
            texts.push_back(line.substr(line.find("] ") + 2));
        return texts;
    }
    test::TempDir dir_;
    std::string file_ = (dir_.path() / "trace.log").string();
};

TEST_F(SenderTrace, FailedCommandsWriteTheirTrace) {
    MemoryMouse mouse;  // never answers
    EXPECT_FALSE(SendCommand(mouse.interface.get(), BuildReportRate(1)).ok());
    EXPECT_FALSE(SendCommand(mouse.interface.get(), BuildDpiStages({})).ok());  // no trace
    EXPECT_FALSE(SendCommand(nullptr, BuildButtonTable({})).ok());
    EXPECT_FALSE(SendCommand(nullptr, BuildSleepResponse({})).ok());
    EXPECT_FALSE(SendCommand(nullptr, BuildLighting({})).ok());
    EXPECT_FALSE(SendCommand(nullptr, BuildDpiColours({})).ok());
    EXPECT_EQ(Texts(), (std::vector<std::string>{"0x02: 设置回报率失败", "0x09: 设置按键功能失败",
                                                 "0x07: 设置睡眠时间、移动关闭灯效使能",
                                                 "0x05: 设置灯光模式失败",
                                                 "0x04: 设置鼠标DPI颜色数据失败"}));
    mouse.AnswerEverything();
    EXPECT_TRUE(SendCommand(mouse.interface.get(), BuildReportRate(1)).ok());
    EXPECT_EQ(Texts().size(), 5u);
}

TEST_F(SenderTrace, FailedMacroPacketIsTracedAndTheRestStillSent) {
    MemoryMouse mouse;
    int packet = 0;
    mouse.device->SetFirmware([&packet](MemoryHidDevice& d, std::span<const uint8_t> r) {
        // The second of three packets goes unanswered.
        if (packet++ != 1)
            d.QueueInput(AnswerTo(r, 0x00), 2ms);
    });
    std::vector<MacroEventBytes> events(20, MacroEventBytes{1, 2, 3, 4});
    const auto result = SendMacro(mouse.interface.get(), 5, events);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.packets, 3);
    EXPECT_EQ(result.failed_packets, 1);
    const auto written = mouse.device->WrittenReports();
    ASSERT_EQ(written.size(), 3u);
    EXPECT_EQ(written[2][3], 0x23);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"0x08: 设置按键宏数据失败!"}));
}

TEST_F(SenderTrace, OverlongMacroSendsNothing) {
    MemoryMouse mouse;
    mouse.AnswerEverything();
    std::vector<MacroEventBytes> events(kMaxMacroEvents + 1, MacroEventBytes{1, 2, 3, 4});
    const auto result = SendMacro(mouse.interface.get(), 5, events);
    EXPECT_TRUE(result.refused);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(mouse.device->WrittenReports().empty());
    EXPECT_EQ(Texts().size(), 1u);

    events.pop_back();
    EXPECT_TRUE(SendMacro(mouse.interface.get(), 5, events).ok());
    EXPECT_EQ(mouse.device->WrittenReports().size(), 15u);
}

}  // namespace
}  // namespace tessaly
