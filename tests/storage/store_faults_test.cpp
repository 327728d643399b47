// The store never keeps quiet about what it did not keep, and never takes a
// file that is not its own for its settings.

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "storage/config_store.h"
#include "storage/profile_table.h"
#include "storage/store_health.h"
#include "storage_fixture.h"

namespace tessaly::test {
namespace {

namespace fs = std::filesystem;

class StoreFaults : public StorageTest {
  protected:
    void SetUp() override {
        StorageTest::SetUp();
        StoreHealth::Instance().SetListener(
            [this](const StoreNotice& notice) { notices.push_back(notice); });
        profile = AddProfile(NamedProfile(u"one"));
        ASSERT_NE(profile, 0);
    }
    void TearDown() override {
        StoreHealth::Instance().SetListener(nullptr);
        StorageTest::TearDown();
    }
    // What SQLite does with a file it may not write, as root cannot be denied
    // by permissions.
    void MakeReadOnly() {
        ASSERT_EQ(SettingsDatabase::Instance().Lock().db().Execute("PRAGMA query_only = 1"),
                  SQLITE_OK);
    }
    std::string Value(std::u16string_view key) {
        std::u16string value;
        GetConfigValue(profile, key, value);
        return ToUtf8(value);
    }
    size_t Count(StoreNoticeKind kind) const {
        size_t n = 0;
        for (const StoreNotice& notice : notices) {
            n += notice.kind == kind ? 1 : 0;
        }
        return n;
    }
    std::string DbPath() const { return DatabaseFile("M100").string(); }
    // The model's file after a fresh selection.
    bool Reselect() {
        SettingsDatabase::Instance().Close();
        notices.clear();
        return Select(u"M100");
    }

