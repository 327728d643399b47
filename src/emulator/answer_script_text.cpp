#include "emulator/answer_script_text.h"

#include <charconv>

namespace tessaly::emulator {
namespace {

std::optional<uint8_t> HexByte(std::string_view text) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.size() != 2 || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return static_cast<uint8_t>(value);
}

std::optional<std::vector<uint8_t>> HexBytes(std::string_view text) {
    std::vector<uint8_t> bytes;
    while (!text.empty()) {
        const size_t space = text.find(' ');
        if (space != 0) {
            const auto byte = HexByte(text.substr(0, space));
            if (!byte)
                return std::nullopt;
            bytes.push_back(*byte);
        }
        text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
    }
    if (bytes.empty())
        return std::nullopt;
    return bytes;
}

// Up to a minute: a later answer is no answer at all.
std::optional<int> Milliseconds(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0 ||
        value > 60000)
        return std::nullopt;
    return value;
}

std::optional<AnswerScript> Kind(std::string_view kind) {
    const size_t colon = kind.find(':');
    const std::string_view name = kind.substr(0, colon);
    const std::string_view argument =
        colon == std::string_view::npos ? std::string_view() : kind.substr(colon + 1);
    const bool has_argument = colon != std::string_view::npos;
    if (name == "silent" && !has_argument)
        return AnswerScript::Silent();
    if (name == "off" && !has_argument)
        return AnswerScript::MouseOff();
    if (name == "status") {
        if (const auto status = HexByte(argument))
            return AnswerScript::Status(*status);
    } else if (name == "late") {
        if (const auto ms = Milliseconds(argument))
            return AnswerScript::Late(std::chrono::milliseconds(*ms));
    } else if (name == "slip") {
        if (auto report = HexBytes(argument))
            return AnswerScript::SlipIn(std::move(*report));
    }
    return std::nullopt;
}

}  // namespace

ParsedScripts ParseAnswerScripts(std::string_view text) {
    ParsedScripts parsed;
    while (!text.empty()) {
        const size_t comma = text.find(',');
        const std::string_view entry = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
        const size_t equals = entry.find('=');
        const std::string_view command = entry.substr(0, equals);
        std::optional<AnswerScript> script;
        if (equals != std::string_view::npos)
            script = Kind(entry.substr(equals + 1));
        const std::optional<uint8_t> code = command == "*" ? std::nullopt : HexByte(command);
        if (!script || (command != "*" && !code)) {
            parsed.scripts.clear();
            parsed.error = "a fault is written CC=silent|off|status:HH|late:MS|slip:HH…, not \"" +
                           std::string(entry) + "\"";
            return parsed;
        }
        script->command = code;
        parsed.scripts.push_back(std::move(*script));
    }
    return parsed;
}

}  // namespace tessaly::emulator
