#include "platform/autostart.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/application_name.h"
#include "base/unicode.h"
#include "platform/folders.h"
#include "platform/registry_store.h"

namespace tessaly {
namespace {

constexpr std::u16string_view kReserved = u" \t\n\"'\\><~|&;$*?#()`";

// Exec quoting: the path in double quotes, with ", `, $ and \ escaped.
std::u16string QuoteArgument(std::u16string_view argument) {
    if (argument.find_first_of(kReserved) == std::u16string_view::npos) {
        return std::u16string(argument);
    }
    std::u16string quoted = u"\"";
    for (char16_t c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted.push_back(u'\\');
        quoted.push_back(c);
    }
    quoted.push_back(u'"');
    return quoted;
}

// The desktop entry's own escapes for string values; '%' is doubled for Exec.
std::u16string EscapeValue(std::u16string_view value) {
    std::u16string out;
    for (char16_t c : value) {
        switch (c) {
            case u'\\':
                out += u"\\\\";
                break;
            case u'\n':
                out += u"\\n";
                break;
            case u'\t':
                out += u"\\t";
                break;
            case u'\r':
                out += u"\\r";
                break;
            case u'%':
                out += u"%%";
                break;
            default:
                out.push_back(c);
        }
    }
    return out;
}

std::u16string UnescapeValue(std::u16string_view value) {
    std::u16string out;
    for (size_t i = 0; i < value.size(); ++i) {
        const char16_t c = value[i];
        if (c == u'\\' && i + 1 < value.size()) {
            const char16_t next = value[++i];
            switch (next) {
                case u'n':
                    out.push_back(u'\n');
                    break;
                case u't':
                    out.push_back(u'\t');
                    break;
                case u'r':
                    out.push_back(u'\r');
                    break;
                case u's':
                    out.push_back(u' ');
                    break;
                default:
                    out.push_back(next);
            }
        } else if (c == u'%' && i + 1 < value.size() && value[i + 1] == u'%') {
            out.push_back(u'%');
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

}  // namespace

std::string AutostartEntryPath() {
    return ConfigHomeFolder() + "/autostart/" + ApplicationFileName() + ".desktop";
}

std::u16string AutorunCommandLine(std::u16string_view executable_path) {
    return QuoteArgument(executable_path) + u" -autorun";
}

bool WriteAutorunEntry(std::u16string_view executable_path) {
    const std::string path = AutostartEntryPath();
    CreateFolderPath(FromUtf8(std::filesystem::path(path).parent_path().string()));
    const std::u16string name = ApplicationName();
    std::string content = "[Desktop Entry]\nType=Application\n";
    content += "Name=" + ToUtf8(EscapeValue(name)) + "\n";
    content += "Exec=" + ToUtf8(EscapeValue(AutorunCommandLine(executable_path))) + "\n";
    content += "Terminal=false\nX-GNOME-Autostart-enabled=true\n";
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out << content;
        if (!out.flush())
            return false;
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

std::optional<std::u16string> ReadAutorunCommandLine() {
    std::ifstream in(AutostartEntryPath(), std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string line;
    bool in_entry = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line.front() == '[') {
            in_entry = line == "[Desktop Entry]";
            continue;
        }
        if (in_entry && line.rfind("Exec=", 0) == 0) {
            return UnescapeValue(FromUtf8(std::string_view(line).substr(5)));
        }
    }
    return std::nullopt;
}

bool AutorunEntryPresent() {
    const auto command = ReadAutorunCommandLine();
    return command && (command->size() + 1) * 2 <= kAutorunMaxBytes;
}

bool DeleteAutorunEntry() {
    std::error_code error;
    std::filesystem::remove(AutostartEntryPath(), error);
    return !std::filesystem::exists(AutostartEntryPath(), error);
}

std::optional<std::u16string> FirstExecArgument(std::u16string_view command_line) {
    size_t i = 0;
    while (i < command_line.size() && command_line[i] == u' ')
        ++i;
    if (i >= command_line.size())
        return std::nullopt;
    std::u16string argument;
    if (command_line[i] != u'"') {
        const size_t end = command_line.find(u' ', i);
        return std::u16string(
            command_line.substr(i, end == std::u16string_view::npos ? end : end - i));
    }
    for (++i; i < command_line.size(); ++i) {
        if (command_line[i] == u'\\' && i + 1 < command_line.size()) {
            argument.push_back(command_line[++i]);
        } else if (command_line[i] == u'"') {
            return argument;
        } else {
            argument.push_back(command_line[i]);
        }
    }
    return std::nullopt;  // unterminated quote
}

}  // namespace tessaly
