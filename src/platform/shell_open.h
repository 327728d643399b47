#pragma once
// Opening an address, a file or a program the way the desktop would: through
// xdg-open for addresses and files, directly for a program with parameters.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// The argument vector that opens the target: {"xdg-open", target} for an
// address or a plain file, {program, parameters...} when parameters are given
// (they are split at blanks; double quotes group).
std::vector<std::string> ShellOpenCommand(std::u16string_view target,
                                          std::u16string_view parameters);

// Starts the command without waiting for it; false when it could not start.
bool ShellOpen(std::u16string_view target, std::u16string_view parameters);

// Starts the argument vector without waiting; false when it could not start.
bool StartProgram(const std::vector<std::string>& command);

// Tests see the command instead of a process being started; empty restores.
void SetShellOpenInterceptor(std::function<void(const std::vector<std::string>&)> interceptor);

}  // namespace tessaly
