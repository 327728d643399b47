#pragma once
// The tool's own command line: the global options (those the program's
// start-up knows are passed on to it as they are) and the command words.

#include <optional>
#include <string>
#include <vector>

namespace tessaly::cli {

enum class EmulatedLinks { kNone, kDefault, kCable, kReceiver, kBoth };

struct CliArguments {
    std::vector<std::string> startup;  // for ParseCommandLine
    EmulatedLinks emulate = EmulatedLinks::kNone;
    // --emulate-model TYPE, repeatable: catalogue device types, one virtual mouse each.
    std::vector<int> emulated_models;
    std::optional<int> lcid;     // --lang: this run only, not stored
    std::optional<int> profile;  // --profile N: that stored profile, not the mouse
    bool json = false;
    bool yes = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> words;  // the command and its arguments
    std::string error;               // a usage error, one line
};

CliArguments ParseCliArguments(const std::vector<std::string>& arguments);

}  // namespace tessaly::cli
