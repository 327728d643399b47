#pragma once
// Checks of command arguments made before start-up, so a refused command
// touches neither the mouse nor the store.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly::cli {

// A whole decimal integer, nothing else.
std::optional<int> ParseInteger(std::string_view text);
std::optional<bool> ParseOnOff(std::string_view text);
// "#RRGGBB" as 0x00BBGGRR.
std::optional<uint32_t> ParseColour(std::string_view text);
std::string ColourText(uint32_t bgr);

// Empty when the text is an integer in [low, high]; else the reason.
std::string CheckInteger(std::string_view what, std::string_view text, int low, int high);
std::string CheckOnOff(std::string_view what, std::string_view text);
std::string CheckColour(std::string_view text);

}  // namespace tessaly::cli
