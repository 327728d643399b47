#include "storage/light_table.h"

#include "base/unicode.h"
#include "storage/settings_database.h"
#include "storage/statement_result.h"

namespace tessaly {
namespace {

LightSetting ReadRow(SQLiteStatement& statement) {
    LightSetting row;
    row.light_id = statement.ColumnInt(0);
    row.profile = statement.ColumnInt(1);
    row.name = ColumnString(statement, 2);
    row.mode = statement.ColumnInt(3);
    row.brightness = statement.ColumnInt(4);
    row.speed = statement.ColumnInt(5);
    row.direction = statement.ColumnInt(6);
    row.colorful = statement.ColumnInt(7);
    row.color_index = statement.ColumnInt(8);
    for (size_t i = 0; i < row.color_values.size(); ++i)
        row.color_values[i] = statement.ColumnInt(9 + static_cast<int>(i));
    row.config_func = statement.ColumnInt(16);
    row.reserved = statement.ColumnInt(17);
    row.status = statement.ColumnInt(18);
    return row;
}

// Binds brightness … reserved (14 values) from the given parameter index on;
// returns the next free index.
int BindParameters(SQLiteStatement& statement, int index, const LightSetting& light) {
    for (int value :
         {light.brightness, light.speed, light.direction, light.colorful, light.color_index})
        statement.BindInt(index++, value);
    for (int value : light.color_values)
        statement.BindInt(index++, value);
    statement.BindInt(index++, light.config_func);
    statement.BindInt(index++, light.reserved);
    return index;
}

}  // namespace

int CountLights(int profile) {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement, "select count(*) FROM t_light_data WHERE profile = ?");
    statement.BindInt(1, profile);
    if (statement.Step() != SQLITE_ROW)
        return 0;
    return statement.ColumnInt(0);
}

int InsertLight(const LightSetting& light) {
    auto session = SettingsDatabase::Instance().Lock();
    const std::string name = ToUtf8(light.name);
    SQLiteStatement statement;
    session.db().Prepare(statement,
                         "INSERT INTO t_light_data(profile, name, mode, brightness, speed, "
                         "direction, colorful, colorindex, color_value1, color_value2, "
                         "color_value3, color_value4, color_value5, color_value6, color_value7, "
                         "config_func, reserved, status) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                         "?, ?, ?, ?, ?, ?, ?);");
    statement.BindInt(1, light.profile);
    statement.BindText(2, name);
    statement.BindInt(3, light.mode);
    const int next = BindParameters(statement, 4, light);
    statement.BindInt(next, light.status);
    if (!StepSucceeded(statement.Step()))
        return 0;
    return static_cast<int>(session.db().LastInsertRowId());
}

bool UpdateLight(int mode, const LightSetting& light) {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement,
                         "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, "
                         "colorful = ?, colorindex = ?, color_value1 = ?, color_value2 = ?, "
                         "color_value3 = ?, color_value4 = ?, color_value5 = ?, color_value6 = ?, "
                         "color_value7 = ?, config_func = ?, reserved = ? WHERE profile = ? AND "
                         "mode = ?");
    int next = BindParameters(statement, 1, light);
    statement.BindInt(next++, light.profile);
    statement.BindInt(next, mode);
    return StepSucceeded(statement.Step());
}

bool SetActiveLight(int profile, int mode) {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement, "UPDATE t_light_data SET status = ? WHERE profile = ?");
    statement.BindInt(1, 0);
    statement.BindInt(2, profile);
    StepSucceeded(statement.Step());
    session.db().Prepare(statement,
                         "UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?");
    statement.BindInt(1, 1);
    statement.BindInt(2, profile);
    statement.BindInt(3, mode);
    return StepSucceeded(statement.Step());
}

int GetActiveLightMode(int profile) {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement,
                         "SELECT mode FROM t_light_data WHERE profile = ? and status = ?");
    statement.BindInt(1, profile);
    statement.BindInt(2, 1);
    if (statement.Step() != SQLITE_ROW)
        return 0;
    return statement.ColumnInt(0);
}

bool GetLight(int profile, int mode, LightSetting& light) {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement, "SELECT * FROM t_light_data WHERE profile = ? AND mode = ?");
    statement.BindInt(1, profile);
    statement.BindInt(2, mode);
    if (statement.Step() != SQLITE_ROW)
        return false;
    light = ReadRow(statement);
    return true;
}

int ListLights(int profile, std::vector<LightSetting>& lights) {
    lights.clear();
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement, "SELECT * FROM t_light_data WHERE profile = ?");
    statement.BindInt(1, profile);
    while (statement.Step() == SQLITE_ROW)
        lights.push_back(ReadRow(statement));
    return static_cast<int>(lights.size());
}

bool DeleteLights(int profile) {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement, "DELETE FROM t_light_data WHERE profile = ?");
    statement.BindInt(1, profile);
    return StepSucceeded(statement.Step());
}

}  // namespace tessaly
