#pragma once
// Addresses and programs the main window opens, the way this desktop does
// it.

#include <string_view>

namespace tessaly::qt {

// The main window's shell service: addresses through the desktop's URL
// handler, anything else as a program with its parameters.
void OpenTarget(std::u16string_view target, std::u16string_view parameters);

}  // namespace tessaly::qt
