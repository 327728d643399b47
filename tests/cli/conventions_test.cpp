// What a Unix tool is expected to do: versions, help for a group, unknown
// options refused, and a settings folder of the run's own.

#include <gmock/gmock.h>

#include "cli_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

std::string Gui() {
    return std::string(TESSALY_BINARY_DIR) + "/tessaly";
}

TEST_F(CliTest, BothProgramsTellTheirVersion) {
    const CliResult tool = Raw({"--version"});
    EXPECT_EQ(tool.code, 0);
    EXPECT_THAT(tool.out, StartsWith("tessalyctl " TESSALY_VERSION "\n"));
    const CliResult gui = Spawn({Gui(), "--version"});
    EXPECT_EQ(gui.code, 0);
    EXPECT_THAT(gui.out, StartsWith("tessaly " TESSALY_VERSION "\n"));
}

TEST_F(CliTest, TheWindowProgramHelpsAndRefusesWhatItDoesNotKnow) {
    const CliResult help = Spawn({Gui(), "--help"});
    EXPECT_EQ(help.code, 0);
    for (const char* option : {"--data-dir", "--config-dir", "--emulate", "--send", "-hide"})
        EXPECT_THAT(help.out, HasSubstr(option));

    for (const std::vector<std::string>& line :
         std::vector<std::vector<std::string>>{{"--bogus"}, {"stray"}, {"--screenshot"}}) {
        std::vector<std::string> words{Gui(), "--emulate"};
        words.insert(words.end(), line.begin(), line.end());
        const CliResult refused = Spawn(words);
        EXPECT_EQ(refused.code, 2) << line.front();
        EXPECT_THAT(refused.err, HasSubstr(line.front())) << refused.err;
        EXPECT_TRUE(refused.out.empty());
    }
    // Nothing started: no instance lock was taken.
    EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "run"));
}

TEST_F(CliTest, AGroupListsItsCommandsAndTheirArguments) {
    const CliResult help = Raw({"help", "dpi"});
    EXPECT_EQ(help.code, 0);
    for (const char* usage : {"dpi set STAGE VALUE", "dpi count", "dpi colour STAGE #RRGGBB",
                              "dpi select", "dpi reset"})
        EXPECT_THAT(help.out, HasSubstr(usage));
    EXPECT_THAT(help.out, Not(HasSubstr("rate HZ")));
    EXPECT_EQ(Raw({"dpi", "--help"}).out, help.out);

    // A group whose first word is a command too lists both.
    const CliResult rate = Raw({"help", "rate"});
    EXPECT_THAT(rate.out, HasSubstr("rate HZ"));
    EXPECT_THAT(rate.out, HasSubstr("rate reset"));

    const CliResult bare = Raw({"button"});
    EXPECT_EQ(bare.code, 2);
    EXPECT_THAT(bare.err, HasSubstr("button needs one of its commands"));
    EXPECT_THAT(bare.err, HasSubstr("button list"));
}

TEST_F(CliTest, AConfigFolderKeepsTheRunApartFromTheUsersSettings) {
    const std::filesystem::path own = dir.path() / "own-config";
    ASSERT_EQ(Cli({"--config-dir", own.string(), "language", "set", "2052"}).code, 0);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "config"));
    ASSERT_FALSE(std::filesystem::is_empty(own));

    // The user's language stays; the run with the folder keeps its own.
    const CliResult user = Cli({"--json", "language", "list"});
    EXPECT_NE(user.out.find("\"current\": true"),
              user.out.find("\"current\"", user.out.find("\"lcid\": 2052")));
    extra_env = {"TESSALY_CONFIG_DIR=" + own.string()};
    const CliResult kept = Cli({"--json", "language", "list"});
    EXPECT_EQ(kept.out.find("\"current\": true"),
              kept.out.find("\"current\"", kept.out.find("\"lcid\": 2052")));
}

}  // namespace
}  // namespace tessaly::test

