// Each setting command takes the page's path: the store holds what the page
// would store, and the mouse receives the write the page's task sends.

#include <gmock/gmock.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "cli_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(CliTest, DpiSetStoresTheValueAndSendsTheSensorsCodes) {
    ASSERT_EQ(Cli({"status"}).code, 0);
    ClearTrace();
    const CliResult result = Cli({"dpi", "set", "2", "1650"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_EQ(Stored("dpi_group2_value"), "1650");
    // Sensor 17 counts in steps of 50: 1650 is code 0x21, for both axes;
    // stage 1 keeps the model's factory 800 (0x10).
    const std::vector<std::string> writes = Writes();
    EXPECT_TRUE(std::any_of(writes.begin(), writes.end(), [](const std::string& write) {
        return write.rfind("00 03 ", 0) == 0 &&
               write.find("10 00 10 00 21 00 21 00") != std::string::npos;
    }));
    // The stage becomes the current one, as on the page.
    EXPECT_EQ(Stored("dpi_index"), "2");

    // The mouse keeps its state between runs, so the next read agrees.
    const CliResult shown = Cli({"--json", "show", "performance"});
    EXPECT_THAT(shown.out, HasSubstr("\"dpi\": 1650"));
}

TEST_F(CliTest, AWriteTheMouseDidNotTakeFailsAndKeepsTheStoredValue) {
    ASSERT_EQ(Cli({"status"}).code, 0);
    for (const std::string fault : {"03=silent", "03=status:04", "03=off"}) {
        extra_env = {"TESSALY_EMULATE_FAULTS=" + fault};
        const CliResult result = Cli({"dpi", "set", "1", "1500"});
        EXPECT_EQ(result.code, 1) << fault;
        EXPECT_THAT(result.err, HasSubstr("the mouse did not take the DPI stages")) << fault;
        EXPECT_EQ(Stored("dpi_group1_value"), "1500") << fault;
    }
    extra_env = {"TESSALY_EMULATE_FAULTS=03=loud"};
    const CliResult refused = Cli({"status"});
    EXPECT_EQ(refused.code, 1);
    EXPECT_THAT(refused.err, HasSubstr("a fault is written"));
}

TEST_F(CliTest, TypedDpiIsNormalisedAsThePageDoes) {
    ASSERT_EQ(Cli({"dpi", "set", "1", "1637"}).code, 0);
    EXPECT_EQ(Stored("dpi_group1_value"), "1600");
    ASSERT_EQ(Cli({"dpi", "set", "1", "99999"}).code, 0);
    EXPECT_EQ(Stored("dpi_group1_value"), "24000");
}

struct Setting {
    std::vector<std::string> args;
    std::string key;
    std::string value;
};

TEST_F(CliTest, EverySettingStoresItsKeyAndWritesToTheMouse) {
    const std::vector<Setting> settings{
        {{"dpi", "count", "2"}, "dpi_count", "2"},
        {{"dpi", "select", "1"}, "dpi_index", "1"},
        {{"dpi", "colour", "1", "#102030"}, "dpi_group1_rgb", std::to_string(0x302010)},
        {{"rate", "500"}, "report_rate", "2"},
        {{"liftoff", "2"}, "liftoff_height", "2"},
        {{"sensor", "on", "off", "on"}, "sensor_flag", "20"},
        {{"response", "12"}, "button_respondtime", "12"},
        {{"sleep", "10"}, "sleep_light", "60"},
        {{"wake", "off"}, "move_wakeup", "0"},
        {{"closelight", "off"}, "move_closelight", "0"},
    };
    ASSERT_EQ(Cli({"status"}).code, 0);
    for (const Setting& setting : settings) {
        ClearTrace();
        const CliResult result = Cli(setting.args);
        EXPECT_EQ(result.code, 0) << setting.key << ": " << result.err;
        EXPECT_EQ(Stored(setting.key), setting.value) << setting.key;
        // Beyond the start-up read (the 0x20 identity and its reads) at least one write.
        EXPECT_GT(Writes().size(), 3u) << setting.key;
    }
}

TEST_F(CliTest, ResponseTimeOutsideItsRangeIsLimitedAndSaidSo) {
    const CliResult result = Cli({"--json", "response", "35"});
    ASSERT_EQ(result.code, 0);
    EXPECT_EQ(Stored("button_respondtime"), "20");
    EXPECT_THAT(result.out, HasSubstr("\"limited\": true"));
}

TEST_F(CliTest, ResetsNeedTheConfirmationAndThenRestoreTheFactoryValues) {
    ASSERT_EQ(Cli({"dpi", "set", "0", "3000"}).code, 0);
    ASSERT_EQ(Cli({"rate", "125"}).code, 0);
    ASSERT_EQ(Cli({"--yes", "dpi", "reset"}).code, 0);
    // The model's description file: 400 for the first stage, rate code 1.
    EXPECT_EQ(Stored("dpi_group0_value"), "400");
    ASSERT_EQ(Cli({"rate", "reset"}).code, 0);
    EXPECT_EQ(Stored("report_rate"), "1");

    ASSERT_EQ(Cli({"sleep", "2"}).code, 0);
    ClearTrace();
    const CliResult reset = Cli({"factory-reset", "--yes"});
    ASSERT_EQ(reset.code, 0) << reset.err;
    // The description file's sleep time, 60 tens of seconds.
    EXPECT_EQ(Stored("sleep_light"), "60");
    EXPECT_THAT(reset.out, HasSubstr("sleep_minutes     10"));
    // Task 20 wrote the mouse after the start-up read.
    EXPECT_GT(Writes().size(), 10u);
}

TEST_F(CliTest, AFactoryResetTheMouseDidNotTakeResetsNothing) {
    for (const std::string fault : {"0F=silent", "0F=status:04", "0F=off"}) {
        // The virtual mouse may have reset itself and lost only the answer:
        // its values come back with the next start-up read, so set them anew.
        extra_env.clear();
        ASSERT_EQ(Cli({"sleep", "2"}).code, 0);
        ASSERT_EQ(Cli({"dpi", "set", "0", "3000"}).code, 0);
        const std::vector<std::string> before = AllTables();
        extra_env = {"TESSALY_EMULATE_FAULTS=" + fault};
        const CliResult result = Cli({"factory-reset", "--yes"});
        EXPECT_EQ(result.code, 1) << fault;
        EXPECT_THAT(result.err, HasSubstr("the mouse did not take the factory reset")) << fault;
        EXPECT_EQ(Stored("sleep_light"), "12") << fault;
        EXPECT_EQ(Stored("dpi_group0_value"), "3000") << fault;
        EXPECT_EQ(AllTables(), before) << fault;
    }
}

TEST_F(CliTest, StatusAndDevicesDescribeTheVirtualMouse) {
    const CliResult status = Cli({"--json", "status"});
    ASSERT_EQ(status.code, 0) << status.err;
    for (const char* field : {"\"type\": 1007", "\"connection\": \"receiver\"", "\"online\": true",
                              "\"sensor\": 17", "\"max_dpi\": 24000", "\"profile\": 1"})
        EXPECT_THAT(status.out, HasSubstr(field));

    const CliResult cable = Cli({"status"}, {"cable"});
    ASSERT_EQ(cable.code, 0);
    EXPECT_THAT(cable.out, HasSubstr("connection        cable"));

    const CliResult devices = Cli({"--json", "devices"}, {"both"});
    ASSERT_EQ(devices.code, 0);
    EXPECT_THAT(devices.out, HasSubstr("\"mode\": \"cable\""));
    // The receiver beside the cable is not asked who it is, yet its row
    // names the model its USB ids belong to.
    EXPECT_THAT(devices.out, HasSubstr("      \"type\": 1007,\n"
                                       "      \"name\": \"Tessaly TX7 Wireless\",\n"
                                       "      \"mode\": \"receiver\",\n"));
    EXPECT_THAT(devices.out, HasSubstr("\"identified\": false"));
    EXPECT_THAT(devices.out, Not(HasSubstr("\"type\": 0")));
}

// A user with neither HOME nor a password entry (a container's random uid)
// has no folder of their own: no run may fall back to a folder other users
// share.
TEST_F(CliTest, WithoutAHomeFolderNothingRunsAndTheReasonIsSaid) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run as a uid without a password entry";
    const std::string out = (dir.path() / "nohome.txt").string();
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);
    const std::string command =
        "cd / && setpriv --reuid 61234 --regid 61234 --clear-groups "
        "env -u HOME -u XDG_DATA_HOME -u XDG_CONFIG_HOME "
        "ASAN_OPTIONS=detect_leaks=0 '" +
        std::string(TESSALY_BINARY_DIR) + "/tessalyctl' --emulate status > '" + out + "' 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << dir.Read("nohome.txt");
    EXPECT_THAT(dir.Read("nohome.txt"), HasSubstr("cannot find your home folder"));
}

