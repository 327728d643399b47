#include "cli/argument_checks.h"

#include <charconv>
#include <cstdio>

namespace tessaly::cli {

std::optional<int> ParseInteger(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::optional<bool> ParseOnOff(std::string_view text) {
    if (text == "on" || text == "1")
        return true;
    if (text == "off" || text == "0")
        return false;
    return std::nullopt;
}

std::optional<uint32_t> ParseColour(std::string_view text) {
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    uint32_t rgb = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + 1, end, rgb, 16);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

std::string ColourText(uint32_t bgr) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", bgr & 0xFF, (bgr >> 8) & 0xFF,
                  (bgr >> 16) & 0xFF);
    return text;
}

std::string CheckInteger(std::string_view what, std::string_view text, int low, int high) {
    const std::optional<int> value = ParseInteger(text);
    if (!value)
        return std::string(what) + " must be a number, not \"" + std::string(text) + "\"";
    if (*value < low || *value > high)
        return std::string(what) + " must be " + std::to_string(low) + "–" + std::to_string(high) +
               ", not " + std::to_string(*value);
    return {};
}

std::string CheckOnOff(std::string_view what, std::string_view text) {
    if (ParseOnOff(text))
        return {};
    return std::string(what) + " must be on or off, not \"" + std::string(text) + "\"";
}

std::string CheckColour(std::string_view text) {
    const std::optional<uint32_t> colour = ParseColour(text);
    if (!colour)
        return "a colour is written #RRGGBB, not \"" + std::string(text) + "\"";
    // Black is what a cancelled palette gives: the page cannot set it.
    if (*colour == 0)
        return "#000000 cannot be chosen (it means no change)";
    return {};
}

}  // namespace tessaly::cli
