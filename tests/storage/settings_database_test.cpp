#include "storage/settings_database.h"
#include "storage/macro_table.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "base/trace.h"
#include "storage/config_store.h"
#include "storage/profile_table.h"
#include "storage/settings_transaction.h"
#include "storage/sqlite_auto_transaction.h"
#include "storage_fixture.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using test::NamedProfile;
using test::StorageTest;

std::string RunCommand(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return {};
    std::string output;
    std::array<char, 4096> buffer;
    while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe.get()))
        output.append(buffer.data(), n);
    return output;
}

std::set<std::string> Lines(const std::string& text) {
    std::set<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.insert(line);
    return lines;
}

std::vector<fs::path> FilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files.push_back(entry.path().filename());
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

using SettingsDatabaseTest = StorageTest;

TEST_F(SettingsDatabaseTest, NewModelFileHasEveryTableAndIndex) {
    const fs::path file = DatabaseFile("M100");
    ASSERT_TRUE(fs::exists(file));
    const std::set<std::string> expected = {
        "CREATE TABLE t_configdata(config_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
        "key TEXT, value TEXT);",
        "CREATE TABLE sqlite_sequence(name,seq);",
        "CREATE TABLE t_profile_data(profile INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT, "
        "status INTEGER, app TEXT, type INTEGER);",
        "CREATE INDEX profileindex ON t_profile_data(profile);",
        "CREATE TABLE t_key_macro_data(key_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
        "fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, layout_desc TEXT, macro_type "
        "INTEGER, macro_value INTEGER, macro_value2 INTEGER, macro_value3 INTEGER, macro_desc "
        "TEXT);",
        "CREATE INDEX keyindex ON t_key_macro_data(key_id);",
        "CREATE TABLE t_key_otherdata(macro_value INTEGER PRIMARY KEY AUTOINCREMENT, macro_desc "
        "TEXT, param TEXT, type INTEGER);",
        "CREATE INDEX otheridindex ON t_key_otherdata(macro_value);",
        "CREATE TABLE t_macro_data(macro_id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT, "
        "play_type INTEGER, play_times INTEGER, delay_type INTEGER, delay_time INTEGER);",
        "CREATE INDEX macroidindex ON t_macro_data(macro_id);",
        "CREATE TABLE t_macrorecord(record_id INTEGER PRIMARY KEY AUTOINCREMENT, macro_id INTEGER, "
        "type INTEGER, record_index INTEGER, desc TEXT, value INTEGER, delay_time INTEGER);",
        "CREATE INDEX macrorecordindex ON t_macrorecord(record_id);",
        "CREATE INDEX macrorecordmacroindex ON t_macrorecord(macro_id);",
        "CREATE TABLE t_light_data(light_id INTEGER PRIMARY KEY AUTOINCREMENT, profile INTEGER, "
        "name TEXT, mode INTEGER, brightness INTEGER, speed INTEGER, direction INTEGER, colorful "
        "INTEGER, colorindex INTEGER, color_value1 INTEGER, color_value2 INTEGER, color_value3 "
        "INTEGER, color_value4 INTEGER, color_value5 INTEGER, color_value6 INTEGER, color_value7 "
        "INTEGER, config_func INTEGER, reserved INTEGER, status INTEGER);",
        "CREATE INDEX lightindex ON t_light_data(light_id);",
        "CREATE TABLE t_key_light_data(keylight_id INTEGER PRIMARY KEY AUTOINCREMENT, profile "
        "INTEGER, light_id INTEGER, key_code INTEGER, key_rgb INTEGER);",
        "CREATE INDEX keylightindex ON t_key_light_data(keylight_id);",
    };
    SettingsDatabase::Instance().Close();  // the tool reads a quiet file
    EXPECT_EQ(Lines(RunCommand("sqlite3 '" + file.string() + "' .schema")), expected);
}

