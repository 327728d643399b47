#include "cli/command_table.h"

namespace tessaly::cli {

std::span<const Command> UpdateCommands() {
    return {};
}

}  // namespace tessaly::cli
