// Macro commands act on the macro page as a user does: the stored rows, the
// printed lists and the written files are the page's.

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cli_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

class CliMacroTest : public CliTest {
  protected:
    std::vector<std::string> Macros() const {
        return Query(
            "SELECT macro_id, name, play_type, play_times, delay_type, delay_time FROM "
            "t_macro_data ORDER BY macro_id");
    }
    // type|value|desc of each event in order.
    std::vector<std::string> Events(int macro) const {
        return Query("SELECT type, value, desc FROM t_macrorecord WHERE macro_id = " +
                     std::to_string(macro) + " ORDER BY record_index");
    }
    std::vector<long> Stamps(int macro) const {
        std::vector<long> stamps;
        for (const std::string& row : Query(
                 "SELECT delay_time FROM t_macrorecord WHERE macro_id = " + std::to_string(macro) +
                 " ORDER BY record_index"))
            stamps.push_back(std::stol(row));
        return stamps;
    }
    void Ok(std::vector<std::string> args) {
        const CliResult result = Cli(std::move(args));
        ASSERT_EQ(result.code, 0) << result.err;
    }
    // A refused command: its exit code and message, and nothing stored.
    void Refused(std::vector<std::string> args, int code, const std::string& message) {
        const std::vector<std::string> before = AllTables();
        const CliResult result = Cli(args);
        EXPECT_EQ(result.code, code) << args.back() << ": " << result.err;
        EXPECT_THAT(result.err, HasSubstr(message));
        EXPECT_EQ(AllTables(), before) << args.back();
    }
    std::string File(const std::string& name) const { return (dir.path() / name).string(); }
    static bool Lints(const std::string& path) {
        return std::system(("xmllint --noout '" + path + "' 2>/dev/null").c_str()) == 0;
    }
    static bool HaveXmllint() { return std::system("xmllint --version >/dev/null 2>&1") == 0; }
};

TEST_F(CliMacroTest, NewRenameDeleteAndTheLists) {
    const CliResult empty = Cli({"--json", "macro", "list"});
    ASSERT_EQ(empty.code, 0) << empty.err;
    EXPECT_THAT(empty.out, HasSubstr("\"macros\": []"));

    const CliResult created = Cli({"--json", "macro", "new"});
    ASSERT_EQ(created.code, 0) << created.err;
    EXPECT_THAT(created.out, HasSubstr("\"macro\": 1"));
    EXPECT_THAT(created.out, HasSubstr("\"name\": \"Custom 1\""));
    Ok({"macro", "new"});
    // New macros play once, with recorded delays.
    EXPECT_THAT(Macros(), ElementsAre("1|Custom 1|0|1|1|0", "2|Custom 2|0|1|1|0"));

    const CliResult renamed = Cli({"macro", "rename", "1", "Jump & \"run\""});
    ASSERT_EQ(renamed.code, 0) << renamed.err;
    EXPECT_THAT(renamed.out, HasSubstr("Jump & \"run\""));
    EXPECT_EQ(Macros().front(), "1|Jump & \"run\"|0|1|1|0");

    // The list shows names as the page does: the factory prefix in the
    // language of the run.
    const CliResult list = Cli({"--json", "macro", "list"});
    ASSERT_EQ(list.code, 0) << list.err;
    EXPECT_THAT(list.out, HasSubstr("\"macro\": 2,\n      \"name\": \"Custom 2\",\n      "
                                    "\"events\": 0,\n      \"play\": \"count\",\n      "
                                    "\"count\": 1,\n      \"delay\": \"measured\",\n      "
                                    "\"delay_ms\": 0"));
    const CliResult chinese = Cli({"--lang", "2052", "macro", "list"});
    ASSERT_EQ(chinese.code, 0) << chinese.err;
    EXPECT_THAT(chinese.out, HasSubstr("\u81ea\u5b9a\u4e49 2"));

    // show has the same rows, alone or with everything else.
    const CliResult shown = Cli({"--json", "show", "macros"});
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_THAT(shown.out, HasSubstr("\"macros\": {\n    \"macros\": ["));
    EXPECT_THAT(shown.out, HasSubstr("\"name\": \"Custom 2\""));
    const CliResult all = Cli({"show"});
    ASSERT_EQ(all.code, 0) << all.err;
    EXPECT_THAT(all.out, HasSubstr("Jump & \"run\""));

    const CliResult deleted = Cli({"--json", "macro", "delete", "2"});
    ASSERT_EQ(deleted.code, 0) << deleted.err;
    EXPECT_THAT(deleted.out, Not(HasSubstr("\"macro\": 2")));
    EXPECT_THAT(Macros(), ElementsAre("1|Jump & \"run\"|0|1|1|0"));

    Refused({"macro", "show", "2"}, 2, "there is no macro 2");
    Refused({"macro", "rename", "7", "x"}, 2, "there is no macro 7");
    Refused({"macro", "delete", "7"}, 2, "there is no macro 7");
    Refused({"macro", "rename", "1", ""}, 2, "cannot be empty");
    Refused({"macro", "delete", "one"}, 2, "a macro is its number");
    Refused({"macro", "show"}, 2, "missing argument");
}

