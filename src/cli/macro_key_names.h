#pragma once
// Keys by the names the macro page's key dialog shows for them.

#include <optional>
#include <string_view>

#include "buttons/raw_key_decoder.h"

namespace tessaly::cli {

// The key (code and name) a press of the named key gives the key dialog;
// names are compared without regard to case ("a", "F5", "Shift",
// "RShift", "Space"). Nothing for a name no key has.
std::optional<RawKeyEvent> KeyByName(std::string_view name);

}  // namespace tessaly::cli
