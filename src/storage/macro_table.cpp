#include "storage/macro_table.h"

#include <mutex>

#include "base/unicode.h"
#include "storage/settings_database.h"
#include "storage/sqlite_auto_transaction.h"
#include "storage/statement_result.h"

namespace tessaly {
namespace {

constexpr const char* kInsertMacro =
    "INSERT INTO t_macro_data(name, play_type, play_times, delay_type, delay_time) "
    "VALUES (?, ?, ?, ?, ?);";
constexpr const char* kInsertEvent =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
    "VALUES (?, ?, ?, ?, ?, ?);";

MacroInfo ReadMacro(SQLiteStatement& statement) {
    MacroInfo row;
    row.macro_id = statement.ColumnInt(0);
    row.name = ColumnString(statement, 1);
    row.play_type = statement.ColumnInt(2);
    row.play_times = statement.ColumnInt(3);
    row.delay_type = statement.ColumnInt(4);
    row.delay_time = statement.ColumnInt(5);
    return row;
}

MacroEvent ReadEvent(SQLiteStatement& statement) {
    MacroEvent row;
    row.record_id = statement.ColumnInt(0);
    row.macro_id = statement.ColumnInt(1);
    row.type = statement.ColumnInt(2);
    row.record_index = statement.ColumnInt(3);
    row.desc = ColumnString(statement, 4);
    row.value = statement.ColumnInt(5);
    row.delay_time = statement.ColumnInt(6);
    return row;
}

std::mutex probe_lock;
MacroEventWriteProbe& Probe() {
    static MacroEventWriteProbe probe;
    return probe;
}

// Every event row is written through here, so a fault test reaches each path.
bool StepEvent(SQLiteStatement& statement) {
    {
        std::lock_guard guard(probe_lock);
        if (Probe() && !Probe()())
            return false;
    }
    return StepSucceeded(statement.Step());
}

// The description must stay alive until the statement is stepped.
void BindEvent(SQLiteStatement& statement, const MacroEvent& event, const std::string& desc) {
    statement.BindInt(1, event.macro_id);
    statement.BindInt(2, event.type);
    statement.BindInt(3, event.record_index);
    statement.BindText(4, desc);
    statement.BindInt(5, event.value);
    statement.BindInt(6, event.delay_time);
}

int InsertMacroRowLocked(SQLiteDB& db, const MacroInfo& macro) {
    const std::string name = ToUtf8(macro.name);
    SQLiteStatement statement;
    db.Prepare(statement, kInsertMacro);
    statement.BindText(1, name);
    statement.BindInt(2, macro.play_type);
    statement.BindInt(3, macro.play_times);
    statement.BindInt(4, macro.delay_type);
    statement.BindInt(5, macro.delay_time);
    if (!StepSucceeded(statement.Step()))
        return 0;
    return static_cast<int>(db.LastInsertRowId());
}

int InsertMacroRow(const MacroInfo& macro) {
    auto session = SettingsDatabase::Instance().Lock();
    return InsertMacroRowLocked(session.db(), macro);
}

bool InsertEventsLocked(SQLiteDB& db, int macro_id, std::span<const MacroEvent> events) {
    SQLiteStatement statement;
    db.Prepare(statement, kInsertEvent);
    for (MacroEvent event : events) {
        event.macro_id = macro_id;
        const std::string desc = ToUtf8(event.desc);
        BindEvent(statement, event, desc);
        if (!StepEvent(statement))
            return false;
        statement.Reset();
    }
    return true;
}

bool DeleteEventsLocked(SQLiteDB& db, int macro_id) {
    SQLiteStatement statement;
    db.Prepare(statement, "DELETE FROM t_macrorecord WHERE macro_id = ?");
    statement.BindInt(1, macro_id);
    return StepSucceeded(statement.Step());
}

}  // namespace

int AddMacro(std::u16string_view name) {
    MacroInfo macro;
    macro.name = name;
    macro.play_times = 1;
    macro.delay_type = 1;
    return InsertMacroRow(macro);
}

int AddMacroFull(const MacroInfo& macro) {
    return InsertMacroRow(macro);
}

bool RenameMacro(int macro_id, std::u16string_view name) {
    auto session = SettingsDatabase::Instance().Lock();
    const std::string name_bytes = ToUtf8(name);
    SQLiteStatement statement;
    session.db().Prepare(statement, "UPDATE t_macro_data SET name = ? WHERE macro_id = ?");
    statement.BindText(1, name_bytes);
    statement.BindInt(2, macro_id);
    return StepSucceeded(statement.Step());
}

bool UpdateMacro(const MacroInfo& macro) {
    auto session = SettingsDatabase::Instance().Lock();
    const std::string name = ToUtf8(macro.name);
    SQLiteStatement statement;
    session.db().Prepare(statement,
                         "UPDATE t_macro_data SET name = ?, play_type = ?, play_times = ?, "
                         "delay_type = ?,delay_time = ? WHERE macro_id = ?");
    statement.BindText(1, name);
    statement.BindInt(2, macro.play_type);
    statement.BindInt(3, macro.play_times);
    statement.BindInt(4, macro.delay_type);
    statement.BindInt(5, macro.delay_time);
    statement.BindInt(6, macro.macro_id);
    return StepSucceeded(statement.Step());
}

bool DeleteMacro(int macro_id) {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement, "DELETE FROM t_macro_data WHERE macro_id = ?");
    statement.BindInt(1, macro_id);
    if (!StepSucceeded(statement.Step()))
        return false;
    return DeleteEventsLocked(session.db(), macro_id);
}