TEST_F(SettingsDatabaseTest, NewDatabaseHasNoProfilesAndReselectingKeepsIt) {
    auto& database = SettingsDatabase::Instance();
    EXPECT_TRUE(database.IsOpened());
    EXPECT_EQ(database.Path(), DatabaseFile("M100").string());
    std::vector<ProfileInfo> profiles;
    EXPECT_EQ(ListProfiles(profiles), 0);

    ASSERT_NE(AddProfile(NamedProfile(u"kept")), 0);
    EXPECT_TRUE(Select(u"M100"));
    database.Close();
    EXPECT_FALSE(database.IsOpened());
    EXPECT_EQ(ListProfiles(profiles), 0);  // closed: reads give nothing
    EXPECT_TRUE(Select(u"M100"));
    EXPECT_EQ(ListProfiles(profiles), 1);
}

TEST_F(SettingsDatabaseTest, DeletedFileGivesAFreshDatabase) {
    ASSERT_NE(AddProfile(NamedProfile(u"old")), 0);
    SettingsDatabase::Instance().Close();
    fs::remove(DatabaseFile("M100"));
    ASSERT_TRUE(Select(u"M100"));
    std::vector<ProfileInfo> profiles;
    EXPECT_EQ(ListProfiles(profiles), 0);
    EXPECT_NE(AddProfile(NamedProfile(u"new")), 0);
}

TEST_F(SettingsDatabaseTest, AFileWithoutTheEventsMacroIndexGetsItAndKeepsItsEvents) {
    const std::string kEventIndexes =
        "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = 't_macrorecord' "
        "ORDER BY name";
    SettingsDatabase::Instance().Close();
    const fs::path file = DatabaseFile("M100");
    RunCommand(
        "sqlite3 '" + file.string() + "' 'DROP INDEX macrorecordmacroindex; " +
        "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) " +
        "VALUES (7, 1, 0, \"A\", 4, 10), (8, 1, 0, \"B\", 5, 10), (7, 2, 1, \"A\", 4, 20);'");
    ASSERT_EQ(RunCommand("sqlite3 '" + file.string() + "' \"" + kEventIndexes + "\""),
              "macrorecordindex\n");
    ASSERT_TRUE(Select(u"M100"));
    std::vector<MacroEvent> events;
    EXPECT_EQ(ListMacroEvents(7, events), 2);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].delay_time, 20);
    SettingsDatabase::Instance().Close();
    EXPECT_EQ(RunCommand("sqlite3 '" + file.string() + "' \"" + kEventIndexes + "\""),
              "macrorecordindex\nmacrorecordmacroindex\n");
}

TEST_F(SettingsDatabaseTest, ATransactionKeepsAllOrNothingOfItsOperations) {
    ASSERT_TRUE(Select(u"P100"));
    const int profile = AddProfile(NamedProfile(u"Profile 1"));
    ASSERT_GT(profile, 0);
    {
        SettingsTransaction transaction;
        ASSERT_TRUE(transaction.Begun());
        // The operations inside take the lock again on this thread.
        EXPECT_TRUE(SetConfigValue(profile, u"report_rate", u"8"));
        // A bracket inside the transaction does not commit it.
        SQLiteAutoTransaction inner(&SettingsDatabase::Instance().Lock().db());
        EXPECT_TRUE(inner.End());
        EXPECT_FALSE(SettingsTransaction().Begun());
    }
    std::u16string value;
    ASSERT_TRUE(GetConfigValue(profile, u"report_rate", value));
    EXPECT_EQ(value, u"2");
    {
        SettingsTransaction transaction;
        EXPECT_TRUE(SetConfigValue(profile, u"report_rate", u"4"));
        EXPECT_TRUE(transaction.Commit());
    }
    ASSERT_TRUE(GetConfigValue(profile, u"report_rate", value));
    EXPECT_EQ(value, u"4");
}

TEST_F(SettingsDatabaseTest, MissingDatabaseFolderIsCreated) {
    SettingsDatabase::Instance().Close();
    fs::remove_all(dir_.path() / "db");
    EXPECT_TRUE(Select(u"M200"));
    EXPECT_TRUE(fs::exists(DatabaseFile("M200")));
}