    int profile = 0;
    std::vector<StoreNotice> notices;
};

TEST_F(StoreFaults, AWriteTheStoreRefusesFailsAndOneBurstIsToldOnce) {
    const uint64_t failed = StoreHealth::Instance().FailedWrites();
    MakeReadOnly();
    EXPECT_FALSE(SetConfigValue(profile, u"report_rate", u"2"));
    EXPECT_FALSE(SetConfigValue(profile, u"dpi_index", u"3"));
    EXPECT_FALSE(RenameProfile(profile, u"two"));
    EXPECT_TRUE(StoreHealth::LastWriteOnThisThreadFailed());
    EXPECT_EQ(StoreHealth::Instance().FailedWrites(), failed + 3);
    EXPECT_EQ(Count(StoreNoticeKind::kWriteFailed), 1u);
    EXPECT_NE(StoreHealth::Instance().LastFailure(), "");
    EXPECT_EQ(Value(u"report_rate"), "2") << "the default row, untouched";

    // A write that is kept ends the burst; the next failure is told again.
    SettingsDatabase::Instance().Lock().db().Execute("PRAGMA query_only = 0");
    EXPECT_TRUE(SetConfigValue(profile, u"report_rate", u"8"));
    EXPECT_FALSE(StoreHealth::LastWriteOnThisThreadFailed());
    MakeReadOnly();
    EXPECT_FALSE(SetConfigValue(profile, u"report_rate", u"4"));
    EXPECT_EQ(Count(StoreNoticeKind::kWriteFailed), 2u);
    EXPECT_EQ(Value(u"report_rate"), "8");
}

TEST_F(StoreFaults, AnotherProgramsWriteTransactionIsWaitedForThenFails) {
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(DbPath().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_FALSE(SetConfigValue(profile, u"report_rate", u"4"));

    // Released while the write waits: the write goes through.
    std::thread release([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    });
    sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    const bool stored = SetConfigValue(profile, u"report_rate", u"16");
    release.join();
    sqlite3_close(other);
    EXPECT_TRUE(stored);
    EXPECT_EQ(Value(u"report_rate"), "16");
}

TEST_F(StoreFaults, AFileWithoutTablesGetsTheSchemaAndKeepsWhatItHolds) {
    SettingsDatabase::Instance().Close();
    fs::remove(DbPath());
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(DbPath().c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(raw, "CREATE TABLE mine(x); INSERT INTO mine VALUES (7);", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);

    ASSERT_TRUE(Reselect());
    EXPECT_EQ(Count(StoreNoticeKind::kReplaced), 0u) << "the file was valid, only incomplete";
    const int id = AddProfile(NamedProfile(u"fresh"));
    ASSERT_NE(id, 0);
    EXPECT_TRUE(SetConfigValue(id, u"dpi_index", u"3"));
    int kept = 0;
    SettingsDatabase::Instance().Lock().db().Execute(
        "SELECT x FROM mine",
        [](void* out, int, char** values, char**) {
            *static_cast<int*>(out) = std::atoi(values[0]);
            return 0;
        },
        &kept);
    EXPECT_EQ(kept, 7);
}

TEST_F(StoreFaults, AFileThatCannotHoldTheTablesIsKeptAsideAsDamaged) {
    SettingsDatabase::Instance().Close();
    fs::remove(DbPath());
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(DbPath().c_str(), &raw), SQLITE_OK);
    ASSERT_EQ(
        sqlite3_exec(raw, "CREATE VIEW t_configdata AS SELECT 1 AS key", nullptr, nullptr, nullptr),
        SQLITE_OK);
    sqlite3_close(raw);

    ASSERT_TRUE(Reselect());
    ASSERT_EQ(Count(StoreNoticeKind::kReplaced), 1u);
    EXPECT_TRUE(fs::exists(notices.front().detail)) << notices.front().detail;
    const int id = AddProfile(NamedProfile(u"fresh"));
    EXPECT_TRUE(SetConfigValue(id, u"dpi_index", u"3"));
}

TEST_F(StoreFaults, WhatIsWrongWithAnUnusableFileIsSaidAndNothingIsOpened) {
    struct Case {
        const char* name;
        std::function<void()> make;
        const char* reason;
    };
    const fs::path db_folder = dir_.path() / "db";
    const std::vector<Case> cases{
        {"folder", [&] { fs::create_directory(DbPath()); }, "is a folder"},
        {"pipe", [&] { ASSERT_EQ(mkfifo(DbPath().c_str(), 0600), 0); }, "is a pipe"},
        {"db is a file",
         [&] {
             fs::remove_all(db_folder);
             std::ofstream(db_folder) << "x";
         },
         "is not a folder"},
    };
    for (const Case& c : cases) {
        SettingsDatabase::Instance().Close();
        fs::remove_all(db_folder);
        fs::create_directories(db_folder);
        c.make();
        EXPECT_FALSE(Reselect()) << c.name;
        EXPECT_FALSE(SettingsDatabase::Instance().IsOpened()) << c.name;
        EXPECT_NE(SettingsDatabase::Instance().Problem().find(c.reason), std::string::npos)
            << c.name << ": " << SettingsDatabase::Instance().Problem();
        EXPECT_EQ(Count(StoreNoticeKind::kUnusable), 1u) << c.name;
        EXPECT_FALSE(SetConfigValue(1, u"report_rate", u"2")) << c.name;
        fs::remove_all(db_folder);
    }
}

TEST_F(StoreFaults, APathTooLongOrAFileLockedAtOpeningIsUnusable) {
    SettingsDatabase::Instance().Close();
    const std::u16string long_folder = UserDataFolder() + std::u16string(5000, u'a') + u"/";
    EXPECT_FALSE(SettingsDatabase::Instance().OpenForModel(long_folder, u"M100"));
    EXPECT_NE(SettingsDatabase::Instance().Problem().find("too long"), std::string::npos);

    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(DbPath().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE; UPDATE t_configdata SET value = value;",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_FALSE(Reselect());
    EXPECT_NE(SettingsDatabase::Instance().Problem().find("locked"), std::string::npos)
        << SettingsDatabase::Instance().Problem();
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(Reselect()) << "usable again once the other program lets go";
}

TEST_F(StoreFaults, ALinkAtTheSettingsFileIsNeverFollowed) {
    const fs::path outside = dir_.path() / "elsewhere.db";
    for (const fs::path& target : {outside, fs::path("/dev/zero")}) {
        SettingsDatabase::Instance().Close();
        fs::remove(DbPath());
        fs::create_symlink(target, DbPath());
        ASSERT_TRUE(Reselect()) << target;
        EXPECT_EQ(Count(StoreNoticeKind::kReplaced), 1u) << target;
        EXPECT_FALSE(fs::exists(outside)) << "nothing is created where the link points";
        EXPECT_FALSE(fs::is_symlink(DbPath()));
        EXPECT_TRUE(fs::is_regular_file(DbPath()));
        const int id = AddProfile(NamedProfile(u"fresh"));
        EXPECT_TRUE(SetConfigValue(id, u"dpi_index", u"3")) << target;
    }
}

TEST_F(StoreFaults, AFileDeletedWhileOpenIsWrittenAgainWithEverything) {
    const int second = AddProfile(NamedProfile(u"second"));
    ASSERT_TRUE(SetConfigValue(second, u"dpi_index", u"4"));
    ASSERT_EQ(::unlink(DbPath().c_str()), 0);

    EXPECT_TRUE(SetConfigValue(profile, u"dpi_index", u"2"));
    ASSERT_TRUE(fs::exists(DbPath()));
    // What is on disk now is the whole store, the new value included.
    SettingsDatabase::Instance().Close();
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(DbPath().c_str(), &raw), SQLITE_OK);
    std::vector<std::string> rows;
    sqlite3_exec(
        raw,
        "SELECT profile || '=' || value FROM t_configdata WHERE key = 'dpi_index' ORDER BY profile",
        [](void* out, int, char** values, char**) {
            static_cast<std::vector<std::string>*>(out)->push_back(values[0]);
            return 0;
        },
        &rows, nullptr);
    sqlite3_close(raw);
    EXPECT_EQ(rows, (std::vector<std::string>{std::to_string(profile) + "=2",
                                              std::to_string(second) + "=4"}));
}

}  // namespace
}  // namespace tessaly::test