bool GetMacro(int macro_id, MacroInfo& macro) {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement, "SELECT * FROM t_macro_data WHERE macro_id = ?");
    statement.BindInt(1, macro_id);
    if (statement.Step() != SQLITE_ROW)
        return false;
    macro = ReadMacro(statement);
    return true;
}

int ListMacros(std::vector<MacroInfo>& macros) {
    macros.clear();
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(statement, "SELECT * FROM t_macro_data");
    while (statement.Step() == SQLITE_ROW)
        macros.push_back(ReadMacro(statement));
    return static_cast<int>(macros.size());
}

int InsertMacroEvent(const MacroEvent& event) {
    auto session = SettingsDatabase::Instance().Lock();
    const std::string desc = ToUtf8(event.desc);
    SQLiteStatement statement;
    session.db().Prepare(statement, kInsertEvent);
    BindEvent(statement, event, desc);
    if (!StepEvent(statement))
        return 0;
    return static_cast<int>(session.db().LastInsertRowId());
}

void InsertMacroEvents(std::span<const MacroEvent> events) {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteAutoTransaction transaction(&session.db());
    // Prepared once and reset per event: a recording is thousands of events.
    SQLiteStatement statement;
    session.db().Prepare(statement, kInsertEvent);
    for (const MacroEvent& event : events) {
        const std::string desc = ToUtf8(event.desc);
        BindEvent(statement, event, desc);
        StepEvent(statement);
        statement.Reset();
    }
}

int ListMacroEvents(int macro_id, std::vector<MacroEvent>& events) {
    events.clear();
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteStatement statement;
    session.db().Prepare(
        statement, "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC");
    statement.BindInt(1, macro_id);
    while (statement.Step() == SQLITE_ROW)
        events.push_back(ReadEvent(statement));
    return static_cast<int>(events.size());
}

bool DeleteMacroEvents(int macro_id) {
    auto session = SettingsDatabase::Instance().Lock();
    return DeleteEventsLocked(session.db(), macro_id);
}

bool ReplaceMacroEvents(int macro_id, std::span<const MacroEvent> events) {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteDB& db = session.db();
    if (db.Execute("BEGIN") != SQLITE_OK)
        return false;
    if (DeleteEventsLocked(db, macro_id) && InsertEventsLocked(db, macro_id, events) &&
        db.Execute("COMMIT") == SQLITE_OK) {
        return true;
    }
    db.Execute("ROLLBACK");
    return false;
}

int AddMacroWithEvents(const MacroInfo& macro, std::span<const MacroEvent> events) {
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteDB& db = session.db();
    if (db.Execute("BEGIN") != SQLITE_OK)
        return 0;
    const int macro_id = InsertMacroRowLocked(db, macro);
    if (macro_id != 0 && InsertEventsLocked(db, macro_id, events) &&
        db.Execute("COMMIT") == SQLITE_OK) {
        return macro_id;
    }
    db.Execute("ROLLBACK");
    return 0;
}

namespace {

// Inside the batch's transaction: the savepoint makes one macro's failure
// undo that macro alone.
bool AddOneInBatchLocked(SQLiteDB& db, PendingMacro& pending) {
    if (db.Execute("SAVEPOINT one_macro") != SQLITE_OK)
        return false;
    const int macro_id = InsertMacroRowLocked(db, pending.macro);
    const bool stored = macro_id != 0 && InsertEventsLocked(db, macro_id, pending.events);
    if (!stored)
        db.Execute("ROLLBACK TO one_macro");
    db.Execute("RELEASE one_macro");
    pending.macro.macro_id = stored ? macro_id : 0;
    return stored;
}

}  // namespace

int AddMacrosWithEvents(std::span<PendingMacro> batch) {
    for (PendingMacro& pending : batch)
        pending.macro.macro_id = 0;
    auto session = SettingsDatabase::Instance().Lock();
    SQLiteDB& db = session.db();
    if (db.Execute("BEGIN") != SQLITE_OK)
        return 0;
    int stored = 0;
    for (PendingMacro& pending : batch)
        stored += AddOneInBatchLocked(db, pending) ? 1 : 0;
    if (db.Execute("COMMIT") == SQLITE_OK)
        return stored;
    db.Execute("ROLLBACK");
    for (PendingMacro& pending : batch)
        pending.macro.macro_id = 0;
    return 0;
}

MacroBulkWrites::MacroBulkWrites() {
    auto session = SettingsDatabase::Instance().Lock();
    session.db().Execute("PRAGMA journal_mode = PERSIST");
}

MacroBulkWrites::~MacroBulkWrites() {
    auto session = SettingsDatabase::Instance().Lock();
    session.db().Execute("PRAGMA journal_mode = DELETE");
}

void SetMacroEventWriteProbe(MacroEventWriteProbe probe) {
    std::lock_guard guard(probe_lock);
    Probe() = std::move(probe);
}

}  // namespace tessaly
