#pragma once
// What the feature pages share in their look: where they lie in the window,
// where their first group starts, and the images of their buttons.

#include <string_view>

#include "ui/toolkit/geometry.h"

namespace tessaly::ui {

inline constexpr DUI::Point kPageOrigin{230, 80};
inline constexpr int kFirstGroupTop = 50;

inline constexpr std::u16string_view kButtonImage = u"img_button.png";
inline constexpr std::u16string_view kRadioImage = u"btn_radiobox.png";

}  // namespace tessaly::ui
