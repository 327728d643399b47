#pragma once
// The statements that create a new settings database, in the order they run.

#include <span>

namespace tessaly {

std::span<const char* const> SchemaStatements();

// What an existing file gets on opening: the indexes added since files were
// first written (each "IF NOT EXISTS", so running them again does nothing).
std::span<const char* const> AddedIndexStatements();

}  // namespace tessaly
