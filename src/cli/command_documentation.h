#pragma once
// What docs/cli.md's command table says of each command: longer than the
// help's summary, in markdown.

#include <span>
#include <string_view>

namespace tessaly::cli {

struct CommandDocumentation {
    std::string_view name;  // as in the command table
    std::string_view text;  // markdown; "|" is escaped where the table is written
};

std::span<const CommandDocumentation> CommandDocumentations();

}  // namespace tessaly::cli
