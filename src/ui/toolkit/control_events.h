#pragma once
// Control event codes the backend reports from the user's input, beside the
// toolkit's own (activation 2, focus 29 and 30, in window_constants.h).

namespace tessaly::DUI {

inline constexpr int kEventMore = 5;          // a list item's menu button
inline constexpr int kEventSecondary = 9;     // a stage's colour bar, a list's menu
inline constexpr int kEventTextChanged = 26;  // an edit field's text
inline constexpr int kEventDragged = 27;      // a palette or slider moved, button held

}  // namespace tessaly::DUI
