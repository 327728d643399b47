#include <filesystem>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "storage/config_store.h"
#include "storage/profile_table.h"
#include "storage/sqlite_db.h"
#include "storage/sqlite_statement.h"
#include "storage_fixture.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using test::NamedProfile;
using ModelSwitchTest = test::StorageTest;

// Rows of t_profile_data in a file, read with a connection of its own; -1
// when the table is missing.
int ProfileRows(const fs::path& file) {
    SQLiteDB db;
    if (!db.Open(file.c_str(), SQLITE_OPEN_READONLY))
        return -1;
    SQLiteStatement statement;
    db.Prepare(statement, "SELECT count(*) FROM t_profile_data");
    return statement.Step() == SQLITE_ROW ? statement.ColumnInt(0) : -1;
}

TEST_F(ModelSwitchTest, EachModelWritesItsOwnFile) {
    ASSERT_NE(AddProfile(NamedProfile(u"first model")), 0);
    ASSERT_TRUE(Select(u"M200"));
    EXPECT_EQ(SettingsDatabase::Instance().Path(), DatabaseFile("M200").string());
    ASSERT_NE(AddProfile(NamedProfile(u"second model")), 0);
    ASSERT_NE(AddProfile(NamedProfile(u"second model")), 0);
    SettingsDatabase::Instance().Close();
    EXPECT_EQ(ProfileRows(DatabaseFile("M100")), 1);
    EXPECT_EQ(ProfileRows(DatabaseFile("M200")), 2);
}

TEST_F(ModelSwitchTest, FailedSchemaDoesNotServeTheNextModel) {
    // A folder where the journal belongs lets the file be created but makes
    // every schema statement fail.
    const fs::path blocker = DatabaseFile("M300").string() + "-journal";
    fs::create_directory(blocker);
    EXPECT_FALSE(Select(u"M300"));
    EXPECT_FALSE(SettingsDatabase::Instance().IsOpened());
    EXPECT_TRUE(fs::exists(DatabaseFile("M300")));

    ASSERT_TRUE(Select(u"M400"));
    const int id = AddProfile(NamedProfile(u"belongs to M400"));
    EXPECT_NE(id, 0);
    EXPECT_TRUE(SetConfigValue(id, u"dpi_index", u"2"));
    SettingsDatabase::Instance().Close();
    fs::remove(blocker);
    EXPECT_EQ(ProfileRows(DatabaseFile("M400")), 1);
    EXPECT_EQ(ProfileRows(DatabaseFile("M300")), -1);  // no schema, no rows
}

TEST_F(ModelSwitchTest, CloseAfterFailedSchemaReleasesTheFile) {
    const fs::path blocker = DatabaseFile("M300").string() + "-journal";
    fs::create_directory(blocker);
    EXPECT_FALSE(Select(u"M300"));
    SettingsDatabase::Instance().Close();
    // Nothing may still write there: the stale connection would not see a
    // schema made by another one, and an open one would keep answering.
    std::vector<ProfileInfo> profiles;
    EXPECT_EQ(ListProfiles(profiles), 0);
    EXPECT_EQ(AddProfile(NamedProfile(u"nowhere")), 0);
}

}  // namespace
}  // namespace tessaly
