#pragma once
// A "BEGIN" … "END" bracket. There is no rollback: ending commits whatever the
// bracket holds. Inside a transaction already open on the connection the
// bracket begins and ends nothing, so it never commits the outer one.

namespace tessaly {

class SQLiteDB;

class SQLiteAutoTransaction {
  public:
    // With a connection the bracket is active (begun when the connection has a
    // handle); without one it stays inactive.
    explicit SQLiteAutoTransaction(SQLiteDB* db);
    virtual ~SQLiteAutoTransaction();
    SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
    SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

    bool Begin();
    bool End();
    bool IsActive() const { return active_; }

  private:
    SQLiteDB* db_;
    bool active_ = false;
    // This bracket's BEGIN opened the transaction; only then does it END it.
    bool owns_ = false;
};

}  // namespace tessaly
