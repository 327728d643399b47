#pragma once
// One SQLite connection. Result codes are SQLite's own; without a handle every
// call gives SQLITE_MISUSE (21), and a read gives nothing.

#include <cstdint>

struct sqlite3;

namespace tessaly {

class SQLiteStatement;

class SQLiteDB {
  public:
    using RowCallback = int (*)(void* argument, int columns, char** values, char** names);

    SQLiteDB() = default;
    virtual ~SQLiteDB();
    SQLiteDB(const SQLiteDB&) = delete;
    SQLiteDB& operator=(const SQLiteDB&) = delete;

    // Closes the current connection first. On success synchronous writes are
    // turned off: settings are written on every slider move.
    bool Open(const char* path, int flags);
    // False (and the connection kept) while statements of it are still alive.
    bool Close();
    bool IsOpen() const { return handle_ != nullptr; }

    int Execute(const char* sql, RowCallback callback = nullptr, void* argument = nullptr);
    // Finalizes what the statement held before. A negative length takes the
    // whole text with its terminating zero.
    int Prepare(SQLiteStatement& statement, const char* sql, int length = -1);
    int64_t LastInsertRowId() const;
    // Rows the last INSERT, UPDATE or DELETE changed; 0 when there is no handle.
    int Changes() const;
    // A transaction is open on the connection (BEGIN without its END).
    bool InTransaction() const;

  private:
    sqlite3* handle_ = nullptr;
};

}  // namespace tessaly