TEST_F(CliMacroTest, TextOutputEscapesControlBytesAndCutsLongCells) {
    Ok({"macro", "new"});
    Ok({"macro", "new"});
    Ok({"macro", "rename", "1", "evil\x1b]0;owned\x07\nnext"});
    Ok({"macro", "rename", "2", std::string(5000, 'w')});

    const CliResult list = Cli({"macro", "list"});
    ASSERT_EQ(list.code, 0) << list.err;
    EXPECT_THAT(list.out, Not(HasSubstr("\x1b"))) << "no raw escape reaches the terminal";
    EXPECT_THAT(list.out, Not(HasSubstr("\x07")));
    EXPECT_THAT(list.out, HasSubstr("evil\\x1b]0;owned\\x07\\nnext"));
    // The list's title, the header and one line per macro: the line break
    // stays inside its row, and the long name is cut instead of padding every
    // row to its width.
    EXPECT_EQ(std::count(list.out.begin(), list.out.end(), '\n'), 4) << list.out;
    EXPECT_LT(list.out.size(), 600u) << list.out;
    EXPECT_THAT(list.out, HasSubstr("ww\u2026"));

    // JSON keeps the names whole.
    const CliResult json = Cli({"--json", "macro", "show", "2"});
    ASSERT_EQ(json.code, 0) << json.err;
    EXPECT_THAT(json.out, HasSubstr(std::string(5000, 'w')));
    const CliResult shown = Cli({"macro", "show", "1"});
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_THAT(shown.out, Not(HasSubstr("\x1b")));
}

TEST_F(CliMacroTest, RenamingFollowsTheButtonsThatPlayTheMacro) {
    Ok({"macro", "new"});
    Ok({"macro", "insert", "1", "end", "key", "A"});
    Ok({"button", "macro", "6", "1"});
    const std::string assigned =
        "SELECT macro_desc FROM t_key_macro_data WHERE profile = 1 AND macro_value = 1 AND "
        "macro_type = 4";
    EXPECT_THAT(Query(assigned), ElementsAre("Custom 1"));
    Ok({"macro", "rename", "1", "Dash"});
    EXPECT_THAT(Query(assigned), ElementsAre("Dash"));
    // Deleting leaves the button's assignment as it was.
    Ok({"macro", "delete", "1"});
    EXPECT_TRUE(Macros().empty());
    EXPECT_TRUE(Events(1).empty());
    EXPECT_THAT(Query(assigned), ElementsAre("Dash"));
}

