#include "storage/profile_table.h"

#include "base/unicode.h"
#include "storage/config_store.h"
#include "storage/settings_database.h"
#include "storage/statement_result.h"

namespace tessaly {

int AddProfile(const ProfileInfo& profile) {
    auto session = SettingsDatabase::Instance().Lock();
    const std::string name = ToUtf8(profile.name);
    const std::string app = ToUtf8(profile.app);
    int id = 0;
    {
        SQLiteStatement statement;
        session.db().Prepare(
            statement, "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);");
        statement.BindText(1, name);
        statement.BindInt(2, 0);
        statement.BindText(3, app);
        statement.BindInt(4, 0);
        if (StepSucceeded(statement.Step()))
            id = static_cast<int>(session.db().LastInsertRowId());
    }
    // Without a profile row the defaults would be orphans under id 0.
    if (id != 0)
        InsertDefaultConfig(session.db(), id);
    return id;
}

bool RenameProfile(int profile, std::u16string_view name) {
    auto session = SettingsDatabase::Instance().Lock();
    const std::string name_bytes = ToUtf8(name);
    SQLiteStatement statement;
    session.db().Prepare(statement, "UPDATE t_profile_data SET name = ? WHERE profile = ?");
    statement.BindText(1, name_bytes);
    statement.BindInt(2, profile);
    return StepSucceeded(statement.Step());
}

bool GetProfileName(int profile, std::u16string& name) {
    name.clear();
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement, "SELECT name FROM t_profile_data WHERE profile = ?");
    statement.BindInt(1, profile);
    if (statement.Step() != SQLITE_ROW)
        return false;
    name = ColumnString(statement, 0);
    return true;
}

int ListProfiles(std::vector<ProfileInfo>& profiles) {
    profiles.clear();
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement, "SELECT * FROM t_profile_data");
    while (statement.Step() == SQLITE_ROW) {
        ProfileInfo& row = profiles.emplace_back();
        row.id = statement.ColumnInt(0);
        row.name = ColumnString(statement, 1);
        row.status = statement.ColumnInt(2);
        row.app = ColumnString(statement, 3);
        row.type = statement.ColumnInt(4);
    }
    return static_cast<int>(profiles.size());
}

bool SetActiveProfile(int profile) {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement, "UPDATE t_profile_data SET status = ?");
    statement.BindInt(1, 0);
    StepSucceeded(statement.Step());
    session.db().Prepare(statement, "UPDATE t_profile_data SET status = ? WHERE profile = ?");
    statement.BindInt(1, 1);
    statement.BindInt(2, profile);
    return StepSucceeded(statement.Step());
}

int GetActiveProfile() {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement, "SELECT profile FROM t_profile_data WHERE status = ?");
    statement.BindInt(1, 1);
    if (statement.Step() != SQLITE_ROW)
        return 0;
    return statement.ColumnInt(0);
}

}  // namespace tessaly
