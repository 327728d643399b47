#include "storage/sqlite_auto_transaction.h"

#include <sqlite3.h>

#include "storage/sqlite_db.h"

namespace tessaly {

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* db) : db_(db) {
    if (db_ == nullptr)
        return;
    if (db_->IsOpen())
        db_->Execute("BEGIN");
    active_ = true;
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
    if (active_ && db_ != nullptr && db_->IsOpen())
        db_->Execute("END");
    active_ = false;
}

bool SQLiteAutoTransaction::Begin() {
    if (db_ == nullptr || active_)
        return false;
    active_ = true;
    if (!db_->IsOpen())
        return false;
    return db_->Execute("BEGIN") == SQLITE_OK;
}

bool SQLiteAutoTransaction::End() {
    if (db_ == nullptr)
        return false;
    active_ = false;
    if (!db_->IsOpen())
        return false;
    return db_->Execute("END") == SQLITE_OK;
}

}  // namespace tessaly
