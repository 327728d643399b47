#include "cli/output_value.h"

#include <algorithm>
#include <cstdio>

namespace tessaly::cli {
namespace {

void WriteJsonString(std::string& out, const std::string& text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

void Indent(std::string& out, int indent) {
    out.append(static_cast<size_t>(indent) * 2, ' ');
}

bool IsScalar(const OutputValue& value) {
    return !value.AsObject() && !value.AsArray();
}

// A list of scalars fits on its key's line.
bool IsScalarList(const OutputValue& value) {
    const auto* elements = value.AsArray();
    return elements && std::all_of(elements->begin(), elements->end(), IsScalar);
}

std::string JoinedScalars(const OutputValue& value) {
    std::string text;
    for (const OutputValue& element : *value.AsArray()) {
        if (!text.empty())
            text += ' ';
        text += element.ScalarText();
    }
    return text;
}

// East Asian wide characters take two columns in a terminal.
bool IsWide(uint32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6);
}

// Terminal columns of a UTF-8 text, for aligning translated names.
size_t DisplayWidth(const std::string& text) {
    size_t width = 0;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        uint32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (size_t k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        width += IsWide(c) ? 2 : 1;
        i += length;
    }
    return width;
}

// Names come from files anyone may write: a terminal must not take their
// bytes as commands, nor a line break inside one as the end of a row.
std::string TerminalText(const std::string& text) {
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool c1 = c == 0xC2 && i + 1 < text.size() &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (c >= 0x20 && c != 0x7F && !c1) {
            shown += text[i];
            continue;
        }
        const unsigned code = c1 ? static_cast<unsigned char>(text[++i]) : c;
        if (code == '\n')
            shown += "\\n";
        else if (code == '\t')
            shown += "\\t";
        else if (code == '\r')
            shown += "\\r";
        else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", code);
            shown += escaped;
        }
    }
    return shown;
}

// A table cell wider than this is cut, so one long name cannot pad every row
// of the table to its width. The last column pads nothing and is kept whole.
constexpr size_t kMaxCellWidth = 48;

std::string CutToWidth(const std::string& text, size_t max_width) {
    if (DisplayWidth(text) <= max_width)
        return text;
    size_t width = 0;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        const size_t next = DisplayWidth(text.substr(i, length));
        if (width + next > max_width - 1)
            break;
        width += next;
        i += length;
    }
    return text.substr(0, i) + "\u2026";
}

std::string CellText(const OutputValue& cell, bool last) {
    const std::string text = TerminalText(cell.ScalarText());
    return last ? text : CutToWidth(text, kMaxCellWidth);
}

void Pad(std::string& out, const std::string& text, size_t width) {
    out += text;
    out.append(width > DisplayWidth(text) ? width - DisplayWidth(text) : 0, ' ');
}

void WriteText(std::string& out, const OutputValue& value, int indent);

void WriteTable(std::string& out, const OutputValue::Array& rows, int indent) {
    std::vector<std::string> columns;
    for (const OutputValue& row : rows) {
        for (const auto& [key, cell] : *row.AsObject()) {
            if (IsScalar(cell) && std::find(columns.begin(), columns.end(), key) == columns.end())
                columns.push_back(key);
        }
    }
    std::vector<std::vector<std::string>> cells;
    std::vector<size_t> widths;
    for (const std::string& column : columns)
        widths.push_back(DisplayWidth(column));
    for (const OutputValue& row : rows) {
        std::vector<std::string> line(columns.size());
        for (const auto& [key, cell] : *row.AsObject()) {
            const auto at = std::find(columns.begin(), columns.end(), key);
            if (at == columns.end())
                continue;
            const size_t i = static_cast<size_t>(at - columns.begin());
            line[i] = CellText(cell, i + 1 == columns.size());
            widths[i] = std::max(widths[i], DisplayWidth(line[i]));
        }
        cells.push_back(std::move(line));
    }
    auto write_line = [&](const std::vector<std::string>& line) {
        Indent(out, indent);
        for (size_t i = 0; i < line.size(); ++i) {
            if (i + 1 < line.size())
                Pad(out, line[i], widths[i] + 2);
            else
                out += line[i];
        }
        out += '\n';
    };
    write_line(columns);
    for (const auto& line : cells)
        write_line(line);
}

