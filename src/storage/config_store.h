#pragma once
// The per-profile key/value configuration (t_configdata). Values are decimal
// texts written with "%d"; callers read them with DecimalToInt, so a missing
// key reads as 0.

#include <string>
#include <string_view>

namespace tessaly {

class SQLiteDB;

// False when the profile has no row for the key; value is emptied first.
bool GetConfigValue(int profile, std::u16string_view key, std::u16string& value);
// Updates the existing row. False when the store did not keep the value: a
// failed step, or a key without a row (the update changed nothing).
bool SetConfigValue(int profile, std::u16string_view key, std::u16string_view value);

// Writes every default row for a new profile. The caller already holds the
// database lock (it runs inside AddProfile's locked section).
void InsertDefaultConfig(SQLiteDB& db, int profile);

}  // namespace tessaly
