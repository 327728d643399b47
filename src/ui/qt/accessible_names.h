#pragma once
// The name a screen reader says for a control the user can operate. A
// button reads its own text or its tooltip; a control that shows a value (a
// list, a field, a slider) reads its tooltip or the label beside or above
// it, since its own text is the value.

#include <string>

#include "ui/toolkit/control.h"

namespace tessaly::qt {

std::u16string AccessibleName(const DUI::MControl& control);
// The shown text nearest to the left on the same row, or just above; empty
// without one.
std::u16string NearestLabel(const DUI::MControl& control);

}  // namespace tessaly::qt
