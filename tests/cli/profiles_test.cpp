// The profile dialog's rename, export and import from the command line: the
// same store operations and the same profile file, the file name given where
// the dialog asks for one.

#include <gmock/gmock.h>

#include "cli_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

TEST_F(CliTest, ProfileRenameStoresTheNameAndTheProfileBecomesCurrent) {
    ASSERT_EQ(Cli({"status"}).code, 0);
    ClearTrace();
    const CliResult renamed = Cli({"--json", "profile", "rename", "2", "Work mode"});
    ASSERT_EQ(renamed.code, 0) << renamed.err;
    EXPECT_EQ(Query("SELECT name FROM t_profile_data WHERE profile = 2"),
              std::vector<std::string>{"Work mode"});
    // Closing the dialog after a rename switches to that profile.
    EXPECT_EQ(Query("SELECT profile FROM t_profile_data WHERE status = 1"),
              std::vector<std::string>{"2"});
    EXPECT_GT(Writes().size(), 10u);
    EXPECT_THAT(
        renamed.out,
        HasSubstr("\"profile\": 2,\n      \"name\": \"Work mode\",\n      \"current\": true"));
    // Other names keep the display rule.
    EXPECT_THAT(renamed.out, HasSubstr("\"name\": \"Profile  1\""));

    // The next start-up read takes the new current profile's values from
    // the mouse; after that, reading changes nothing.
    ASSERT_EQ(Cli({"status"}).code, 0);
    const std::vector<std::string> before = AllTables();
    const CliResult missing = Cli({"profile", "rename", "9", "Nine"});
    EXPECT_EQ(missing.code, 2);
    EXPECT_THAT(missing.err, HasSubstr("there is no profile 9"));
    EXPECT_EQ(AllTables(), before);
    const CliResult empty = Cli({"profile", "rename", "1", ""});
    EXPECT_EQ(empty.code, 2);
    EXPECT_THAT(empty.err, HasSubstr("the new name is empty"));
    EXPECT_EQ(AllTables(), before);
}

TEST_F(CliTest, AnExportedProfileImportsBackUnderTheFilesName) {
    ASSERT_EQ(Cli({"dpi", "set", "0", "400"}).code, 0);
    ASSERT_EQ(Cli({"light", "brightness", "1"}).code, 0);
    const std::filesystem::path file = dir.path() / "Saved.xml";
    const CliResult exported = Cli({"--json", "profile", "export", file.string()});
    ASSERT_EQ(exported.code, 0) << exported.err;
    EXPECT_THAT(exported.out, HasSubstr("\"file\": \"" + file.string() + "\""));
    const std::string saved = dir.Read("Saved.xml");
    EXPECT_THAT(saved, HasSubstr("<profileinfo name=\"Profile  1\">"));
    EXPECT_THAT(saved, HasSubstr("<DPI1 value=\"400\""));
    EXPECT_THAT(saved, HasSubstr("<item light_mode=\"1\" brightness=\"1\""));

    ASSERT_EQ(Cli({"dpi", "set", "0", "1600"}).code, 0);
    ASSERT_EQ(Cli({"light", "brightness", "3"}).code, 0);
    ASSERT_EQ(Stored("dpi_group0_value"), "1600");
    std::filesystem::copy_file(file, dir.path() / "Work.xml");
    ClearTrace();
    const CliResult imported = Cli({"profile", "import", (dir.path() / "Work.xml").string()});
    ASSERT_EQ(imported.code, 0) << imported.err;
    EXPECT_EQ(Stored("dpi_group0_value"), "400");
    EXPECT_EQ(Query("SELECT brightness FROM t_light_data WHERE profile = 1 AND mode = 1"),
              std::vector<std::string>{"1"});
    // Named after the file, not after the name inside it.
    EXPECT_EQ(Query("SELECT name FROM t_profile_data WHERE profile = 1"),
              std::vector<std::string>{"Work"});
    EXPECT_THAT(imported.out, HasSubstr("Work"));
    // Everything is sent (task 5): the stage goes to the mouse as 400 DPI.
    EXPECT_GT(Writes().size(), 10u);
    EXPECT_THAT(Cli({"--json", "show", "performance"}).out, HasSubstr("\"dpi\": 400"));
}

