#include "storage/key_table.h"

#include "base/unicode.h"
#include "storage/settings_database.h"
#include "storage/statement_result.h"

namespace tessaly {
namespace {

constexpr int kReadLayer = 0;

KeyAssignment ReadRow(SQLiteStatement& statement) {
    KeyAssignment row;
    row.key_id = statement.ColumnInt(0);
    row.profile = statement.ColumnInt(1);
    row.layer = statement.ColumnInt(2);
    row.key_code = statement.ColumnInt(3);
    row.layout_value = statement.ColumnInt(4);
    row.layout_desc = ColumnString(statement, 5);
    row.macro_type = statement.ColumnInt(6);
    row.macro_value = statement.ColumnInt(7);
    row.macro_value2 = statement.ColumnInt(8);
    row.macro_value3 = statement.ColumnInt(9);
    row.macro_desc = ColumnString(statement, 10);
    return row;
}

}  // namespace

int SaveKeyAssignment(const KeyAssignment& assignment) {
    auto session = SettingsDatabase::Instance().Lock();
    const std::string layout_desc = ToUtf8(assignment.layout_desc);
    const std::string macro_desc = ToUtf8(assignment.macro_desc);
    SQLiteStatement statement;
    session.db().Prepare(
        statement,
        "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?");
    statement.BindInt(1, assignment.profile);
    statement.BindInt(2, assignment.layer);
    statement.BindInt(3, assignment.key_code);
    StepSucceeded(statement.Step());
    if (assignment.macro_value == 0 && assignment.macro_value2 == 0)
        return 0;

    session.db().Prepare(statement,
                         "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, "
                         "layout_desc, macro_type, macro_value, macro_value2, macro_value3, "
                         "macro_desc) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
    statement.BindInt(1, assignment.profile);
    statement.BindInt(2, assignment.layer);
    statement.BindInt(3, assignment.key_code);
    statement.BindInt(4, assignment.layout_value);
    statement.BindText(5, layout_desc);
    statement.BindInt(6, assignment.macro_type);
    statement.BindInt(7, assignment.macro_value);
    statement.BindInt(8, assignment.macro_value2);
    statement.BindInt(9, assignment.macro_value3);
    statement.BindText(10, macro_desc);
    if (!StepSucceeded(statement.Step()))
        return 0;
    return static_cast<int>(session.db().LastInsertRowId());
}

bool GetKeyAssignment(int profile, int key_code, KeyAssignment& assignment) {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(
        statement,
        "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?");
    statement.BindInt(1, profile);
    statement.BindInt(2, kReadLayer);
    statement.BindInt(3, key_code);
    if (statement.Step() != SQLITE_ROW)
        return false;
    assignment = ReadRow(statement);
    return true;
}

bool SetKeyMacroDescription(int profile, int key_code, std::u16string_view description) {
    auto session = SettingsDatabase::Instance().Lock();
    const std::string text = ToUtf8(description);
    SQLiteStatement statement;
    session.db().Prepare(statement,
                         "UPDATE t_key_macro_data SET macro_desc = ? WHERE profile = ? and "
                         "fn_layer = ? and key_code = ?");
    statement.BindText(1, text);
    statement.BindInt(2, profile);
    statement.BindInt(3, kReadLayer);
    statement.BindInt(4, key_code);
    return StepSucceeded(statement.Step());
}

int ListKeyAssignments(int profile, std::vector<KeyAssignment>& assignments) {
    assignments.clear();
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement,
                         "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?");
    statement.BindInt(1, profile);
    statement.BindInt(2, kReadLayer);
    while (statement.Step() == SQLITE_ROW)
        assignments.push_back(ReadRow(statement));
    return static_cast<int>(assignments.size());
}

bool DeleteProfileKeys(int profile) {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement, "DELETE FROM t_key_macro_data WHERE profile = ?");
    statement.BindInt(1, profile);
    return StepSucceeded(statement.Step());
}

}  // namespace tessaly
