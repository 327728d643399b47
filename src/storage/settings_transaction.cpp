#include "storage/settings_transaction.h"

#include <sqlite3.h>

#include "base/trace.h"

namespace tessaly {

SettingsTransaction::SettingsTransaction() : session_(SettingsDatabase::Instance().Lock()) {
    SQLiteDB& db = session_.db();
    begun_ = db.IsOpen() && !db.InTransaction() && db.Execute("BEGIN") == SQLITE_OK;
}

SettingsTransaction::~SettingsTransaction() {
    if (begun_) {
        session_.db().Execute("ROLLBACK");
        Trace(kTraceDevice, "settings transaction rolled back");
    }
}

bool SettingsTransaction::Commit() {
    if (!begun_) {
        return false;
    }
    begun_ = false;
    if (session_.db().Execute("COMMIT") == SQLITE_OK) {
        return true;
    }
    session_.db().Execute("ROLLBACK");
    return false;
}

}  // namespace tessaly
