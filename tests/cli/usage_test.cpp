// Help texts, and commands refused before or after start-up: each gives its
// reason and exit code and leaves the store as it was.

#include "cli_fixture.h"

#include <gmock/gmock.h>
#include <sys/stat.h>

namespace tessaly::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(CliTest, HelpListsEveryCommandAndEachCommandHasItsOwn) {
    const CliResult general = Raw({"--help"});
    EXPECT_EQ(general.code, 0);
    for (const char* usage : {"devices", "status", "dpi set STAGE VALUE", "rate HZ", "liftoff 1|2",
                              "factory-reset", "language set LCID"})
        EXPECT_THAT(general.out, HasSubstr(usage));

    const CliResult one = Raw({"help", "dpi", "colour"});
    EXPECT_EQ(one.code, 0);
    EXPECT_THAT(one.out, HasSubstr("usage: tessalyctl [options] dpi colour STAGE #RRGGBB"));
    EXPECT_EQ(Raw({"dpi", "set", "--help"}).out, Raw({"help", "dpi", "set"}).out);

    const CliResult unknown = Raw({"help", "frobnicate"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_THAT(unknown.err, HasSubstr("unknown command: frobnicate"));
}

struct Refusal {
    std::vector<std::string> args;
    std::string reason;
};

// Refused before start-up: no mouse is opened and no database is created.
TEST_F(CliTest, BadArgumentsAreRefusedBeforeStartUp) {
    const std::vector<Refusal> refusals{
        {{}, "no command given"},
        {{"frobnicate"}, "unknown command: frobnicate"},
        {{"dpi"}, "dpi needs one of its commands"},
        {{"dpi", "frob"}, "unknown command: dpi frob"},
        {{"dpi", "set", "2"}, "missing argument"},
        {{"dpi", "count", "3", "4"}, "too many arguments"},
        {{"dpi", "set", "two", "1600"}, "the stage must be a number, not \"two\""},
        {{"dpi", "set", "6", "1600"}, "the stage must be 0–5, not 6"},
        {{"dpi", "set", "-1", "1600"}, "the stage must be 0–5, not -1"},
        {{"dpi", "set", "2", "16x0"}, "the DPI value must be a number"},
        {{"dpi", "count", "7"}, "the stage count must be 1–6, not 7"},
        {{"dpi", "colour", "1", "red"}, "a colour is written #RRGGBB"},
        {{"dpi", "colour", "1", "#12345"}, "a colour is written #RRGGBB"},
        {{"dpi", "colour", "1", "#12345G"}, "a colour is written #RRGGBB"},
        {{"dpi", "colour", "1", "#000000"}, "#000000 cannot be chosen"},
        {{"dpi", "reset"}, "dpi reset asks for confirmation: add --yes"},
        {{"factory-reset"}, "factory-reset asks for confirmation: add --yes"},
        {{"rate", "fast"}, "the rate must be a number of Hz"},
        {{"liftoff", "3"}, "the lift-off height must be 1–2, not 3"},
        {{"sensor", "on", "off", "maybe"}, "each sensor option must be on or off"},
        {{"sleep", "5"}, "the sleep time must be 1, 2, 6, 10, 20 or 30 minutes"},
        {{"wake", "yes"}, "it must be on or off"},
        {{"show", "everything"}, "show knows performance, buttons, lighting, profiles"},
        {{"--lang"}, "--lang needs a language number"},
        {{"--bogus", "status"}, "unknown option --bogus"},
        {{"--emulate-model"}, "--emulate-model needs a device type"},
        {{"--emulate-model", "tx3", "status"}, "--emulate-model needs a device type"},
        {{"--emulate-model", "1004", "status"}, "the catalogue has no model 1004"},
        {{"--emulate-model", "1003", "--emulate-model", "1003", "status"},
         "model 1003 is emulated twice"},
        {{"--emulate-model", "1003", "--emulate-model", "1004", "status"},
         "the catalogue has no model 1004"},
        {{"--emulate", "receiver", "--emulate-model", "1003", "status"},
         "model 1003 has no receiver"},
    };
    for (const Refusal& refusal : refusals) {
        const CliResult result = Cli(refusal.args);
        EXPECT_EQ(result.code, 2) << refusal.reason;
        EXPECT_THAT(result.err, HasSubstr(refusal.reason));
        EXPECT_THAT(result.err, HasSubstr("usage: tessalyctl"));
        EXPECT_TRUE(result.out.empty()) << result.out;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "data" / "db"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "hid.txt"));
}

TEST_F(CliTest, AnEmulatorStateThatIsNoFileIsRefusedAtOnce) {
    const std::string fifo = (dir.path() / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& state : {std::string("/dev/zero"), fifo}) {
        const CliResult result =
            Raw({"--emulate", "--data-dir", (dir.path() / "data").string() + "/",
                 "--emulator-state", state, "status"});
        EXPECT_EQ(result.code, 1) << state;
        EXPECT_THAT(result.err,
                    HasSubstr("the emulator state file " + state + " is not a regular file"));
    }
}

// Refused once the mouse is read, because only then is the answer known.
TEST_F(CliTest, CommandsTheMouseCannotTakeLeaveTheStoreAsItWas) {
    ASSERT_EQ(Cli({"dpi", "count", "3"}).code, 0);
    // The start-up read takes what the mouse holds into the store; after it
    // the store no longer changes by reading.
    ASSERT_EQ(Cli({"status"}).code, 0);
    const std::vector<std::string> before = AllTables();
    ASSERT_FALSE(before.empty());

    const std::vector<Refusal> refusals{
        {{"dpi", "select", "4"}, "stage 4 is not in use (stage count 3)"},
        {{"dpi", "set", "3", "1600"}, "stage 3 is not in use"},
        {{"rate", "333"}, "this mouse offers no rate of 333 Hz"},
        {{"language", "set", "9999"}, "language 9999 is not offered"},
    };
    for (const Refusal& refusal : refusals) {
        ClearTrace();
        const CliResult result = Cli(refusal.args);
        EXPECT_EQ(result.code, 2) << refusal.reason;
        EXPECT_THAT(result.err, HasSubstr(refusal.reason));
        EXPECT_EQ(AllTables(), before) << refusal.reason;
    }
}

TEST_F(CliTest, EmulateModelMimicsThatCatalogueModel) {
    const CliResult wired = Cli({"--json", "--emulate-model", "1003", "status"});
    ASSERT_EQ(wired.code, 0) << wired.err;
    EXPECT_THAT(wired.out, HasSubstr("\"type\": 1003"));
    EXPECT_THAT(wired.out, HasSubstr("\"name\": \"Tessaly TX3\""));
    EXPECT_THAT(wired.out, HasSubstr("\"connection\": \"cable\""));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "data" / "db" / "tx3_data.db"));
    // The mouse is behind its cable and answers with the model's id "TX3C".
    const std::string trace = dir.Read("hid.txt");
    EXPECT_THAT(trace, HasSubstr("virtual:emulated:cable:2 10 00 00 0B 54 58 33 43"));
    EXPECT_THAT(trace, Not(HasSubstr(":receiver:")));

    // Without it, the first model with both links; the option implies --emulate.
    const CliResult wireless = Raw({"--emulate-model", "1007", "--data-dir",
                                    (dir.path() / "data").string() + "/", "--json", "status"});
    ASSERT_EQ(wireless.code, 0) << wireless.err;
    EXPECT_THAT(wireless.out, HasSubstr("\"type\": 1007"));
    EXPECT_THAT(Cli({"--json", "status"}).out, HasSubstr("\"type\": 1007"));
}