TEST_F(CliMacroTest, SettingsAreThePageChoicesAndFields) {
    Ok({"macro", "new"});
    // The count field is limited to 255: the virtual mouse's identifier is
    // above 200.
    const CliResult count = Cli({"--json", "macro", "settings", "1", "count", "5000"});
    ASSERT_EQ(count.code, 0) << count.err;
    EXPECT_THAT(count.out, HasSubstr("\"count\": 255"));
    EXPECT_EQ(Macros().front(), "1|Custom 1|0|255|1|0");
    Ok({"macro", "settings", "1", "count", "-4"});
    EXPECT_EQ(Macros().front(), "1|Custom 1|0|1|1|0");
    Ok({"macro", "settings", "1", "count", "12"});
    EXPECT_EQ(Macros().front(), "1|Custom 1|0|12|1|0");

    // Other play modes play once; choosing the count again starts at 1.
    Ok({"macro", "settings", "1", "mode", "held"});
    EXPECT_EQ(Macros().front(), "1|Custom 1|1|1|1|0");
    Ok({"macro", "settings", "1", "mode", "toggle"});
    EXPECT_EQ(Macros().front(), "1|Custom 1|2|1|1|0");
    // A count typed in switches to the count choice first.
    Ok({"macro", "settings", "1", "count", "3"});
    EXPECT_EQ(Macros().front(), "1|Custom 1|0|3|1|0");
    Ok({"macro", "settings", "1", "mode", "count"});
    EXPECT_EQ(Macros().front(), "1|Custom 1|0|1|1|0");

    // A fixed delay starts at 10 ms; the field is limited to 1-10000.
    Ok({"macro", "settings", "1", "delay", "fixed"});
    EXPECT_EQ(Macros().front(), "1|Custom 1|0|1|2|10");
    const CliResult fixed = Cli({"macro", "settings", "1", "delay", "fixed", "20000"});
    ASSERT_EQ(fixed.code, 0) << fixed.err;
    EXPECT_THAT(fixed.out, HasSubstr("10000"));
    EXPECT_EQ(Macros().front(), "1|Custom 1|0|1|2|10000");
    Ok({"macro", "settings", "1", "delay", "none"});
    EXPECT_EQ(Macros().front(), "1|Custom 1|0|1|0|0");
    Ok({"macro", "settings", "1", "delay", "measured"});
    EXPECT_EQ(Macros().front(), "1|Custom 1|0|1|1|0");

    Refused({"macro", "settings", "1", "count", "many"}, 2, "a play count is a number");
    Refused({"macro", "settings", "1", "mode", "loop"}, 2, "count, held or toggle");
    Refused({"macro", "settings", "1", "delay", "none", "5"}, 2, "only a fixed delay");
    Refused({"macro", "settings", "1", "delay", "fixed", "soon"}, 2, "milliseconds");
    Refused({"macro", "settings", "1", "speed", "3"}, 2, "count, mode or delay");
    Refused({"macro", "settings", "4", "count", "3"}, 2, "there is no macro 4");
}

