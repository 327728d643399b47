#pragma once
// The title the window manager and the task bar show for a window. The
// toolkit's own titles stay the names windows are looked up by; this gives
// the person using the program a readable one in the current language.

#include <string>
#include <string_view>

namespace tessaly {

// "<dialog's text> – <program>" for the program's dialogs, the title itself
// for any other window (the main window's title is already the program's).
std::u16string WindowCaption(std::u16string_view lookup_title);

}  // namespace tessaly