void WriteObjectText(std::string& out, const OutputValue::Object& members, int indent) {
    size_t width = 0;
    for (const auto& [key, member] : members)
        width = std::max(width, DisplayWidth(key));
    for (const auto& [key, member] : members) {
        Indent(out, indent);
        if (IsScalar(member) || IsScalarList(member)) {
            Pad(out, key, width + 2);
            out += TerminalText(IsScalar(member) ? member.ScalarText() : JoinedScalars(member));
            out += '\n';
        } else {
            out += key + ":\n";
            WriteText(out, member, indent + 1);
        }
    }
}

void WriteText(std::string& out, const OutputValue& value, int indent) {
    if (const auto* members = value.AsObject()) {
        WriteObjectText(out, *members, indent);
        return;
    }
    if (const auto* elements = value.AsArray()) {
        const bool rows =
            !elements->empty() &&
            std::all_of(elements->begin(), elements->end(),
                        [](const OutputValue& element) { return element.AsObject() != nullptr; });
        if (rows) {
            WriteTable(out, *elements, indent);
            return;
        }
        for (const OutputValue& element : *elements)
            WriteText(out, element, indent);
        return;
    }
    Indent(out, indent);
    out += TerminalText(value.ScalarText());
    out += '\n';
}

}  // namespace

OutputValue& OutputValue::Set(std::string key, OutputValue value) {
    if (!AsObject())
        data_ = Object{};
    auto& members = std::get<Object>(data_);
    members.emplace_back(std::move(key), std::move(value));
    return members.back().second;
}

OutputValue& OutputValue::Append(OutputValue value) {
    if (!AsArray())
        data_ = Array{};
    auto& elements = std::get<Array>(data_);
    elements.push_back(std::move(value));
    return elements.back();
}

std::string OutputValue::ScalarText() const {
    if (const auto* flag = std::get_if<bool>(&data_))
        return *flag ? "yes" : "no";
    if (const auto* number = std::get_if<int64_t>(&data_))
        return std::to_string(*number);
    if (const auto* text = std::get_if<std::string>(&data_))
        return *text;
    return "-";
}

std::string OutputValue::ToJson() const {
    std::string out;
    WriteJson(out, 0);
    out += '\n';
    return out;
}

void OutputValue::WriteJson(std::string& out, int indent) const {
    if (const auto* flag = std::get_if<bool>(&data_)) {
        out += *flag ? "true" : "false";
    } else if (const auto* number = std::get_if<int64_t>(&data_)) {
        out += std::to_string(*number);
    } else if (const auto* text = std::get_if<std::string>(&data_)) {
        WriteJsonString(out, *text);
    } else if (const auto* elements = AsArray()) {
        out += '[';
        for (size_t i = 0; i < elements->size(); ++i) {
            out += i ? ",\n" : "\n";
            Indent(out, indent + 1);
            (*elements)[i].WriteJson(out, indent + 1);
        }
        if (!elements->empty()) {
            out += '\n';
            Indent(out, indent);
        }
        out += ']';
    } else if (const auto* members = AsObject()) {
        out += '{';
        for (size_t i = 0; i < members->size(); ++i) {
            out += i ? ",\n" : "\n";
            Indent(out, indent + 1);
            WriteJsonString(out, (*members)[i].first);
            out += ": ";
            (*members)[i].second.WriteJson(out, indent + 1);
        }
        if (!members->empty()) {
            out += '\n';
            Indent(out, indent);
        }
        out += '}';
    } else {
        out += "null";
    }
}

std::string ToText(const OutputValue& value) {
    std::string out;
    WriteText(out, value, 0);
    return out;
}

}  // namespace tessaly::cli
