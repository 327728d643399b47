#pragma once
// Helpers shared by the table operations.

#include <sqlite3.h>

#include <string>

#include "base/unicode.h"
#include "storage/sqlite_statement.h"

namespace tessaly {

// A write succeeded when its step gave OK, ROW or DONE; a statement whose
// prepare failed steps to SQLITE_MISUSE and so fails here.
inline bool StepSucceeded(int result) {
    return result == SQLITE_OK || result == SQLITE_ROW || result == SQLITE_DONE;
}

inline std::u16string ColumnString(SQLiteStatement& statement, int column) {
    const char* text = statement.ColumnText(column);
    return text == nullptr ? std::u16string() : FromUtf8(text);
}

}  // namespace tessaly
