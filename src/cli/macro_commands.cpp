#include "cli/command_table.h"

namespace tessaly::cli {

std::span<const Command> MacroCommands() {
    return {};
}

}  // namespace tessaly::cli
