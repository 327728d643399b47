#pragma once
// Helpers shared by the table operations.

#include <sqlite3.h>

#include <string>

#include "base/unicode.h"
#include "storage/sqlite_statement.h"
#include "storage/store_health.h"

namespace tessaly {

// A write succeeded when its step gave OK, ROW or DONE; a statement whose
// prepare failed steps to SQLITE_MISUSE and so fails here. Every write's
// result goes to the store's health, so that no failure passes unseen.
inline bool StepSucceeded(int result) {
    const bool succeeded = result == SQLITE_OK || result == SQLITE_ROW || result == SQLITE_DONE;
    StoreHealth::Instance().NoteWrite(succeeded, result);
    return succeeded;
}

inline std::u16string ColumnString(SQLiteStatement& statement, int column) {
    const char* text = statement.ColumnText(column);
    return text == nullptr ? std::u16string() : FromUtf8(text);
}

}  // namespace tessaly
