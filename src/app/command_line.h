#pragma once
// The program's command line: the options both mains share, and the whole
// line as one text for the "-hide" test.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/single_instance.h"

namespace tessaly {

struct CommandLine {
    std::u16string text;  // every argument after the program, joined by blanks
    std::u16string program_dir;
    std::u16string data_dir;
    std::u16string config_dir;  // --config-dir DIR: registry.ini and the autostart entry
    std::string trace_file;
    std::string hid_trace_file;           // --hid-trace FILE: one line per HID report
    bool emulate = false;                 // --emulate: the virtual mouse instead of real ones
    std::string emulator_state_file;      // --emulator-state FILE: its settings persist there
    std::optional<InstanceRequest> send;  // --send activate|exit|about|language
    std::vector<std::string> rest;        // arguments not taken here
    std::string error;                    // set when an option is malformed
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// "-hide" anywhere, even inside a longer word, starts hidden in the tray.
bool StartsHidden(std::u16string_view command_line);

}  // namespace tessaly