TEST_F(CliTest, LanguageListAndSet) {
    const CliResult list = Cli({"language", "list"});
    ASSERT_EQ(list.code, 0);
    EXPECT_THAT(list.out, HasSubstr("1033"));
    EXPECT_THAT(list.out, HasSubstr("English"));
    ASSERT_EQ(Cli({"language", "set", "2052"}).code, 0);
    const CliResult after = Cli({"--json", "language", "list"});
    const size_t chinese = after.out.find("\"lcid\": 2052");
    ASSERT_NE(chinese, std::string::npos);
    EXPECT_EQ(after.out.find("\"current\": true"), after.out.find("\"current\"", chinese));
}

// Both are the window's settings: they live in the config folder, not in the
// mouse's store, and need no mouse.
TEST_F(CliTest, AutostartWritesTheEntryThatStartsTheWindow) {
    const std::filesystem::path entry = dir.path() / "config" / "autostart" / "Tessaly.desktop";
    const CliResult off = Cli({"--json", "autostart", "show"});
    ASSERT_EQ(off.code, 0) << off.err;
    EXPECT_THAT(off.out, HasSubstr("\"start_with_session\": false"));
    EXPECT_THAT(off.out, HasSubstr("\"entry\": \"" + entry.string() + "\""));

    // Hidden at start-up only means something once the session starts it.
    const CliResult early = Cli({"autostart", "minimised", "on"});
    EXPECT_EQ(early.code, 2);
    EXPECT_THAT(early.err, HasSubstr("autostart set on first"));
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_THAT(Cli({"autostart", "show"}).out, HasSubstr("start_minimised     no"));

    const CliResult on = Cli({"autostart", "set", "on"});
    ASSERT_EQ(on.code, 0) << on.err;
    EXPECT_THAT(on.out, HasSubstr("start_with_session  yes"));
    // The session starts the window, not this tool.
    EXPECT_THAT(dir.Read("config/autostart/Tessaly.desktop"),
                HasSubstr("Exec=" + std::string(TESSALY_BINARY_DIR) + "/tessaly -autorun\n"));
    ASSERT_EQ(Cli({"autostart", "minimised", "on"}).code, 0);
    EXPECT_THAT(Cli({"--json", "autostart", "show"}).out,
                HasSubstr("\"start_with_session\": true,\n  \"start_minimised\": true"));

    // Off takes starting hidden with it.
    ASSERT_EQ(Cli({"autostart", "set", "off"}).code, 0);
    EXPECT_FALSE(std::filesystem::exists(entry));
    ASSERT_EQ(Cli({"autostart", "set", "on"}).code, 0);
    EXPECT_THAT(Cli({"autostart", "show"}).out, HasSubstr("start_minimised     no"));
}

