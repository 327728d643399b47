#pragma once
// The statements that create a new settings database, in the order they run.

#include <span>

namespace tessaly {

std::span<const char* const> SchemaStatements();

}  // namespace tessaly