TEST_F(CliMacroTest, InsertAddsTheMenuEventsWithSharedStamps) {
    Ok({"macro", "new"});
    const CliResult key = Cli({"macro", "insert", "1", "end", "key", "a"});
    ASSERT_EQ(key.code, 0) << key.err;
    EXPECT_THAT(key.out, HasSubstr("key press"));
    EXPECT_THAT(Events(1),
                ElementsAre("2|65|\u2193  A", "1|10|10 ms", "3|65|\u2191  A", "1|10|10 ms"));
    // Press and release share the stamp s; the delays are s+1 and s+2.
    std::vector<long> stamps = Stamps(1);
    ASSERT_EQ(stamps.size(), 4u);
    EXPECT_EQ(stamps[2], stamps[0]);
    EXPECT_EQ(stamps[1], stamps[0] + 1);
    EXPECT_EQ(stamps[3], stamps[0] + 2);

    Ok({"macro", "insert", "1", "end", "click", "right"});
    // After the first event: the middle button's press lands second.
    Ok({"macro", "insert", "1", "1", "click", "middle"});
    Ok({"macro", "insert", "1", "end", "key", "rshift"});
    EXPECT_THAT(
        Events(1),
        ElementsAre("2|65|\u2193  A", "4|4|\u2193  MB", "1|10|10 ms", "5|4|\u2191  MB",
                    "1|10|10 ms", "1|10|10 ms", "3|65|\u2191  A", "1|10|10 ms", "4|2|\u2193  RB",
                    "1|10|10 ms", "5|2|\u2191  RB", "1|10|10 ms", "2|161|\u2193  RShift",
                    "1|10|10 ms", "3|161|\u2191  RShift", "1|10|10 ms"));

    // A delay after event 2, its 10 ms changed in the event editor (limited
    // to 1-10000); a delay at the end keeps its 10 ms.
    Ok({"macro", "insert", "1", "2", "delay", "250"});
    Ok({"macro", "insert", "1", "end", "delay"});
    Ok({"macro", "insert", "1", "3", "delay", "0"});
    const std::vector<std::string> events = Events(1);
    ASSERT_EQ(events.size(), 19u);
    EXPECT_EQ(events[2], "1|250|250 ms");
    EXPECT_EQ(events[3], "1|1|1 ms");
    EXPECT_EQ(events.back(), "1|10|10 ms");

    const CliResult shown = Cli({"--json", "macro", "show", "1"});
    ASSERT_EQ(shown.code, 0) << shown.err;
    EXPECT_THAT(shown.out,
                HasSubstr("\"event\": 1,\n      \"kind\": \"key press\",\n      \"text\": "
                          "\"\u2193  A\",\n      \"value\": 65,\n      \"stamp\": " +
                          std::to_string(stamps[0])));
    EXPECT_THAT(shown.out, HasSubstr("\"kind\": \"button release\""));
    EXPECT_THAT(shown.out, HasSubstr("\"event\": 19,"));
    const CliResult listed = Cli({"--json", "macro", "list"});
    EXPECT_THAT(listed.out, HasSubstr("\"events\": 19"));

    Refused({"macro", "insert", "1", "40", "delay"}, 2, "has 19 events");
    Refused({"macro", "insert", "1", "0", "delay"}, 2, "POS is the number");
    Refused({"macro", "insert", "1", "end", "key", "Hyper"}, 2, "no key is named");
    Refused({"macro", "insert", "1", "end", "click", "back"}, 2, "left, right or middle");
    Refused({"macro", "insert", "1", "end", "wait"}, 2, "key, click or delay");
    Refused({"macro", "insert", "1", "end", "delay", "long"}, 2, "milliseconds");
    Refused({"macro", "insert", "2", "end", "delay"}, 2, "there is no macro 2");
}

TEST_F(CliMacroTest, EventsAreEditedMovedAndDeletedAsInTheEventList) {
    Ok({"macro", "new"});
    Ok({"macro", "insert", "1", "end", "key", "a"});
    Ok({"macro", "insert", "1", "end", "click", "left"});
    // A key's press and release change together, as the editor changes them.
    const CliResult key = Cli({"--json", "macro", "edit", "1", "3", "key", "F5"});
    ASSERT_EQ(key.code, 0) << key.err;
    EXPECT_THAT(key.out, HasSubstr("\"text\": \"\u2191  F5\""));
    Ok({"macro", "edit", "1", "5", "click", "right"});
    Ok({"macro", "edit", "1", "2", "delay", "99999"});
    EXPECT_THAT(Events(1), ElementsAre("2|116|\u2193  F5", "1|10000|10000 ms", "3|116|\u2191  F5",
                                       "1|10|10 ms", "4|2|\u2193  RB", "1|10|10 ms",
                                       "5|2|\u2191  RB", "1|10|10 ms"));
    Refused({"macro", "edit", "1", "2", "key", "B"}, 2, "event 2 of macro 1 is no key press");
    Refused({"macro", "edit", "1", "1", "click", "left"}, 2, "is no button press");
    Refused({"macro", "edit", "1", "1", "delay", "5"}, 2, "is no delay");
    Refused({"macro", "edit", "1", "9", "delay", "5"}, 2, "has 8 events: POS is 1–8");
    Refused({"macro", "edit", "1", "1", "key", "Hyper"}, 2, "no key is named");
    Refused({"macro", "edit", "1", "1", "wait", "5"}, 2, "key, click or delay");

    // The move buttons step one place; the event menu goes to an end.
    Ok({"macro", "move", "1", "5", "top"});
    Ok({"macro", "move", "1", "2", "down"});
    Ok({"macro", "move", "1", "8", "down"});  // the last stays last
    EXPECT_THAT(Events(1), ElementsAre("4|2|\u2193  RB", "1|10000|10000 ms", "2|116|\u2193  F5",
                                       "3|116|\u2191  F5", "1|10|10 ms", "1|10|10 ms",
                                       "5|2|\u2191  RB", "1|10|10 ms"));
    Refused({"macro", "move", "1", "1", "left"}, 2, "up, down, top or bottom");

    const CliResult removed = Cli({"macro", "remove", "1", "2"});
    ASSERT_EQ(removed.code, 0) << removed.err;
    EXPECT_EQ(Events(1).size(), 7u);
    EXPECT_EQ(Events(1)[1], "2|116|\u2193  F5");
    Refused({"macro", "remove", "1", "0"}, 2, "POS is an event's number");
    Refused({"macro", "remove", "2", "1"}, 2, "there is no macro 2");

    Ok({"macro", "clear", "1"});
    EXPECT_TRUE(Events(1).empty());
    EXPECT_EQ(Macros().size(), 1u) << "the macro stays";
    Refused({"macro", "remove", "1", "1"}, 2, "POS is none (the list is empty)");
}

