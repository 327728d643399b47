#include "storage/database_recovery.h"

#include <chrono>
#include <ctime>
#include <filesystem>

#include <sqlite3.h>

#include "storage/sqlite_db.h"
#include "storage/sqlite_statement.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCompanionSuffixes[] = {"-journal", "-wal", "-shm"};

bool IsDamageCode(int result) {
    return result == SQLITE_NOTADB || result == SQLITE_CORRUPT;
}

std::string UtcTimestamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm parts{};
    gmtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &parts);
    return text;
}

bool Exists(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// A second damaged file within the same second must not replace the first one.
std::string FreeSuffix(const std::string& path) {
    const std::string base = ".corrupt-" + UtcTimestamp();
    std::string suffix = base;
    for (int n = 1; Exists(path + suffix); ++n)
        suffix = base + "-" + std::to_string(n);
    return suffix;
}

}  // namespace

bool IsUnusableDatabase(SQLiteDB& db, const std::string& path) {
    std::error_code error;
    if (fs::file_size(path, error) == 0 && !error)
        return true;

    SQLiteStatement check;
    int result = db.Prepare(check, "PRAGMA quick_check");
    if (IsDamageCode(result))
        return true;
    result = check.Step();
    if (IsDamageCode(result))
        return true;
    // quick_check lists what it found wrong, or the single row "ok".
    if (result == SQLITE_ROW) {
        const char* verdict = check.ColumnText(0);
        return verdict == nullptr || std::string_view(verdict) != "ok";
    }
    return false;
}

std::string MoveDatabaseAside(const std::string& path) {
    const std::string suffix = FreeSuffix(path);
    std::error_code error;
    fs::rename(path, path + suffix, error);
    if (error)
        return {};
    for (const char* companion : kCompanionSuffixes) {
        const std::string name = path + companion;
        if (Exists(name))
            fs::rename(name, path + suffix + companion, error);
    }
    return path + suffix;
}

}  // namespace tessaly
