#pragma once
// The button page (page 50): the list and the picture of the mouse's
// buttons, and in sub-page 51 the function panel with its two small panels
// for a key combination and a repeated click.

#include <string>

#include "ui/ids/main_window_ids.h"
#include "ui/main/page_builders.h"

namespace tessaly::ui {

inline constexpr int kButtonPlaceholderRows = 6;

// The name of placeholder row index (0-based) before a mouse is selected.
std::u16string ButtonPlaceholderName(int index);

}  // namespace tessaly::ui
