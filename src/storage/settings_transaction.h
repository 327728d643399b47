#pragma once
// Several table operations of the settings database as one: either all of
// them are stored or none is. The database lock is held from the start to
// the end, so no other thread's operation lands inside the transaction; the
// table operations called meanwhile on this thread take the lock again.
// A transaction that is not committed is rolled back when it ends, and a
// process killed inside it leaves the file as it was before (SQLite rolls
// the journal back on the next open).

#include "storage/settings_database.h"

namespace tessaly {

class SettingsTransaction {
  public:
    SettingsTransaction();
    ~SettingsTransaction();
    SettingsTransaction(const SettingsTransaction&) = delete;
    SettingsTransaction& operator=(const SettingsTransaction&) = delete;

    // False when no transaction could be opened (no database, or one is
    // already open on this thread): nothing should be written then.
    bool Begun() const { return begun_; }
    // True when everything since the start is stored.
    bool Commit();

  private:
    SettingsDatabase::Session session_;
    bool begun_ = false;
};

}  // namespace tessaly
