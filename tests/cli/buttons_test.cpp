// Button commands select the button in the page's list and work its
// controls, so the page stores the row and sends the button table.

#include <gmock/gmock.h>

#include <algorithm>

#include "cli_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::HasSubstr;

class ButtonCommands : public CliTest {
  protected:
    // The button's row in the current profile: type, value, value 2, text.
    std::vector<std::string> Row(int key_code) const {
        return Query(
            "SELECT macro_type, macro_value, macro_value2, macro_desc FROM t_key_macro_data "
            "WHERE profile = 1 AND key_code = " +
            std::to_string(key_code));
    }
    // A macro of `keys` key events stored between two runs, as a macro file
    // brings it; its id.
    int StoreMacro(int keys) const {
        std::string sql =
            "INSERT INTO t_macro_data(name, play_type, play_times, delay_type, delay_time) "
            "VALUES('Keys', 0, 1, 0, 0);";
        for (int i = 0; i < keys; ++i) {
            sql +=
                "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, "
                "delay_time) VALUES((SELECT MAX(macro_id) FROM t_macro_data), " +
                std::to_string(i % 2 ? 3 : 2) + ", " + std::to_string(i) + ", 'A', 65, 10);";
        }
        sqlite3* db = nullptr;
        const bool done = sqlite3_open_v2(DatabasePath().c_str(), &db, SQLITE_OPEN_READWRITE,
                                          nullptr) == SQLITE_OK &&
                          sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        const std::vector<std::string> id = Query("SELECT MAX(macro_id) FROM t_macro_data");
        return done && !id.empty() ? std::stoi(id.front()) : 0;
    }
    // The written reports of one command, in order.
    std::vector<std::string> WritesOf(const std::string& command) const {
        std::vector<std::string> found;
        for (const std::string& write : Writes()) {
            if (write.rfind("00 " + command + " ", 0) == 0)
                found.push_back(write);
        }
        return found;
    }
    bool TableHolds(const std::string& slot) const {
        const std::vector<std::string> tables = WritesOf("09");
        return !tables.empty() && tables.back().find(slot) != std::string::npos;
    }
    // A refused command: exit 2, its reason, and the store as it was.
    void ExpectRefused(const std::vector<std::string>& args, const std::string& reason) {
        const std::vector<std::string> before = AllTables();
        const CliResult result = Cli(args);
        EXPECT_EQ(result.code, 2) << args.back();
        EXPECT_THAT(result.err, HasSubstr(reason)) << args.back();
        EXPECT_EQ(AllTables(), before) << args.back();
    }
};

TEST_F(CliTest, ButtonDisableAndResetChangeTheKeyTableAsThePageDoes) {
    const CliResult list = Cli({"--json", "button", "list"});
    ASSERT_EQ(list.code, 0) << list.err;
    EXPECT_THAT(list.out, HasSubstr("\"button\": 3"));
    const std::vector<std::string> factory = Query("SELECT * FROM t_key_macro_data");

    ClearTrace();
    ASSERT_EQ(Cli({"status"}).code, 0);
    const size_t read_only = Writes().size();
    ClearTrace();
    const CliResult disabled = Cli({"button", "disable", "3"});
    ASSERT_EQ(disabled.code, 0) << disabled.err;
    EXPECT_NE(Query("SELECT * FROM t_key_macro_data"), factory);
    EXPECT_GT(Writes().size(), read_only);

    // The page asks before a reset.
    EXPECT_EQ(Cli({"button", "reset", "3"}).code, 2);
    ASSERT_EQ(Cli({"--yes", "button", "reset", "3"}).code, 0);
    EXPECT_EQ(Query("SELECT * FROM t_key_macro_data WHERE profile = 1"),
              Query("SELECT * FROM t_key_macro_data WHERE profile = 1 AND 0"));

    const std::vector<std::string> before = AllTables();
    const CliResult missing = Cli({"button", "disable", "99"});
    EXPECT_EQ(missing.code, 2);
    EXPECT_THAT(missing.err, HasSubstr("there is no button 99"));
    EXPECT_EQ(Cli({"button", "reset", "left"}).code, 2);
    EXPECT_EQ(AllTables(), before);
}

TEST_F(ButtonCommands, SetTakesTheChoicesItemByNumberOrName) {
    const CliResult media = Cli({"--json", "button", "set", "3", "media", "volume up"});
    ASSERT_EQ(media.code, 0) << media.err;
    EXPECT_EQ(Row(2), std::vector<std::string>{"3|6|0|Volume up"});
    EXPECT_THAT(media.out, HasSubstr("\"function\": \"Volume up\""));
    // Volume up is consumer usage 0x00E9, in slot 2.
    EXPECT_TRUE(TableHolds("80 E9 00"));

    ClearTrace();
    ASSERT_EQ(Cli({"button", "set", "4", "dpi", "1"}).code, 0);
    EXPECT_EQ(Row(3), std::vector<std::string>{"5|1|0|DPI +"});
    EXPECT_TRUE(TableHolds("80 E9 00 40 02 00"));
    ASSERT_EQ(Cli({"button", "set", "4", "shortcut", "Calculator"}).code, 0);
    EXPECT_EQ(Row(3), std::vector<std::string>{"8|3|0|Calculator"});

    ExpectRefused({"button", "set", "4", "volume", "1"}, "mouse, media, shortcut, dpi or special");
    ExpectRefused({"button", "set", "4", "media", "99"}, "there is no media function \"99\"");
    ExpectRefused({"button", "set", "4", "mouse", "jump"}, "1 (Left button)");
    // The first button keeps its click, with the page's message.
    ExpectRefused({"button", "set", "1", "mouse", "3"}, "cannot be reassigned");
}

