#include "storage/config_store.h"

#include "base/unicode.h"
#include "storage/config_defaults.h"
#include "storage/settings_database.h"
#include "storage/sqlite_auto_transaction.h"
#include "storage/statement_result.h"

namespace tessaly {

bool GetConfigValue(int profile, std::u16string_view key, std::u16string& value) {
    value.clear();
    auto session = SettingsDatabase::Instance().Lock();
    const std::string key_bytes = ToUtf8(key);
    SQLiteStatement statement;
    session.db().Prepare(statement, "SELECT value FROM t_configdata WHERE profile = ? and key = ?");
    statement.BindInt(1, profile);
    statement.BindText(2, key_bytes);
    if (statement.Step() != SQLITE_ROW)
        return false;
    value = ColumnString(statement, 0);
    return true;
}

bool SetConfigValue(int profile, std::u16string_view key, std::u16string_view value) {
    auto session = SettingsDatabase::Instance().Lock();
    const std::string value_bytes = ToUtf8(value);
    const std::string key_bytes = ToUtf8(key);
    SQLiteStatement statement;
    session.db().Prepare(statement,
                         "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?");
    statement.BindText(1, value_bytes);
    statement.BindInt(2, profile);
    statement.BindText(3, key_bytes);
    const int result = statement.Step();
    // The store has no insert-on-write: an update that changed no row kept
    // nothing, which is a failure like any other.
    if (result == SQLITE_DONE && session.db().Changes() == 0) {
        StoreHealth::Instance().NoteWrite(false, SQLITE_DONE);
        return false;
    }
    return StepSucceeded(result);
}

void InsertDefaultConfig(SQLiteDB& db, int profile) {
    // One bracket for the whole set: a new profile is 39 rows.
    SQLiteAutoTransaction transaction(&db);
    SQLiteStatement statement;
    for (const ConfigDefault& row : ConfigDefaults()) {
        db.Prepare(statement, "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);");
        statement.BindInt(1, profile);
        statement.BindText(2, row.key, -1);
        statement.BindText(3, row.value, -1);
        StepSucceeded(statement.Step());
    }
}

}  // namespace tessaly
