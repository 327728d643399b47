#include "storage/sqlite_auto_transaction.h"

#include <sqlite3.h>

#include "storage/sqlite_db.h"

namespace tessaly {

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* db) : db_(db) {
    if (db_ == nullptr)
        return;
    if (db_->IsOpen() && !db_->InTransaction())
        owns_ = db_->Execute("BEGIN") == SQLITE_OK;
    active_ = true;
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
    if (active_ && owns_ && db_ != nullptr && db_->IsOpen())
        db_->Execute("END");
    active_ = false;
}

bool SQLiteAutoTransaction::Begin() {
    if (db_ == nullptr || active_)
        return false;
    active_ = true;
    if (!db_->IsOpen())
        return false;
    if (db_->InTransaction())
        return true;
    owns_ = db_->Execute("BEGIN") == SQLITE_OK;
    return owns_;
}

bool SQLiteAutoTransaction::End() {
    if (db_ == nullptr)
        return false;
    active_ = false;
    if (!db_->IsOpen())
        return false;
    if (!owns_)
        return true;
    owns_ = false;
    return db_->Execute("END") == SQLITE_OK;
}

}  // namespace tessaly