TEST_F(ButtonCommands, KeyStoresTheCombinationTheCaptureMakes) {
    const CliResult key = Cli({"button", "key", "4", "ctrl+shift+a"});
    ASSERT_EQ(key.code, 0) << key.err;
    EXPECT_EQ(Row(3), std::vector<std::string>{"2|4|3|Shift+ Ctrl + A"});
    EXPECT_TRUE(TableHolds("70 03 04"));

    ASSERT_EQ(Cli({"button", "key", "5", "F5"}).code, 0);
    EXPECT_EQ(Row(4), std::vector<std::string>{"2|62|0|F5"});
    ASSERT_EQ(Cli({"button", "key", "5", "alt"}).code, 0);
    EXPECT_EQ(Row(4), std::vector<std::string>{"2|0|4|Alt"});

    ExpectRefused({"button", "key", "4", "ctrl+nokey"}, "there is no key named \"nokey\"");
    ExpectRefused({"button", "key", "4", "a+b"}, "holds one key");
    ExpectRefused({"button", "key", "4", "ctrl+"}, "written like ctrl+shift+a");
}

TEST_F(ButtonCommands, RepeatIsLimitedAsThePanelLimitsIt) {
    const CliResult limited = Cli({"--json", "button", "repeat", "4", "3", "300"});
    ASSERT_EQ(limited.code, 0) << limited.err;
    EXPECT_THAT(limited.out, HasSubstr("\"limited\": true"));
    EXPECT_EQ(Row(3), std::vector<std::string>{"7|5|255|Rapid fire"});
    EXPECT_TRUE(TableHolds("30 05 FF"));

    const CliResult kept = Cli({"--json", "button", "repeat", "4", "20", "2"});
    ASSERT_EQ(kept.code, 0) << kept.err;
    EXPECT_THAT(kept.out, HasSubstr("\"limited\": false"));
    EXPECT_EQ(Row(3), std::vector<std::string>{"7|20|2|Rapid fire"});

    ExpectRefused({"button", "repeat", "4", "fast", "2"}, "the interval is a number");
    ExpectRefused({"button", "repeat", "4", "20", "1000"}, "the count is a number");
}

TEST_F(ButtonCommands, MacroIsSentBeforeTheTableAndALongOneIsRefused) {
    ASSERT_EQ(Cli({"status"}).code, 0);
    const int macro = StoreMacro(8);
    const int longest = StoreMacro(101);
    const int too_long = StoreMacro(102);
    ASSERT_GT(macro, 0);
    ASSERT_GT(too_long, longest);

    ClearTrace();
    const CliResult chosen = Cli({"button", "macro", "6", std::to_string(macro)});
    ASSERT_EQ(chosen.code, 0) << chosen.err;
    EXPECT_EQ(Row(5), std::vector<std::string>{"4|" + std::to_string(macro) + "|0|Keys"});
    // The events go first (33 bytes: two packets), then the table with the
    // macro's slot: key code 5 counted, played once.
    std::vector<std::string> order;
    for (const std::string& write : Writes()) {
        if (write.rfind("00 08 ", 0) == 0 || write.rfind("00 09 ", 0) == 0)
            order.push_back(write.substr(3, 2));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"08", "08", "09"}));
    EXPECT_TRUE(TableHolds("90 25 01"));

    ClearTrace();
    ASSERT_EQ(Cli({"button", "macro", "6", std::to_string(longest)}).code, 0);
    EXPECT_EQ(WritesOf("08").size(), 15u);

    ClearTrace();
    ExpectRefused({"button", "macro", "6", std::to_string(too_long)}, "more than 101 events");
    ExpectRefused({"button", "macro", "6", "999"}, "there is no macro 999");
    ExpectRefused({"button", "macro", "6", "first"}, "a macro is its number");
    EXPECT_TRUE(WritesOf("08").empty());
    EXPECT_EQ(Row(5), std::vector<std::string>{"4|" + std::to_string(longest) + "|0|Keys"});
}

TEST_F(ButtonCommands, AMacroTheMouseDidNotTakeFailsAndTheTableIsNotSent) {
    ASSERT_EQ(Cli({"status"}).code, 0);
    const int macro = StoreMacro(8);
    ASSERT_GT(macro, 0);
    const std::vector<std::string> stored{"4|" + std::to_string(macro) + "|0|Keys"};
    for (const std::string fault : {"08=silent", "08=status:04", "08=off"}) {
        extra_env = {"TESSALY_EMULATE_FAULTS=" + fault};
        ClearTrace();
        const CliResult result = Cli({"button", "macro", "6", std::to_string(macro)});
        EXPECT_EQ(result.code, 1) << fault;
        EXPECT_THAT(result.err, HasSubstr("the mouse did not take the button assignments"))
            << fault;
        EXPECT_FALSE(WritesOf("08").empty()) << fault;
        // The button must not point at macro memory the mouse did not fill.
        EXPECT_TRUE(WritesOf("09").empty()) << fault;
        EXPECT_EQ(Row(5), stored) << fault;
    }
}

}  // namespace
}  // namespace tessaly::test
