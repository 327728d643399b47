#pragma once
// Faults for the virtual mouse's answers written as text, so that runs of
// the command-line tool can have them (the TESSALY_EMULATE_FAULTS variable).
//
//   entry[,entry…]   entry: CC=KIND   CC: the command (two hex digits) or *
//   KIND: silent | off | status:HH | late:MS | slip:HH HH …
//
// Each entry acts once, on the first answer to its command.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/virtual_mouse.h"

namespace tessaly::emulator {

inline constexpr const char* kFaultsVariable = "TESSALY_EMULATE_FAULTS";

struct ParsedScripts {
    std::vector<AnswerScript> scripts;
    std::string error;  // empty when the whole text was understood
};

ParsedScripts ParseAnswerScripts(std::string_view text);

}  // namespace tessaly::emulator
