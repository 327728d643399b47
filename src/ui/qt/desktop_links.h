#pragma once
// Addresses and the system mouse settings, opened the way this desktop
// does it.

#include <string_view>

namespace tessaly::qt {

// The desktop's own mouse settings; nothing (and a trace line) when no
// known settings program is installed.
bool OpenMouseSettings();

// The main window's shell service: addresses through the desktop's URL
// handler, the Windows mouse settings applet as OpenMouseSettings, anything
// else as a program with its parameters.
void OpenTarget(std::u16string_view target, std::u16string_view parameters);

}  // namespace tessaly::qt
