#include "storage/sqlite_db.h"

#include <cstring>

#include <sqlite3.h>

#include "storage/sqlite_statement.h"

namespace tessaly {
namespace {

constexpr int kBusyTimeoutMs = 2000;

}  // namespace

SQLiteDB::~SQLiteDB() {
    if (handle_ == nullptr)
        return;
    sqlite3_interrupt(handle_);
    if (sqlite3_close(handle_) == SQLITE_OK)
        handle_ = nullptr;
}

bool SQLiteDB::Open(const char* path, int flags) {
    if (handle_ != nullptr) {
        sqlite3_interrupt(handle_);
        // A connection that cannot be closed is kept rather than leaked; the
        // caller learns that nothing new was opened.
        if (!Close())
            return false;
    }
    if (path == nullptr)
        return false;
    if (sqlite3_open_v2(path, &handle_, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(handle_);
        handle_ = nullptr;
        return false;
    }
    Execute("PRAGMA synchronous = OFF; ");
    // Another program's write transaction is waited for a little before a
    // write gives up.
    sqlite3_busy_timeout(handle_, kBusyTimeoutMs);
    return true;
}

bool SQLiteDB::Close() {
    if (handle_ == nullptr)
        return true;
    if (sqlite3_close(handle_) != SQLITE_OK)
        return false;
    handle_ = nullptr;
    return true;
}

int SQLiteDB::Execute(const char* sql, RowCallback callback, void* argument) {
    if (handle_ == nullptr || sql == nullptr)
        return SQLITE_MISUSE;
    return sqlite3_exec(handle_, sql, callback, argument, nullptr);
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length) {
    statement.Finalize();
    if (handle_ == nullptr || sql == nullptr)
        return SQLITE_MISUSE;
    if (length < 0)
        length = static_cast<int>(std::strlen(sql)) + 1;
    return sqlite3_prepare_v2(handle_, sql, length, &statement.handle_, nullptr);
}

int64_t SQLiteDB::LastInsertRowId() const {
    if (handle_ == nullptr)
        return -1;
    return sqlite3_last_insert_rowid(handle_);
}

bool SQLiteDB::InTransaction() const {
    return handle_ != nullptr && sqlite3_get_autocommit(handle_) == 0;
}

}  // namespace tessaly

namespace tessaly {

int SQLiteDB::Changes() const {
    return handle_ == nullptr ? 0 : sqlite3_changes(handle_);
}

}  // namespace tessaly