TEST_F(CliTest, AFileTheImportCannotTakeIsRefusedAndChangesNothing) {
    ASSERT_EQ(Cli({"status"}).code, 0);
    const std::vector<std::string> before = AllTables();
    dir.Write("broken.xml", "<?xml version=\"1.0\"?>\n<profile><profileinfo name=\"x\">\n");
    dir.Write("other.xml", "<?xml version=\"1.0\"?>\n<macros><macro/></macros>\n");
    std::filesystem::create_directories(dir.path() / "folder.xml");
    const std::vector<std::pair<std::string, std::string>> refusals{
        {"missing.xml", "no such file"},
        {"folder.xml", "not a file"},
        {"broken.xml", "not readable or not well-formed XML"},
        {"other.xml", "is not a profile file"},
    };
    for (const auto& [name, reason] : refusals) {
        ClearTrace();
        const CliResult result = Cli({"profile", "import", (dir.path() / name).string()});
        EXPECT_EQ(result.code, 2) << name;
        EXPECT_THAT(result.err, HasSubstr(reason)) << name;
        EXPECT_THAT(result.err, HasSubstr("usage: tessalyctl [options] profile import FILE"));
        EXPECT_EQ(AllTables(), before) << name;
        // Refused before start-up: the mouse was not even opened.
        EXPECT_THAT(dir.Read("hid.txt"), Not(HasSubstr(" W "))) << name;
    }
}

TEST_F(CliTest, ImportedValuesTheMouseCannotTakeAreRefusedAndCounted) {
    const CliResult before = Cli({"--json", "show", "performance"});
    ASSERT_EQ(before.code, 0) << before.err;
    const std::string stage1 = Stored("dpi_group1_value");
    dir.Write("Odd.xml",
              "<profile><profileinfo><Mouse_DPI dpi_index=\"-5\" dpi_count=\"99\">"
              "<DPI1/><DPI2 value=\"" +
                  stage1 +
                  "\"/></Mouse_DPI><Mouse><report_rate value=\"77\"/></Mouse>"
                  "</profileinfo></profile>");
    const CliResult imported = Cli({"profile", "import", (dir.path() / "Odd.xml").string()});
    ASSERT_EQ(imported.code, 0) << imported.err;
    EXPECT_THAT(imported.err, HasSubstr("3 values in"));
    EXPECT_EQ(Query("SELECT name FROM t_profile_data WHERE profile = 1"),
              std::vector<std::string>{"Odd"});
    // What the mouse holds is what it held: no stage count of 3, no rate 0x4D.
    EXPECT_EQ(Cli({"--json", "show", "performance"}).out, before.out);

    // A file with nothing the mouse takes is no import at all.
    const std::vector<std::string> tables = AllTables();
    dir.Write("Worse.xml",
              "<profile><profileinfo><keyitems><item key_code=\"1\" "
              "macro_type=\"77\" macro_value=\"1\"/></keyitems>"
              "<Mouse><report_rate value=\"77\"/></Mouse></profileinfo></profile>");
    const CliResult refused = Cli({"profile", "import", (dir.path() / "Worse.xml").string()});
    EXPECT_EQ(refused.code, 1);
    EXPECT_THAT(refused.err, HasSubstr("none of the 2 values"));
    EXPECT_EQ(AllTables(), tables);
}

TEST_F(CliTest, AnExportThatCannotBeSavedFails) {
    const CliResult proc = Cli({"profile", "export", "/proc/version"});
    EXPECT_EQ(proc.code, 1);
    EXPECT_THAT(proc.err, HasSubstr("could not be written"));
}

TEST_F(CliTest, ExportNeedsAFolderThatExists) {
    const CliResult result =
        Cli({"profile", "export", (dir.path() / "nowhere" / "Saved.xml").string()});
    EXPECT_EQ(result.code, 2);
    EXPECT_THAT(result.err, HasSubstr("there is no folder"));
    const CliResult folder = Cli({"profile", "export", dir.path().string()});
    EXPECT_EQ(folder.code, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "data" / "db"));
}

}  // namespace
}  // namespace tessaly::test
