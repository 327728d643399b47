#include "storage/settings_database.h"

#include <filesystem>

#include <sqlite3.h>

#include "base/trace.h"
#include "base/unicode.h"
#include "platform/folders.h"
#include "storage/database_recovery.h"
#include "storage/schema.h"

namespace tessaly {
namespace {

constexpr int kOpenExistingFlags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX;
constexpr int kCreateFlags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error);
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
    return Session(lock_, connection_);
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
    // Start-up creates the folder; it may have been removed since.
    CreateFolderPath(folder);
    opened_ = FileExists(path_) ? OpenExisting() : CreateSchemaLocked();
    return opened_;
}

bool SettingsDatabase::OpenExisting() {
    if (!connection_.Open(path_.c_str(), kOpenExistingFlags))
        return false;
    if (!IsUnusableDatabase(connection_, path_)) {
        // A file that cannot take the index (read-only, full disk) is still
        // used as it is; the index only speeds reads up.
        for (const char* statement : AddedIndexStatements())
            connection_.Execute(statement);
        return true;
    }

    connection_.Close();
    const std::string kept = MoveDatabaseAside(path_);
    if (kept.empty()) {
        Trace(kTraceDevice, "settings database %s is not usable and cannot be moved aside",
              path_.c_str());
        return false;
    }
    Trace(kTraceDevice, "settings database %s is not usable, kept as %s, creating a new one",
          path_.c_str(), kept.c_str());
    return CreateSchemaLocked();
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
    bool all_succeeded = true;
    for (const char* statement : SchemaStatements()) {
        if (connection_.Execute(statement) != SQLITE_OK)
            all_succeeded = false;
    }
    return all_succeeded;
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

}  // namespace tessaly
