#include "app/command_line.h"

#include "base/unicode.h"

namespace tessaly {
namespace {

// "--name value" or "--name=value"; true when the argument was this option.
bool TakeValue(const std::vector<std::string>& arguments, size_t& i, std::string_view name,
               std::string& value, std::string& error) {
    const std::string& argument = arguments[i];
    if (argument.rfind(name, 0) != 0)
        return false;
    if (argument.size() == name.size()) {
        if (i + 1 >= arguments.size()) {
            error = std::string(name) + " needs a value";
            return true;
        }
        value = arguments[++i];
        return true;
    }
    if (argument[name.size()] != '=')
        return false;
    value = argument.substr(name.size() + 1);
    return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (!line.text.empty())
            line.text.push_back(u' ');
        line.text += FromUtf8(arguments[i]);
    }
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string value;
        if (TakeValue(arguments, i, "--program-dir", value, line.error)) {
            line.program_dir = FromUtf8(value);
        } else if (TakeValue(arguments, i, "--data-dir", value, line.error)) {
            line.data_dir = FromUtf8(value);
        } else if (TakeValue(arguments, i, "--config-dir", value, line.error)) {
            line.config_dir = FromUtf8(value);
        } else if (TakeValue(arguments, i, "--hid-trace", value, line.error)) {
            line.hid_trace_file = value;
        } else if (TakeValue(arguments, i, "--emulator-state", value, line.error)) {
            line.emulator_state_file = value;
            line.emulate = true;
        } else if (arguments[i] == "--emulate") {
            line.emulate = true;
        } else if (TakeValue(arguments, i, "--trace", value, line.error)) {
            line.trace_file = value;
        } else if (TakeValue(arguments, i, "--send", value, line.error)) {
            line.send = InstanceRequestFromWord(value);
            if (!line.send && line.error.empty()) {
                line.error = "--send takes activate, exit, about or language";
            }
        } else {
            line.rest.push_back(arguments[i]);
        }
    }
    return line;
}

bool StartsHidden(std::u16string_view command_line) {
    return command_line.find(u"-hide") != std::u16string_view::npos;
}

}  // namespace tessaly