TEST_F(CliMacroTest, FullEventListRefusesInsertion) {
    Ok({"macro", "new"});
    std::string rows;
    for (int i = 0; i < 200; ++i)
        rows +=
            "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
            "VALUES (1, 1, " +
            std::to_string(i) + ", '10 ms', 10, " + std::to_string(i) + ");";
    ASSERT_TRUE(Execute(rows));
    Refused({"macro", "insert", "1", "end", "delay"}, 2, "is full (200 events)");
    Refused({"macro", "insert", "1", "5", "key", "B"}, 2, "is full (200 events)");

    // One fewer: the insertion goes past 200, as on the page.
    ASSERT_TRUE(Execute("DELETE FROM t_macrorecord WHERE record_index = 199"));
    Ok({"macro", "insert", "1", "end", "click", "left"});
    EXPECT_EQ(Events(1).size(), 203u);
}

TEST_F(CliMacroTest, ExportAndImportBothFormats) {
    Ok({"macro", "new"});
    Ok({"macro", "rename", "1", "Jump"});
    Ok({"macro", "settings", "1", "count", "3"});
    Ok({"macro", "insert", "1", "end", "key", "A"});
    Ok({"macro", "new"});  // Custom 2, no events
    const std::vector<long> stamps = Stamps(1);
    ASSERT_EQ(stamps.size(), 4u);

    // One macro, under the name the list shows (the run's language).
    const CliResult exported = Cli({"--json", "macro", "export", "1", File("one.xml")});
    ASSERT_EQ(exported.code, 0) << exported.err;
    EXPECT_THAT(exported.out, HasSubstr(File("one.xml")));
    const std::string s = std::to_string(stamps[0]);
    const std::string one =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macro>\r\n"
        "<macroinfo macro_name=\"Jump\" macro_type=\"0\" play_times=\"3\" delay_type=\"1\" "
        "delay_time=\"0\"/>\r\n<macroitems>\r\n"
        "<item desc=\"\u2193  A\" index=\"0\" type=\"2\" value=\"65\" timestamp=\"" +
        s + "\"/>\r\n<item desc=\"10 ms\" index=\"1\" type=\"1\" value=\"10\" timestamp=\"" +
        std::to_string(stamps[1]) +
        "\"/>\r\n<item desc=\"\u2191  A\" index=\"2\" type=\"3\" value=\"65\" timestamp=\"" + s +
        "\"/>\r\n<item desc=\"10 ms\" index=\"3\" type=\"1\" value=\"10\" timestamp=\"" +
        std::to_string(stamps[3]) + "\"/>\r\n</macroitems>\r\n</macro>";
    EXPECT_THAT(dir.Read("one.xml"), HasSubstr(one));
    Ok({"--lang", "2052", "macro", "export", "2", File("two.xml")});
    EXPECT_THAT(dir.Read("two.xml"), HasSubstr("macro_name=\"\u81ea\u5b9a\u4e49 2\""));
    EXPECT_THAT(dir.Read("two.xml"), HasSubstr("<macroitems/>"));

    // All macros, under their stored names.
    Ok({"macro", "export-all", File("all.xml")});
    const std::string all = dir.Read("all.xml");
    EXPECT_THAT(all, HasSubstr("<macro_item macro_name=\"Jump\" macro_type=\"0\" "
                               "play_times=\"3\" delay_type=\"1\" delay_time=\"0\">\r\n"
                               "<record_item>\r\n<item desc=\"\u2193  A\""));
    EXPECT_THAT(all, HasSubstr("<macro_item macro_name=\"Custom 2\" macro_type=\"0\" "
                               "play_times=\"1\" delay_type=\"1\" delay_time=\"0\"/>"));

    const CliResult imported = Cli({"--json", "macro", "import", File("one.xml")});
    ASSERT_EQ(imported.code, 0) << imported.err;
    EXPECT_THAT(imported.out, HasSubstr("\"macro\": 3"));
    EXPECT_EQ(Macros().back(), "3|Jump|0|3|1|0");
    EXPECT_EQ(Events(3), Events(1));
    EXPECT_EQ(Stamps(3), stamps);

    const CliResult both = Cli({"--json", "macro", "import-all", File("all.xml")});
    ASSERT_EQ(both.code, 0) << both.err;
    EXPECT_THAT(both.out, HasSubstr("\"macro\": 4"));
    EXPECT_THAT(both.out, HasSubstr("\"macro\": 5"));
    EXPECT_THAT(Macros(), ElementsAre("1|Jump|0|3|1|0", "2|Custom 2|0|1|1|0", "3|Jump|0|3|1|0",
                                      "4|Jump|0|3|1|0", "5|Custom 2|0|1|1|0"));
    EXPECT_EQ(Events(4), Events(1));
    EXPECT_TRUE(Events(5).empty());

    if (!HaveXmllint())
        GTEST_SKIP() << "xmllint is not installed";
    EXPECT_TRUE(Lints(File("one.xml")));
    EXPECT_TRUE(Lints(File("two.xml")));
    EXPECT_TRUE(Lints(File("all.xml")));
}

