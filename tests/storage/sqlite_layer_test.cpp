#include <sqlite3.h>

#include <gtest/gtest.h>

#include "storage/sqlite_auto_transaction.h"
#include "storage/sqlite_db.h"
#include "storage/sqlite_statement.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

using test::TempDir;

constexpr int kCreate = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;

int CountRows(SQLiteDB& db, const char* table) {
    SQLiteStatement statement;
    const std::string sql = std::string("SELECT count(*) FROM ") + table;
    db.Prepare(statement, sql.c_str());
    return statement.Step() == SQLITE_ROW ? statement.ColumnInt(0) : -1;
}

TEST(SQLiteLayer, ClosedConnectionGivesMisuseAndNothing) {
    SQLiteDB db;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Close());
    EXPECT_EQ(db.LastInsertRowId(), -1);
    EXPECT_EQ(db.Execute("SELECT 1"), SQLITE_MISUSE);
    SQLiteStatement statement;
    EXPECT_EQ(db.Prepare(statement, "SELECT 1"), SQLITE_MISUSE);
    EXPECT_EQ(statement.BindInt(1, 5), SQLITE_MISUSE);
    EXPECT_EQ(statement.Step(), SQLITE_MISUSE);
    EXPECT_EQ(statement.Reset(), SQLITE_MISUSE);
    EXPECT_EQ(statement.ColumnInt(0), 0);
    EXPECT_EQ(statement.ColumnText(0), nullptr);
    EXPECT_FALSE(db.Open(nullptr, kCreate));
}

TEST(SQLiteLayer, OpenTurnsSynchronousWritesOffAndMissingFileNeedsCreate) {
    TempDir dir;
    const std::string path = (dir.path() / "a.db").string();
    SQLiteDB db;
    EXPECT_FALSE(db.Open(path.c_str(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX));
    EXPECT_FALSE(db.IsOpen());
    ASSERT_TRUE(db.Open(path.c_str(), kCreate));
    SQLiteStatement statement;
    ASSERT_EQ(db.Prepare(statement, "PRAGMA synchronous"), SQLITE_OK);
    ASSERT_EQ(statement.Step(), SQLITE_ROW);
    EXPECT_EQ(statement.ColumnInt(0), 0);
    // The open statement keeps the connection busy; close reports it.
    EXPECT_FALSE(db.Close());
    EXPECT_TRUE(db.IsOpen());
}

TEST(SQLiteLayer, FailedPrepareLeavesNoHandleAndWritesNothing) {
    TempDir dir;
    const std::string path = (dir.path() / "a.db").string();
    SQLiteDB db;
    ASSERT_TRUE(db.Open(path.c_str(), kCreate));
    ASSERT_EQ(db.Execute("CREATE TABLE t(v INTEGER)"), SQLITE_OK);

    SQLiteStatement statement;
    EXPECT_NE(db.Prepare(statement, "INSERT INTO missing(v) VALUES (?)"), SQLITE_OK);
    EXPECT_FALSE(statement.HasHandle());
    EXPECT_EQ(statement.BindInt(1, 1), SQLITE_MISUSE);
    EXPECT_EQ(statement.Step(), SQLITE_MISUSE);
    EXPECT_EQ(db.Prepare(statement, nullptr), SQLITE_MISUSE);
    EXPECT_EQ(CountRows(db, "t"), 0);
}

TEST(SQLiteLayer, StatementIsReusedAndTextIsBoundAsUtf8) {
    TempDir dir;
    const std::string path = (dir.path() / "a.db").string();
    SQLiteDB db;
    ASSERT_TRUE(db.Open(path.c_str(), kCreate));
    ASSERT_EQ(db.Execute("CREATE TABLE t(id INTEGER PRIMARY KEY, v TEXT)"), SQLITE_OK);

    SQLiteStatement statement;
    const std::string text = "\xe9\x85\x8d\xe7\xbd\xae";
    ASSERT_EQ(db.Prepare(statement, "INSERT INTO t(v) VALUES (?)"), SQLITE_OK);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(statement.BindText(1, text), SQLITE_OK);
        EXPECT_EQ(statement.Step(), SQLITE_DONE);
        EXPECT_EQ(statement.Reset(), SQLITE_OK);
    }
    EXPECT_EQ(db.LastInsertRowId(), 3);

    // Preparing again finalizes the insert.
    ASSERT_EQ(db.Prepare(statement, "SELECT v FROM t WHERE id = 2"), SQLITE_OK);
    ASSERT_EQ(statement.Step(), SQLITE_ROW);
    EXPECT_EQ(std::string(statement.ColumnText(0)), text);
    EXPECT_EQ(statement.Step(), SQLITE_DONE);
}

TEST(SQLiteLayer, TransactionCommitsOnEndAndOnDestruction) {
    TempDir dir;
    const std::string path = (dir.path() / "a.db").string();
    SQLiteDB db;
    ASSERT_TRUE(db.Open(path.c_str(), kCreate));
    ASSERT_EQ(db.Execute("CREATE TABLE t(v INTEGER)"), SQLITE_OK);
    {
        SQLiteAutoTransaction transaction(&db);
        EXPECT_TRUE(transaction.IsActive());
        EXPECT_FALSE(transaction.Begin());  // already active
        db.Execute("INSERT INTO t VALUES (1)");
        // A second connection does not see the uncommitted row.
        SQLiteDB other;
        ASSERT_TRUE(other.Open(path.c_str(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX));
        EXPECT_EQ(CountRows(other, "t"), 0);
    }
    EXPECT_EQ(CountRows(db, "t"), 1);

    SQLiteAutoTransaction transaction(&db);
    EXPECT_TRUE(transaction.End());
    EXPECT_FALSE(transaction.IsActive());
    EXPECT_TRUE(transaction.Begin());
    db.Execute("INSERT INTO t VALUES (2)");
    EXPECT_NE(db.Execute("INSERT INTO missing VALUES (3)"), SQLITE_OK);
    // No rollback: the failed statement does not undo the rest of the bracket.
    EXPECT_TRUE(transaction.End());
    EXPECT_EQ(CountRows(db, "t"), 2);
}

TEST(SQLiteLayer, TransactionWithoutUsableConnection) {
    SQLiteAutoTransaction none(nullptr);
    EXPECT_FALSE(none.IsActive());
    EXPECT_FALSE(none.Begin());
    EXPECT_FALSE(none.End());

    SQLiteDB failed;
    EXPECT_FALSE(failed.Open("/nonexistent-folder/x.db", kCreate));
    SQLiteAutoTransaction on_failed(&failed);
    EXPECT_TRUE(on_failed.IsActive());
    EXPECT_FALSE(on_failed.End());
    EXPECT_FALSE(on_failed.IsActive());
    EXPECT_FALSE(on_failed.Begin());
    EXPECT_TRUE(on_failed.IsActive());
}

}  // namespace
}  // namespace tessaly