TEST_F(CliTest, TheCloseButtonsChoiceIsStoredForTheWindow) {
    EXPECT_THAT(Cli({"close-button", "show"}).out, HasSubstr("close_button  exit"));
    const CliResult tray = Cli({"--json", "close-button", "set", "tray"});
    ASSERT_EQ(tray.code, 0) << tray.err;
    EXPECT_THAT(tray.out, HasSubstr("\"close_button\": \"tray\""));
    EXPECT_THAT(dir.Read("config/Tessaly/registry.ini"), HasSubstr("exit_mode=1"));
    ASSERT_EQ(Cli({"close-button", "set", "exit"}).code, 0);
    EXPECT_THAT(dir.Read("config/Tessaly/registry.ini"), HasSubstr("exit_mode=0"));
}

TEST_F(CliTest, RefusedWindowSettingsChangeNothing) {
    ASSERT_EQ(Cli({"close-button", "set", "tray"}).code, 0);
    const std::string stored = dir.Read("config/Tessaly/registry.ini");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"close-button", "set", "hide"},
                                               {"close-button", "set"},
                                               {"autostart", "set", "yes"},
                                               {"autostart", "minimised", "on", "off"},
                                               {"autostart", "show", "all"}}) {
        const CliResult refused = Cli(args);
        EXPECT_EQ(refused.code, 2) << args[0] << " " << args[1];
        EXPECT_THAT(refused.err, HasSubstr("usage: tessalyctl")) << args[0] << " " << args[1];
    }
    EXPECT_EQ(dir.Read("config/Tessaly/registry.ini"), stored);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "config" / "autostart"));
}

TEST_F(CliTest, ProfileSwitchTakesTheDialogsPathAndLasts) {
    const CliResult list = Cli({"profile", "list"});
    ASSERT_EQ(list.code, 0);
    EXPECT_THAT(list.out, HasSubstr("Profile  4"));
    ClearTrace();
    const CliResult switched = Cli({"--json", "profile", "switch", "3"});
    ASSERT_EQ(switched.code, 0) << switched.err;
    EXPECT_EQ(Query("SELECT profile FROM t_profile_data WHERE status = 1"),
              std::vector<std::string>{"3"});
    // Everything is sent for the new profile (task 5).
    EXPECT_GT(Writes().size(), 10u);
    EXPECT_THAT(Cli({"--json", "status"}).out, HasSubstr("\"profile\": 3"));

    const std::vector<std::string> before = AllTables();
    const CliResult missing = Cli({"profile", "switch", "9"});
    EXPECT_EQ(missing.code, 2);
    EXPECT_THAT(missing.err, HasSubstr("there is no profile 9"));
    EXPECT_EQ(AllTables(), before);
}

TEST_F(CliTest, ShowAllHoldsEveryPartAndEachPartAlone) {
    const CliResult all = Cli({"--json", "show", "all"});
    ASSERT_EQ(all.code, 0) << all.err;
    for (const char* part :
         {"\"performance\": {", "\"buttons\": {", "\"lighting\": {", "\"profiles\": {"})
        EXPECT_THAT(all.out, HasSubstr(part));
    EXPECT_EQ(all.out.front(), '{');
    EXPECT_EQ(all.out.substr(all.out.size() - 2), "}\n");

    const CliResult lighting = Cli({"show", "lighting"});
    ASSERT_EQ(lighting.code, 0);
    EXPECT_THAT(lighting.out, HasSubstr("Breathing"));
    EXPECT_THAT(lighting.out, ::testing::Not(HasSubstr("stage_count")));
    EXPECT_THAT(Cli({"sensor", "on", "off", "on"}).out, HasSubstr("sensor_options    yes no yes"));
}

}  // namespace
}  // namespace tessaly::test
