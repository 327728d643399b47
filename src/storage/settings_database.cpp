#include "storage/settings_database.h"

#include <limits.h>
#include <sys/stat.h>

#include <array>
#include <filesystem>

#include <sqlite3.h>

#include "base/trace.h"
#include "base/unicode.h"
#include "platform/folders.h"
#include "storage/database_recovery.h"
#include "storage/schema.h"
#include "storage/sqlite_statement.h"
#include "storage/store_health.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

// A link at the settings file is never followed: it would put the user's
// settings wherever it points.
constexpr int kOpenExistingFlags =
    SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX | SQLITE_OPEN_NOFOLLOW;
constexpr int kCreateFlags =
    SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX | SQLITE_OPEN_NOFOLLOW;

constexpr std::array kTables = {"t_configdata",    "t_profile_data",  "t_key_macro_data",
                                "t_key_otherdata", "t_macro_data",    "t_macrorecord",
                                "t_light_data",    "t_key_light_data"};

// What lies at the path, without following a link.
enum class Found { kNothing, kFile, kLink, kOther };

Found WhatIsAt(const std::string& path, std::string& kind) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0) {
        return Found::kNothing;
    }
    if (S_ISREG(info.st_mode)) {
        return Found::kFile;
    }
    if (S_ISLNK(info.st_mode)) {
        return Found::kLink;
    }
    kind = S_ISDIR(info.st_mode)    ? "a folder"
           : S_ISFIFO(info.st_mode) ? "a pipe"
           : S_ISSOCK(info.st_mode) ? "a socket"
                                    : "a device";
    return Found::kOther;
}

// False only when a table is known to be missing: a file that turned busy
// meanwhile is not taken for a damaged one.
bool HasAllTables(SQLiteDB& db) {
    for (const char* table : kTables) {
        SQLiteStatement check;
        int result =
            db.Prepare(check, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?");
        if (result == SQLITE_OK) {
            check.BindText(1, table, -1);
            result = check.Step();
        }
        if (result == SQLITE_DONE) {
            return false;
        }
    }
    return true;
}

// A file another program holds locked answers every statement (its
// preparing already) "busy".
bool Busy(int result) {
    return result == SQLITE_BUSY || result == SQLITE_LOCKED;
}

bool Readable(SQLiteDB& db) {
    SQLiteStatement check;
    int result = db.Prepare(check, "SELECT count(*) FROM sqlite_master");
    if (result == SQLITE_OK) {
        result = check.Step();
    }
    return !Busy(result);
}

}  // namespace

SettingsDatabase& SettingsDatabase::Instance() {
    static SettingsDatabase instance;
    return instance;
}

SettingsDatabase::~SettingsDatabase() {
    CloseLocked();
}

SettingsDatabase::Session SettingsDatabase::Lock() {
    Session session(lock_, connection_);
    FollowTheFile();
    return session;
}

bool SettingsDatabase::OpenForModel(std::u16string_view user_data_folder,
                                    std::u16string_view device_attribute) {
    std::u16string folder(user_data_folder);
    if (!folder.empty() && folder.back() != u'/')
        folder.push_back(u'/');
    folder += u"db/";
    const std::string path = ToUtf8(folder + std::u16string(device_attribute) + u"_data.db");

    std::lock_guard guard(lock_);
    if (opened_ && connection_.IsOpen() && path == path_)
        return true;
    // Whatever the last open left behind (a failed schema keeps its
    // connection), it belongs to another file than the one selected now.
    CloseLocked();
    path_ = path;
    problem_.clear();
    opened_ = OpenLocked(ToUtf8(folder));
    if (opened_)
        RememberIdentity();
    return opened_;
}

bool SettingsDatabase::OpenLocked(const std::string& folder) {
    if (path_.size() >= PATH_MAX)
        return Fail("the path of the settings file " + path_ + " is too long");
    // Start-up creates the folder; it may have been removed since.
    CreateFolderPath(FromUtf8(folder));
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return Fail(folder + " is not a folder the settings can be kept in");
    std::string kind;
    switch (WhatIsAt(path_, kind)) {
        case Found::kNothing:
            return CreateSchemaLocked() || Fail("the settings file cannot be created in " + folder);
        case Found::kFile:
            return OpenExisting();
        case Found::kLink:
            return ReplaceDamaged("is a link");
        case Found::kOther:
            return Fail("the settings file " + path_ + " is " + kind + ", not a file");
    }
    return false;
}

