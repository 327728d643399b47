#pragma once
// An existing database file that SQLite cannot use would make every later save
// fail silently. Such a file is moved aside, never deleted.

#include <string>

namespace tessaly {

class SQLiteDB;

// True when the open connection's file is not a database or is damaged, or the
// file is empty (a truncated file has no tables). Other failures, such as a
// file locked by another process, do not count.
bool IsUnusableDatabase(SQLiteDB& db, const std::string& path);

// Renames the file (and any journal beside it, so that it is not replayed into
// the fresh file) to "<path>.corrupt-<UTC timestamp>". Returns the new name, or
// an empty text when the file could not be moved.
std::string MoveDatabaseAside(const std::string& path);

}  // namespace tessaly
