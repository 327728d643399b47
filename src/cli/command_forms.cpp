#include "cli/command_forms.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "cli/command_documentation.h"
#include "cli/command_registry.h"

namespace tessaly::cli {
namespace {

constexpr std::string_view kOptions[] = {
    "--program-dir",    "--data-dir",  "--config-dir", "--emulate", "--emulate-model",
    "--emulator-state", "--hid-trace", "--trace",      "--lang",    "--profile",
    "--json",           "--yes",       "--help",       "--version"};

std::string FirstWord(std::string_view name) {
    return std::string(name.substr(0, name.find(' ')));
}

// Second words by first word; a one-word command has none of its own.
std::map<std::string, std::vector<std::string>> Groups() {
    std::map<std::string, std::vector<std::string>> groups;
    for (const Command& command : Commands()) {
        auto& seconds = groups[FirstWord(command.name)];
        if (const size_t blank = command.name.find(' '); blank != std::string_view::npos)
            seconds.emplace_back(command.name.substr(blank + 1));
    }
    return groups;
}

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        if (!text.empty())
            text += ' ';
        text += word;
    }
    return text;
}

// zsh's _describe takes "word:text"; a colon in the text is escaped.
std::string ZshItem(std::string_view word, std::string_view text) {
    std::string item = "'";
    item += word;
    item += ':';
    for (const char c : text) {
        if (c == ':' || c == '\'')
            item += c == ':' ? "\\:" : "'\\''";
        else
            item += c;
    }
    item += '\'';
    return item;
}

}  // namespace

std::string OptionWords() {
    std::string text;
    // Appended piece by piece: GCC 12 -O3 warns falsely of "" + string.
    for (const std::string_view option : kOptions) {
        if (!text.empty())
            text += ' ';
        text += option;
    }
    return text;
}

std::string BashCompletion() {
    const auto groups = Groups();
    std::vector<std::string> firsts;
    for (const auto& [first, seconds] : groups)
        firsts.push_back(first);
    std::string text =
        "# bash completion for tessalyctl, made from its command table\n"
        "_tessalyctl() {\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        "    case $prev in\n"
        "        --program-dir|--data-dir|--config-dir) COMPREPLY=($(compgen -d -- \"$cur\")); "
        "return ;;\n"
        "        --emulator-state|--hid-trace|--trace) COMPREPLY=($(compgen -f -- \"$cur\")); "
        "return ;;\n"
        "        --emulate) COMPREPLY=($(compgen -W 'cable receiver both' -- \"$cur\")); return "
        ";;\n"
        "        --emulate-model|--lang|--profile) return ;;\n"
        "    esac\n"
        "    if [[ $cur == -* ]]; then\n"
        "        COMPREPLY=($(compgen -W '" +
        OptionWords() +
        "' -- \"$cur\"))\n"
        "        return\n"
        "    fi\n"
        "    local words=() i\n"
        "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
        "        case ${COMP_WORDS[i]} in\n"
        "            --program-dir|--data-dir|--config-dir|--emulator-state|--hid-trace|--trace|"
        "--emulate-model|--lang|--profile) ((i++)) ;;\n"
        "            -*|cable|receiver|both) ;;\n"
        "            *) words+=(\"${COMP_WORDS[i]}\") ;;\n"
        "        esac\n"
        "    done\n"
        "    if ((${#words[@]} == 0)); then\n"
        "        COMPREPLY=($(compgen -W '" +
        Joined(firsts) +
        " help' -- \"$cur\"))\n"
        "    elif ((${#words[@]} == 1)); then\n"
        "        case ${words[0]} in\n";
    for (const auto& [first, seconds] : groups) {
        if (!seconds.empty())
            text += "            " + first + ") COMPREPLY=($(compgen -W '" + Joined(seconds) +
                    "' -- \"$cur\")) ;;\n";
    }
    text += "            help) COMPREPLY=($(compgen -W '" + Joined(firsts) +
            "' -- \"$cur\")) ;;\n"
            "        esac\n"
            "    fi\n"
            "}\n"
            "complete -o default -F _tessalyctl tessalyctl\n";
    return text;
}

