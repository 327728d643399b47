#include "storage/sqlite_statement.h"

#include <sqlite3.h>

namespace tessaly {

SQLiteStatement::~SQLiteStatement() {
    Finalize();
}

int SQLiteStatement::Finalize() {
    if (handle_ == nullptr)
        return SQLITE_OK;
    // sqlite3_finalize releases the statement even when it reports the error
    // of the last step, so the handle is gone in every case.
    const int result = sqlite3_finalize(handle_);
    handle_ = nullptr;
    return result;
}

int SQLiteStatement::BindInt(int index, int value) {
    if (handle_ == nullptr)
        return SQLITE_MISUSE;
    return sqlite3_bind_int(handle_, index, value);
}

int SQLiteStatement::BindText(int index, const char* bytes, int length) {
    if (handle_ == nullptr)
        return SQLITE_MISUSE;
    return sqlite3_bind_text(handle_, index, bytes, length, SQLITE_STATIC);
}

int SQLiteStatement::BindText(int index, const std::string& bytes) {
    return BindText(index, bytes.data(), static_cast<int>(bytes.size()));
}

int SQLiteStatement::Step() {
    if (handle_ == nullptr)
        return SQLITE_MISUSE;
    return sqlite3_step(handle_);
}

int SQLiteStatement::Reset() {
    if (handle_ == nullptr)
        return SQLITE_MISUSE;
    return sqlite3_reset(handle_);
}

int SQLiteStatement::ColumnInt(int column) {
    if (handle_ == nullptr)
        return 0;
    return sqlite3_column_int(handle_, column);
}

const char* SQLiteStatement::ColumnText(int column) {
    if (handle_ == nullptr)
        return nullptr;
    return reinterpret_cast<const char*>(sqlite3_column_text(handle_, column));
}

}  // namespace tessaly
