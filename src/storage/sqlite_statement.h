#pragma once
// One prepared statement. Every call passes SQLite's result code through;
// without a handle (no prepare, or a failed one) each gives SQLITE_MISUSE.

#include <string>

struct sqlite3_stmt;

namespace tessaly {

class SQLiteStatement {
  public:
    SQLiteStatement() = default;
    virtual ~SQLiteStatement();
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;

    bool HasHandle() const { return handle_ != nullptr; }

    // Parameter indexes are 1-based.
    int BindInt(int index, int value);
    // The bytes are not copied: they must stay alive until the statement is
    // stepped (or bound again).
    int BindText(int index, const char* bytes, int length);
    int BindText(int index, const std::string& bytes);
    int BindText(int index, std::string&& bytes) = delete;  // would dangle

    int Step();
    // Makes the statement ready to be bound and stepped again; bindings stay.
    int Reset();

    // Column indexes are 0-based. Without a handle: 0 and null.
    int ColumnInt(int column);
    const char* ColumnText(int column);

  private:
    friend class SQLiteDB;
    int Finalize();

    sqlite3_stmt* handle_ = nullptr;
};

}  // namespace tessaly
