#pragma once
// The process-wide connection to the selected model's settings database and
// the lock every table operation holds for its whole run (and never across
// two, except inside a SettingsTransaction). Opening, switching and closing take the same lock, so
// a table operation on another thread never sees a connection that is being replaced.

#include <mutex>
#include <string>
#include <string_view>

#include "storage/sqlite_db.h"

namespace tessaly {

class SettingsDatabase {
  public:
    // Created on first use, destroyed at process exit.
    static SettingsDatabase& Instance();

    ~SettingsDatabase();
    SettingsDatabase(const SettingsDatabase&) = delete;
    SettingsDatabase& operator=(const SettingsDatabase&) = delete;

    // Opens <user data folder>db/<device attribute>_data.db, creating it with
    // the schema when it is missing or not a usable database (the bad file is
    // kept beside it). Any other model's connection is closed first.
    bool OpenForModel(std::u16string_view user_data_folder, std::u16string_view device_attribute);
    // Creates the schema in the file last named by OpenForModel; true at once
    // when a connection is open.
    bool CreateSchema();
    void Close();

    bool IsOpened() const;
    std::string Path() const;  // UTF-8
    // Why the last open failed ("" after a successful one).
    std::string Problem() const;

    // One table operation's hold on the connection.
    class Session {
      public:
        SQLiteDB& db() { return db_; }

      private:
        friend class SettingsDatabase;
        Session(std::recursive_mutex& lock, SQLiteDB& db) : guard_(lock), db_(db) {}
        std::unique_lock<std::recursive_mutex> guard_;
        SQLiteDB& db_;
    };
    // The file is checked first: one deleted since it was opened is written
    // again from the open connection, so nothing goes to a deleted file.
    [[nodiscard]] Session Lock();

  private:
    SettingsDatabase() = default;

    bool OpenLocked(const std::string& folder);
    bool OpenExisting();
    bool ReplaceDamaged(const char* why);
    bool CreateSchemaLocked();
    bool RunSchema();
    void CloseLocked();
    bool Fail(std::string reason);
    void RememberIdentity();
    void FollowTheFile();

    // Recursive so that a transaction (settings_transaction.h) can hold it
    // across the table operations it brackets, each of which takes it too.
    mutable std::recursive_mutex lock_;
    SQLiteDB connection_;
    std::string path_;
    std::string problem_;
    bool opened_ = false;
    // The open file (device and inode), to notice its deletion.
    uint64_t device_ = 0;
    uint64_t inode_ = 0;
};

}  // namespace tessaly
