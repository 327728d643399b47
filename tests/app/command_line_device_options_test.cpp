// The device options of both programs: the HID traffic trace and the
// virtual mouse.

#include <gtest/gtest.h>

#include "app/command_line.h"

namespace tessaly {
namespace {

TEST(HidTraceOption, TakesTheFileInEitherSpelling) {
    EXPECT_EQ(ParseCommandLine({"--hid-trace", "/tmp/hid.log"}).hid_trace_file, "/tmp/hid.log");
    EXPECT_EQ(ParseCommandLine({"--hid-trace=/tmp/h.log"}).hid_trace_file, "/tmp/h.log");
}

TEST(HidTraceOption, IsNotTheDebugTrace) {
    const CommandLine line = ParseCommandLine({"--trace", "a.log", "--hid-trace", "b.log"});
    EXPECT_EQ(line.trace_file, "a.log");
    EXPECT_EQ(line.hid_trace_file, "b.log");
    EXPECT_TRUE(line.rest.empty());
    EXPECT_TRUE(line.error.empty());
}

TEST(HidTraceOption, WithoutAValueIsAnError) {
    const CommandLine line = ParseCommandLine({"--hid-trace"});
    EXPECT_EQ(line.error, "--hid-trace needs a value");
    EXPECT_TRUE(line.hid_trace_file.empty());
}

TEST(EmulateOption, AloneOrWithAStateFile) {
    EXPECT_FALSE(ParseCommandLine({}).emulate);
    EXPECT_TRUE(ParseCommandLine({"--emulate"}).emulate);
    const CommandLine with_state = ParseCommandLine({"--emulator-state", "/tmp/mouse.state"});
    EXPECT_TRUE(with_state.emulate);
    EXPECT_EQ(with_state.emulator_state_file, "/tmp/mouse.state");
    EXPECT_EQ(ParseCommandLine({"--emulator-state"}).error, "--emulator-state needs a value");
}

}  // namespace
}  // namespace tessaly