TEST_F(CliMacroTest, FilesThatCannotBeUsedChangeNothing) {
    Ok({"macro", "list"});
    // Without macros there is nothing to export.
    Refused({"macro", "export-all", File("none.xml")}, 2, "there is no macro to export");
    EXPECT_FALSE(std::filesystem::exists(File("none.xml")));
    Ok({"macro", "new"});
    Ok({"macro", "export", "1", File("one.xml")});

    Refused({"macro", "import", File("missing.xml")}, 2, "does not exist");
    Refused({"macro", "import", dir.path().string()}, 2, "is not a file");
    std::ofstream(File("broken.xml")) << "<macro><macroinfo macro_name=\"x\"/>";
    Refused({"macro", "import", File("broken.xml")}, 2, "not a well-formed XML file");
    std::ofstream(File("other.xml")) << "<profile><macroinfo macro_name=\"x\"/></profile>";
    Refused({"macro", "import-all", File("other.xml")}, 2, "its root is not \"macro\"");
    // A one-macro file holds no macro_item.
    Refused({"macro", "import-all", File("one.xml")}, 2, "no \"macro_item\"");

    Refused({"macro", "export", "1", File("no/such/folder/x.xml")}, 2, "does not exist");
    Refused({"macro", "export-all", dir.path().string()}, 2, "is a folder");
    Refused({"macro", "export", "9", File("nine.xml")}, 2, "there is no macro 9");
    EXPECT_FALSE(std::filesystem::exists(File("nine.xml")));
    // The save's own result decides: a file that cannot be replaced is a failure.
    Refused({"macro", "export", "1", "/proc/version"}, 1, "could not be written");
    Refused({"macro", "export-all", "/proc/version"}, 1, "could not be written");
}

}  // namespace
}  // namespace tessaly::test