std::string ZshCompletion() {
    const auto groups = Groups();
    std::string text =
        "#compdef tessalyctl\n"
        "# zsh completion for tessalyctl, made from its command table\n\n"
        "_tessalyctl() {\n"
        "    local -a firsts\n"
        "    firsts=(\n";
    std::set<std::string> described;
    for (const Command& command : Commands()) {
        const std::string first = FirstWord(command.name);
        if (described.insert(first).second) {
            const bool group = !groups.at(first).empty();
            text += "        " +
                    ZshItem(first,
                            group ? "the " + first + " commands" : std::string(command.summary)) +
                    "\n";
        }
    }
    text +=
        "        'help:the help of a command or group'\n"
        "    )\n"
        "    _arguments -s \\\n"
        "        '*--program-dir[the program folder]:folder:_files -/' \\\n"
        "        '*--data-dir[the per-user data folder]:folder:_files -/' \\\n"
        "        '*--config-dir[the settings folder]:folder:_files -/' \\\n"
        "        '*--emulate[the virtual mouse]' \\\n"
        "        '*--emulate-model[the virtual mouse of a catalogue model]:device type:' \\\n"
        "        '*--emulator-state[the virtual mouse state file]:file:_files' \\\n"
        "        '*--hid-trace[one line per HID report]:file:_files' \\\n"
        "        '*--trace[the debug trace]:file:_files' \\\n"
        "        '*--lang[texts in this language]:LCID:' \\\n"
        "        '*--profile[change this stored profile]:profile number:' \\\n"
        "        '*--json[one JSON document]' \\\n"
        "        '*--yes[answer the confirmations]' \\\n"
        "        '(- *)--help[the help]' \\\n"
        "        '(- *)--version[the version]' \\\n"
        "        '1:command:->first' \\\n"
        "        '2:command:->second' \\\n"
        "        '*::argument:_default'\n"
        "    case $state in\n"
        "        first) _describe command firsts ;;\n"
        "        second)\n"
        "            local -a seconds\n"
        "            case $words[2] in\n";
    for (const auto& [first, seconds] : groups) {
        if (seconds.empty())
            continue;
        text += "                " + first + ") seconds=(";
        for (const Command& command : Commands()) {
            if (FirstWord(command.name) == first && command.name.find(' ') != std::string::npos) {
                text += ' ';
                text += ZshItem(command.name.substr(command.name.find(' ') + 1), command.summary);
            }
        }
        text += " ) ;;\n";
    }
    text +=
        "                help) _describe command firsts; return ;;\n"
        "            esac\n"
        "            (($#seconds)) && _describe command seconds\n"
        "            ;;\n"
        "    esac\n"
        "}\n\n"
        "_tessalyctl \"$@\"\n";
    return text;
}

// roff: a minus is "\\-", a line must not start with a control character,
// and groff reads the page as Latin-1, so other characters are named
// (\[uXXXX]).
std::string RoffText(std::string_view text) {
    std::string out;
    if (!text.empty() && (text.front() == '.' || text.front() == '\''))
        out = "\\&";
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte >= 0x80) {
            const int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
            uint32_t code = byte & (0x7F >> length);
            for (int k = 1; k < length && i + 1 < text.size(); ++k)
                code = (code << 6) | (static_cast<unsigned char>(text[++i]) & 0x3F);
            char name[16];
            std::snprintf(name, sizeof name, "\\[u%04X]", static_cast<unsigned>(code));
            out += name;
            continue;
        }
        if (byte == '-' || byte == '\\')
            out += '\\';
        out += static_cast<char>(byte);
    }
    return out;
}

std::string ManualPage(const std::string& manual_template) {
    constexpr std::string_view kMark = "@COMMANDS@\n";
    const size_t at = manual_template.find(kMark);
    if (at == std::string::npos)
        return {};
    std::string entries;
    for (const Command& command : Commands())
        entries += ".TP\n.B " + RoffText(command.usage) + "\n" + RoffText(command.summary) + "\n";
    return manual_template.substr(0, at) + entries + manual_template.substr(at + kMark.size());
}

namespace {

// A table cell: "|" would end it, even inside backticks.
std::string MarkdownCell(std::string_view text) {
    std::string cell;
    for (const char c : text) {
        if (c == '|')
            cell += '\\';
        cell += c;
    }
    return cell;
}

std::string_view DocumentationOf(std::string_view name) {
    for (const CommandDocumentation& row : CommandDocumentations()) {
        if (row.name == name)
            return row.text;
    }
    return {};
}

std::string MissingDocumentation() {
    for (const Command& command : Commands()) {
        if (DocumentationOf(command.name).empty())
            return "the command \"" + std::string(command.name) + "\" has no documentation row";
    }
    for (const CommandDocumentation& row : CommandDocumentations()) {
        if (std::none_of(Commands().begin(), Commands().end(),
                         [&](const Command& command) { return command.name == row.name; }))
            return "the documentation row \"" + std::string(row.name) + "\" names no command";
    }
    return {};
}

}  // namespace

std::string MarkdownCommands(const std::string& document, std::string* error) {
    const size_t begin = document.find(std::string(kMarkdownBegin) + "\n");
    const size_t end = document.find(std::string(kMarkdownEnd) + "\n");
    if (begin == std::string::npos || end == std::string::npos || end < begin) {
        *error = "the document has no command table markers";
        return {};
    }
    if (std::string missing = MissingDocumentation(); !missing.empty()) {
        *error = std::move(missing);
        return {};
    }
    // Blank lines around the table, so no renderer takes it into the comments.
    std::string table = "\n| command | what it does |\n|---|---|\n";
    for (const Command& command : Commands())
        table += "| `" + MarkdownCell(command.usage) + "` | " +
                 MarkdownCell(DocumentationOf(command.name)) + " |\n";
    const size_t body = begin + kMarkdownBegin.size() + 1;
    return document.substr(0, body) + table + "\n" + document.substr(end);
}

std::string CommandList() {
    std::string text;
    for (const Command& command : Commands())
        text += std::string(command.name) + "\t" + std::string(command.usage) + "\n";
    return text;
}

}  // namespace tessaly::cli
