#include "cli/cli_arguments.h"

#include <array>
#include <string_view>

#include "cli/argument_checks.h"

namespace tessaly::cli {
namespace {

// Options start-up takes with a value; they are passed on unchanged.
constexpr std::array<std::string_view, 6> kStartupValueOptions{
    "--program-dir", "--data-dir", "--config-dir", "--trace", "--hid-trace", "--emulator-state"};

std::optional<EmulatedLinks> LinksFromWord(std::string_view word) {
    if (word == "cable")
        return EmulatedLinks::kCable;
    if (word == "receiver")
        return EmulatedLinks::kReceiver;
    if (word == "both")
        return EmulatedLinks::kBoth;
    return std::nullopt;
}

bool IsStartupValueOption(std::string_view option) {
    for (const std::string_view known : kStartupValueOptions) {
        if (option == known)
            return true;
    }
    return false;
}

}  // namespace

CliArguments ParseCliArguments(const std::vector<std::string>& arguments) {
    CliArguments result;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool has_next = i + 1 < arguments.size();
        // Options are taken anywhere until "--"; a command word never starts with "--".
        if (argument == "--") {
            result.words.insert(result.words.end(), arguments.begin() + static_cast<long>(i) + 1,
                                arguments.end());
            break;
        }
        if (IsStartupValueOption(argument)) {
            if (!has_next) {
                result.error = argument + " needs a value";
                return result;
            }
            result.startup.push_back(argument);
            result.startup.push_back(arguments[++i]);
        } else if (argument == "--emulate") {
            result.emulate = EmulatedLinks::kDefault;
            result.startup.push_back(argument);
            if (has_next) {
                if (const auto links = LinksFromWord(arguments[i + 1])) {
                    result.emulate = *links;
                    ++i;
                }
            }
        } else if (argument == "--emulate-model") {
            if (!has_next || !ParseInteger(arguments[i + 1])) {
                result.error = "--emulate-model needs a device type (see devices)";
                return result;
            }
            result.emulated_models.push_back(*ParseInteger(arguments[++i]));
        } else if (argument == "--lang") {
            if (!has_next || !ParseInteger(arguments[i + 1])) {
                result.error = "--lang needs a language number (LCID)";
                return result;
            }
            result.lcid = ParseInteger(arguments[++i]);
        } else if (argument == "--profile") {
            if (!has_next || !ParseInteger(arguments[i + 1]) ||
                *ParseInteger(arguments[i + 1]) < 1) {
                result.error = "--profile needs a profile number (see profile list)";
                return result;
            }
            result.profile = ParseInteger(arguments[++i]);
        } else if (argument == "--json") {
            result.json = true;
        } else if (argument == "--yes" || argument == "-y") {
            result.yes = true;
        } else if (argument == "--help" || argument == "-h") {
            result.help = true;
        } else if (argument == "--version") {
            result.version = true;
        } else if (argument.size() > 1 && argument[0] == '-' && !ParseInteger(argument)) {
            result.error = "unknown option " + argument;
            return result;
        } else {
            result.words.push_back(argument);
        }
    }
    // A model to emulate means the virtual mouse.
    if (!result.emulated_models.empty() && result.emulate == EmulatedLinks::kNone) {
        result.emulate = EmulatedLinks::kDefault;
        result.startup.push_back("--emulate");
    }
    return result;
}

}  // namespace tessaly::cli
