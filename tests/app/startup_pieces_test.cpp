#include <gtest/gtest.h>

#include "app/command_line.h"
#include "app/dpi_awareness.h"

namespace tessaly {
namespace {

TEST(DpiAwareness, SmallScreensAreAwareWithoutAskingTheMonitor) {
    EXPECT_TRUE(ShouldBeDpiAware(1366, 768, 96));
    EXPECT_TRUE(ShouldBeDpiAware(1280, 1024, 96));  // narrow
    EXPECT_TRUE(ShouldBeDpiAware(1600, 799, 96));   // low
}

TEST(DpiAwareness, FullHdDependsOnTheScale) {
    EXPECT_FALSE(ShouldBeDpiAware(1920, 1080, 96));
    EXPECT_FALSE(ShouldBeDpiAware(1920, 1080, 120));  // scale 125
    EXPECT_TRUE(ShouldBeDpiAware(1920, 1080, 144));
    EXPECT_TRUE(ShouldBeDpiAware(1920, 1080, 192));
    for (int dpi : {96, 120, 144, 192})
        EXPECT_FALSE(ShouldBeDpiAware(2560, 1440, dpi));
}

TEST(DpiAwareness, MonitorScaleTable) {
    EXPECT_EQ(MonitorScalePercent(72), 100);
    EXPECT_EQ(MonitorScalePercent(96), 100);
    EXPECT_EQ(MonitorScalePercent(97), 100);
    EXPECT_EQ(MonitorScalePercent(100), 100);
    EXPECT_EQ(MonitorScalePercent(120), 125);
    EXPECT_EQ(MonitorScalePercent(144), 144);
    EXPECT_EQ(MonitorScalePercent(168), 168);
    EXPECT_EQ(MonitorScalePercent(192), 192);
    EXPECT_EQ(MonitorScalePercent(240), 100);
}

TEST(CommandLine, HideIsAPlainSubstring) {
    EXPECT_TRUE(StartsHidden(u"-hide"));
    EXPECT_TRUE(StartsHidden(u"--trace x -hideaway"));
    // "-hidden" spells h-i-d-d-e-n: it does not hold "-hide".
    EXPECT_FALSE(StartsHidden(u"-hidden"));
    EXPECT_TRUE(StartsHidden(u"x-hide"));
    EXPECT_FALSE(StartsHidden(u"-Hide"));
    EXPECT_FALSE(StartsHidden(u"-autorun"));
    EXPECT_FALSE(StartsHidden(u""));
}

TEST(CommandLine, SharedOptionsAreTakenTheRestIsKept) {
    const CommandLine line = ParseCommandLine(
        {"--program-dir", "/p", "--data-dir=/d", "--trace", "/t.log", "-hide", "devices"});
    EXPECT_EQ(line.program_dir, u"/p");
    EXPECT_EQ(line.data_dir, u"/d");
    EXPECT_EQ(line.trace_file, "/t.log");
    EXPECT_EQ(line.rest, (std::vector<std::string>{"-hide", "devices"}));
    EXPECT_EQ(line.text, u"--program-dir /p --data-dir=/d --trace /t.log -hide devices");
    EXPECT_TRUE(line.error.empty());
}

TEST(CommandLine, MalformedOptionsSayWhatIsWrong) {
    EXPECT_EQ(ParseCommandLine({"--data-dir"}).error, "--data-dir needs a value");
    EXPECT_FALSE(ParseCommandLine({"--send", "reboot"}).error.empty());
    EXPECT_EQ(ParseCommandLine({"--send", "exit"}).send, InstanceRequest::kExit);
    // A longer option of the same prefix is not taken for it.
    EXPECT_EQ(ParseCommandLine({"--data-directory"}).rest.size(), 1u);
}

}  // namespace
}  // namespace tessaly