bool SettingsDatabase::OpenExisting() {
    if (!connection_.Open(path_.c_str(), kOpenExistingFlags))
        return Fail("the settings file " + path_ + " cannot be opened for writing");
    if (!Readable(connection_)) {
        connection_.Close();
        return Fail("the settings file " + path_ + " is locked by another program");
    }
    if (IsUnusableDatabase(connection_, path_)) {
        connection_.Close();
        return ReplaceDamaged("is not a usable database");
    }
    // The schema is "IF NOT EXISTS" throughout: a file that lost tables gets
    // them back, and an older file its added indexes. A file that cannot take
    // an index (read-only, full disk) is still used; one without its tables
    // is not a settings file.
    RunSchema();
    if (!HasAllTables(connection_)) {
        connection_.Close();
        return ReplaceDamaged("cannot hold the settings tables");
    }
    return true;
}

bool SettingsDatabase::ReplaceDamaged(const char* why) {
    const std::string kept = MoveDatabaseAside(path_);
    if (kept.empty()) {
        return Fail("the settings file " + path_ + " " + why + " and cannot be moved aside");
    }
    Trace(kTraceDevice, "settings database %s %s, kept as %s, creating a new one", path_.c_str(),
          why, kept.c_str());
    StoreHealth::Instance().NoteReplaced(kept);
    return CreateSchemaLocked() || Fail("a new settings file cannot be created at " + path_);
}

bool SettingsDatabase::CreateSchema() {
    std::lock_guard guard(lock_);
    return CreateSchemaLocked();
}

bool SettingsDatabase::CreateSchemaLocked() {
    if (connection_.IsOpen())
        return true;
    if (!connection_.Open(path_.c_str(), kCreateFlags))
        return false;
    return RunSchema();
}

bool SettingsDatabase::RunSchema() {
    bool all_succeeded = true;
    for (const char* statement : SchemaStatements()) {
        if (connection_.Execute(statement) != SQLITE_OK)
            all_succeeded = false;
    }
    return all_succeeded;
}

bool SettingsDatabase::Fail(std::string reason) {
    connection_.Close();
    problem_ = reason;
    StoreHealth::Instance().NoteUnusable(std::move(reason));
    return false;
}

void SettingsDatabase::RememberIdentity() {
    struct stat info {};
    if (stat(path_.c_str(), &info) == 0) {
        device_ = info.st_dev;
        inode_ = info.st_ino;
    }
}

// A cheap stat per operation. A deleted file is written anew from the open
// connection (its data lives on until the connection is closed), so every
// profile, not only the current one, is kept.
void SettingsDatabase::FollowTheFile() {
    if (!opened_ || !connection_.IsOpen())
        return;
    struct stat info {};
    if (lstat(path_.c_str(), &info) == 0) {
        if (info.st_dev == device_ && info.st_ino == inode_)
            return;
        // Another file took its place: that one is the store now.
        Trace(kTraceDevice, "settings database %s was replaced, opening the new file",
              path_.c_str());
        CloseLocked();
        problem_.clear();
        opened_ = OpenLocked(fs::path(path_).parent_path().string() + "/");
        if (opened_)
            RememberIdentity();
        return;
    }
    Trace(kTraceDevice, "settings database %s was deleted, writing it again", path_.c_str());
    CreateFolderPath(FromUtf8(fs::path(path_).parent_path().string() + "/"));
    int result = SQLITE_MISUSE;
    {
        SQLiteStatement copy;
        connection_.Prepare(copy, "VACUUM INTO ?");
        copy.BindText(1, path_.c_str(), -1);
        result = copy.Step();
    }
    CloseLocked();
    problem_.clear();
    if (result != SQLITE_DONE) {
        Trace(kTraceDevice, "settings database %s cannot be written again: %s", path_.c_str(),
              sqlite3_errstr(result));
    }
    opened_ = OpenLocked(fs::path(path_).parent_path().string() + "/");
    if (opened_)
        RememberIdentity();
}

void SettingsDatabase::Close() {
    std::lock_guard guard(lock_);
    CloseLocked();
}

void SettingsDatabase::CloseLocked() {
    // Closed whatever the opened flag says: a connection left open by a failed
    // schema must not go on serving the next model's writes.
    connection_.Close();
    opened_ = false;
}

bool SettingsDatabase::IsOpened() const {
    std::lock_guard guard(lock_);
    return opened_;
}

std::string SettingsDatabase::Path() const {
    std::lock_guard guard(lock_);
    return path_;
}

std::string SettingsDatabase::Problem() const {
    std::lock_guard guard(lock_);
    return problem_;
}

}  // namespace tessaly