namespace tessaly::test {
namespace {

TEST_F(CliTest, AProfileThatIsNotActiveIsStoredAndNotSent) {
    ASSERT_EQ(Cli({"status"}).code, 0);
    ClearTrace();
    ASSERT_EQ(Cli({"status"}).code, 0);
    const std::vector<std::string> start_up = Writes();

    ClearTrace();
    const CliResult stored = Cli({"--profile", "2", "dpi", "count", "3"});
    ASSERT_EQ(stored.code, 0) << stored.err;
    EXPECT_THAT(stored.out, HasSubstr("stage_count       3"));
    EXPECT_EQ(Stored("dpi_count", 2), "3");
    EXPECT_EQ(Stored("dpi_count", 1), "6");
    EXPECT_EQ(Writes(), start_up);

    // The active profile is written as without the option.
    ClearTrace();
    ASSERT_EQ(Cli({"--profile", "1", "dpi", "count", "4"}).code, 0);
    EXPECT_EQ(Stored("dpi_count", 1), "4");
    EXPECT_GT(Writes().size(), start_up.size());

    const CliResult missing = Cli({"--profile", "9", "rate", "500"});
    EXPECT_EQ(missing.code, 2);
    EXPECT_THAT(missing.err, HasSubstr("profile 9 is not stored"));
    const CliResult other = Cli({"--profile", "2", "light", "reset", "--yes"});
    EXPECT_EQ(other.code, 2);
    EXPECT_THAT(other.err, HasSubstr("light reset does not take --profile"));
}

// Buttons and lighting of another profile, as `ratbagctl profile N …` edits
// them: stored now, on the mouse once that profile is switched to.
TEST_F(CliTest, ButtonsAndLightingOfAProfileNotActiveReachTheMouseWhenItIs) {
    ASSERT_EQ(Cli({"status"}).code, 0);
    ClearTrace();
    ASSERT_EQ(Cli({"status"}).code, 0);
    const std::vector<std::string> start_up = Writes();
    ClearTrace();
    ASSERT_EQ(Cli({"profile", "switch", "2"}).code, 0);
    const std::vector<std::string> switch_before = Writes();
    ASSERT_EQ(Cli({"profile", "switch", "1"}).code, 0);
    const std::string active_buttons = Cli({"--json", "show", "buttons"}).out;
    const std::string active_lights = Cli({"--json", "light", "list"}).out;

    ClearTrace();
    const CliResult button = Cli({"--json", "--profile", "2", "button", "disable", "4"});
    ASSERT_EQ(button.code, 0) << button.err;
    EXPECT_THAT(button.out, HasSubstr("\"profile\": 2,"));
    EXPECT_EQ(Writes(), start_up);
    ClearTrace();
    const CliResult light = Cli({"--json", "--profile", "2", "light", "effect", "2"});
    ASSERT_EQ(light.code, 0) << light.err;
    EXPECT_EQ(Writes(), start_up);
    // The lists and show give profile 2 as the commands left it; profile 1
    // and the mouse's effect are as they were.
    EXPECT_EQ(Cli({"--json", "--profile", "2", "button", "list"}).out, button.out);
    EXPECT_EQ(Cli({"--json", "--profile", "2", "light", "list"}).out, light.out);
    EXPECT_THAT(Cli({"--json", "--profile", "2", "show", "buttons"}).out,
                HasSubstr("\"function\": \"Disable\""));
    EXPECT_THAT(Cli({"--json", "--profile", "2", "show", "performance"}).out,
                HasSubstr("\"profile\": 2,"));
    EXPECT_EQ(Cli({"--json", "show", "buttons"}).out, active_buttons);
    EXPECT_EQ(Cli({"--json", "light", "list"}).out, active_lights);
    EXPECT_NE(light.out, active_lights);

    ClearTrace();
    ASSERT_EQ(Cli({"profile", "switch", "2"}).code, 0);
    EXPECT_NE(Writes(), switch_before);
    EXPECT_THAT(Cli({"--json", "show", "buttons"}).out, HasSubstr("\"function\": \"Disable\""));

    // Every profile's lights at once: not one profile's.
    const CliResult reset = Cli({"--yes", "--profile", "1", "light", "reset"});
    EXPECT_EQ(reset.code, 2);
}

TEST_F(CliTest, AResetPrintsWhatItStored) {
    ASSERT_EQ(Cli({"dpi", "count", "3"}).code, 0);
    const CliResult dpi = Cli({"--yes", "dpi", "reset"});
    ASSERT_EQ(dpi.code, 0) << dpi.err;
    EXPECT_THAT(dpi.out, HasSubstr("stage_count       6"));
    EXPECT_EQ(Stored("dpi_count"), "6");

    ASSERT_EQ(Cli({"rate", "125"}).code, 0);
    const CliResult rate = Cli({"--json", "rate", "reset"});
    ASSERT_EQ(rate.code, 0);
    EXPECT_THAT(rate.out, Not(HasSubstr("\"rate_hz\": 125")));

    ASSERT_EQ(Cli({"dpi", "count", "2"}).code, 0);
    ASSERT_EQ(Cli({"sleep", "2"}).code, 0);
    const CliResult factory = Cli({"--json", "--yes", "factory-reset"});
    ASSERT_EQ(factory.code, 0) << factory.err;
    const CliResult shown = Cli({"--json", "show", "performance"});
    EXPECT_THAT(shown.out, HasSubstr("\"stage_count\": 6"));
    EXPECT_THAT(factory.out, HasSubstr("\"stage_count\": 6"));
    EXPECT_THAT(factory.out, HasSubstr("\"sleep_minutes\": 10"));
}

}  // namespace
}  // namespace tessaly::test