// A file that is not a usable database is kept aside and replaced by a fresh
// one, so saves keep working.
class CorruptDatabaseTest : public StorageTest {
  protected:
    void ExpectRecovered(const std::string& bad_bytes) {
        const fs::path trace = dir_.path() / "trace.log";
        ASSERT_TRUE(SetTraceFile(trace.string()));
        ASSERT_TRUE(Select(u"M100"));
        SetTraceFile("");

        const auto files = FilesIn(dir_.path() / "db");
        ASSERT_EQ(files.size(), 2u);
        EXPECT_EQ(files[0], "M100_data.db");
        const std::string kept = files[1].string();
        EXPECT_TRUE(kept.starts_with("M100_data.db.corrupt-")) << kept;
        EXPECT_EQ(ReadBytes(dir_.path() / "db" / kept), bad_bytes);
        EXPECT_NE(ReadBytes(trace).find(kept), std::string::npos);

        const int id = AddProfile(NamedProfile(u"fresh"));
        ASSERT_NE(id, 0);
        EXPECT_TRUE(SetConfigValue(id, u"dpi_index", u"3"));
        std::u16string value;
        EXPECT_TRUE(GetConfigValue(id, u"dpi_index", value));
        EXPECT_EQ(value, u"3");
    }

    std::string RealDatabaseBytes() {
        for (int i = 0; i < 20; ++i)
            AddProfile(NamedProfile(u"profile"));
        SettingsDatabase::Instance().Close();
        return ReadBytes(DatabaseFile("M100"));
    }

    void Overwrite(const std::string& bytes) {
        SettingsDatabase::Instance().Close();
        std::ofstream(DatabaseFile("M100"), std::ios::binary | std::ios::trunc) << bytes;
    }
};

TEST_F(CorruptDatabaseTest, NotADatabase) {
    const std::string garbage(8192, 'x');
    Overwrite(garbage);
    ExpectRecovered(garbage);
}

TEST_F(CorruptDatabaseTest, TruncatedFile) {
    const std::string bytes = RealDatabaseBytes();
    ASSERT_GT(bytes.size(), 8192u);
    const std::string truncated = bytes.substr(0, bytes.size() / 2);
    Overwrite(truncated);
    ExpectRecovered(truncated);
}

TEST_F(CorruptDatabaseTest, DamagedPages) {
    std::string bytes = RealDatabaseBytes();
    const size_t page = 4096;
    ASSERT_GT(bytes.size(), 3 * page);
    // Page 2 onwards (the tables' b-tree pages) overwritten; the header stays.
    std::fill(bytes.begin() + page, bytes.begin() + 3 * page, '\xA5');
    Overwrite(bytes);
    ExpectRecovered(bytes);
}

TEST_F(CorruptDatabaseTest, EmptyFile) {
    Overwrite("");
    ExpectRecovered("");
}

TEST_F(CorruptDatabaseTest, HealthyFileIsKeptAsItIs) {
    const int id = AddProfile(NamedProfile(u"mine"));
    SettingsDatabase::Instance().Close();
    ASSERT_TRUE(Select(u"M100"));
    EXPECT_EQ(FilesIn(dir_.path() / "db").size(), 1u);
    std::u16string name;
    EXPECT_TRUE(GetProfileName(id, name));
    EXPECT_EQ(name, u"mine");
}

TEST_F(CorruptDatabaseTest, SecondDamageDoesNotReplaceTheFirstKeptFile) {
    Overwrite("first damage, long enough to be more than a header...");
    ASSERT_TRUE(Select(u"M100"));
    Overwrite("second damage, long enough to be more than a header..");
    ASSERT_TRUE(Select(u"M100"));
    EXPECT_EQ(FilesIn(dir_.path() / "db").size(), 3u);
}

}  // namespace
}  // namespace tessaly
