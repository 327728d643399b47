#pragma once
// The macro page (page 53): the macro list, the event list of the selected
// macro with its buttons, the delay and play settings and the editor of the
// selected event (hidden until an event is selected).

#include <string>
#include <string_view>

#include "ui/ids/main_window_ids.h"
#include "ui/main/page_builders.h"

namespace tessaly::ui {}  // namespace tessaly::ui