TEST_F(CliTest, ASecondEmulatedModelIsPluggedBesideTheFirst) {
    const CliResult both =
        Cli({"--json", "--emulate-model", "1007", "--emulate-model", "1003", "devices"}, {"cable"});
    ASSERT_EQ(both.code, 0) << both.err;
    // Both connected rows are online behind their cables.
    size_t online = 0;
    for (size_t at = both.out.find("\"online\""); at != std::string::npos;
         at = both.out.find("\"online\"", at + 1))
        ++online;
    EXPECT_EQ(online, 2u) << both.out;
    // Each mouse answers on paths of its own.
    const std::string trace = dir.Read("hid.txt");
    EXPECT_THAT(trace, HasSubstr("virtual:emulated:cable:2 10"));
    EXPECT_THAT(trace, HasSubstr("virtual:emulated-1003:cable:2 10"));
}

TEST_F(CliTest, AMissingOrUnreachableMouseIsADeviceFailure) {
    const CliResult none =
        Raw({"--data-dir", (dir.path() / "data").string() + "/", "dpi", "count", "2"});
    EXPECT_EQ(none.code, 1);
    EXPECT_THAT(none.err, HasSubstr("no mouse is connected"));

    // status describes a mouse, so it fails without one rather than print
    // the catalogue's first model.
    const CliResult status =
        Raw({"--json", "--data-dir", (dir.path() / "data").string() + "/", "status"});
    EXPECT_EQ(status.code, 1);
    EXPECT_THAT(status.err, HasSubstr("no mouse is connected"));
    EXPECT_TRUE(status.out.empty()) << status.out;

    // What the store holds still answers.
    const CliResult show =
        Raw({"--json", "--data-dir", (dir.path() / "data").string() + "/", "show", "performance"});
    EXPECT_EQ(show.code, 0);
    EXPECT_THAT(show.out, HasSubstr("\"stage_count\""));
}

}  // namespace
}  // namespace tessaly::test
