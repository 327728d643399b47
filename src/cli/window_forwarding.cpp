#include "cli/window_forwarding.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "app/language_state.h"
#include "base/unicode.h"
#include "platform/folders.h"
#include "platform/instance_commands.h"
#include "platform/registry_store.h"

namespace tessaly::cli {
namespace {

constexpr char kSeparator = '\0';
constexpr std::string_view kCommandWord = "run";
constexpr std::string_view kDescribeWord = "describe";

std::string Canonical(const std::string& path) {
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    std::string text = error ? path : canonical.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

std::string LinksWord(EmulatedLinks links) {
    switch (links) {
        case EmulatedLinks::kCable:
            return "cable";
        case EmulatedLinks::kReceiver:
            return "receiver";
        case EmulatedLinks::kBoth:
            return "both";
        default:
            return "as found";
    }
}

// The option a user changes to make an entry match.
std::string OptionOf(const std::string& name) {
    if (name == "data" || name == "config" || name == "program")
        return "--" + name + "-dir";
    if (name == "mouse")
        return "--emulate / --emulator-state";
    if (name == "models")
        return "--emulate-model";
    if (name == "links")
        return "the --emulate links";
    return "--lang";
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(kSeparator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

}  // namespace

RunIdentity IdentityOf(const CommandLine& line, const CliArguments* options) {
    RunIdentity identity;
    identity["program"] = Canonical(ToUtf8(ProgramFolder()));
    identity["data"] = Canonical(ToUtf8(UserDataFolder()));
    identity["config"] = Canonical(ConfigHomeFolder());
    if (!line.emulate)
        identity["mouse"] = "the connected devices";
    else if (line.emulator_state_file.empty())
        identity["mouse"] = "a virtual mouse of its own";
    else
        identity["mouse"] = "the virtual mouse of " + Canonical(line.emulator_state_file);
    std::string models = "the catalogue's first";
    if (options && !options->emulated_models.empty()) {
        models.clear();
        for (int type : options->emulated_models) {
            // Appended in two steps: GCC 12 at -O3 warns falsely on "," + string.
            if (!models.empty())
                models += ',';
            models += std::to_string(type);
        }
    }
    identity["models"] = line.emulate ? models : "-";
    identity["links"] = options && line.emulate ? LinksWord(options->emulate) : "as found";
    // A run without --lang speaks the stored language, as the window does.
    if (!options || options->lcid)
        identity["language"] = std::to_string(options ? *options->lcid : CurrentLcid());
    return identity;
}

std::string IdentityDifferences(const RunIdentity& run, const RunIdentity& window) {
    std::string text;
    for (const auto& [name, value] : run) {
        const auto found = window.find(name);
        if (found != window.end() && found->second == value)
            continue;
        const std::string theirs = found == window.end() ? "none" : found->second;
        text += (text.empty() ? "" : "; ") + OptionOf(name) + ": the window has " + theirs +
                ", this run " + value;
    }
    return text;
}

std::string CommandRequest(const CliArguments& options, const std::string& folder) {
    std::vector<std::string> words;
    if (options.json)
        words.push_back("--json");
    if (options.yes)
        words.push_back("--yes");
    if (options.profile) {
        words.push_back("--profile");
        words.push_back(std::to_string(*options.profile));
    }
    words.push_back("--");
    words.insert(words.end(), options.words.begin(), options.words.end());
    std::string request(kCommandWord);
    request += kSeparator;
    request += folder;
    for (const std::string& word : words) {
        request += kSeparator;
        request += word;
    }
    return request;
}

std::string DescribeRequest() {
    return std::string(kDescribeWord);
}

bool IsDescribeRequest(const std::string& request) {
    return request == kDescribeWord;
}

std::optional<ForwardedCommand> ParseCommandRequest(const std::string& request) {
    std::vector<std::string> parts = Split(request);
    if (parts.size() < 2 || parts[0] != kCommandWord || parts[1].empty() || parts[1][0] != '/')
        return std::nullopt;
    ForwardedCommand command;
    command.folder = parts[1];
    command.arguments.assign(parts.begin() + 2, parts.end());
    return command;
}

std::string IdentityText(const RunIdentity& identity) {
    std::string text;
    for (const auto& [name, value] : identity)
        text += name + '\t' + value + '\n';
    return text;
}

RunIdentity IdentityFromText(const std::string& text) {
    RunIdentity identity;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string row = text.substr(start, end - start);
        if (const size_t tab = row.find('\t'); tab != std::string::npos)
            identity[row.substr(0, tab)] = row.substr(tab + 1);
        start = end + 1;
    }
    return identity;
}

Forwarding ForwardToWindow(const CliArguments& options, const CommandLine& line) {
    Forwarding forwarding;
    std::string described;
    const InstanceAnswer description =
        SendInstanceCommand(DescribeRequest(), [&](FrameKind kind, std::string_view data) {
            if (kind == FrameKind::kOutput)
                described += data;
        });
    if (!description.reached)
        return forwarding;
    if (!description.complete || description.exit_code != 0) {
        forwarding.refusal =
            description.refusal.empty() ? "it does not say what it works on" : description.refusal;
        return forwarding;
    }
    const std::string differences =
        IdentityDifferences(IdentityOf(line, &options), IdentityFromText(described));
    if (!differences.empty()) {
        forwarding.refusal =
            "it takes only runs on its own folders and mouse (" + differences + ")";
        return forwarding;
    }
    std::error_code error;
    const std::string folder = std::filesystem::current_path(error).string();
    const InstanceAnswer answer = SendInstanceCommand(
        CommandRequest(options, error ? "/" : folder), [](FrameKind kind, std::string_view data) {
            std::FILE* stream = kind == FrameKind::kError ? stderr : stdout;
            std::fwrite(data.data(), 1, data.size(), stream);
            std::fflush(stream);
        });
    if (answer.complete) {
        forwarding.exit_code = answer.exit_code;
    } else if (!answer.refusal.empty()) {
        forwarding.refusal = answer.refusal;
    } else {
        // The window went away mid-command: what it did is not known here.
        std::fprintf(stderr, "tessalyctl: the window closed before the command ended\n");
        forwarding.exit_code = 1;
    }
    return forwarding;
}

}  // namespace tessaly::cli
