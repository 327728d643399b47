#pragma once
// The configuration keys every profile has, with their default values, in the
// order their rows are written. A key exists for a profile only through this
// table: the store never inserts on write.

#include <span>

namespace tessaly {

struct ConfigDefault {
    const char* key;
    const char* value;
};

std::span<const ConfigDefault> ConfigDefaults();

}  // namespace tessaly
