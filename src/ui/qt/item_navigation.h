#pragma once
// What the keyboard and a screen reader need from the painted controls that
// hold items (lists, tabs, DPI stages, report rates, the button markers):
// which item is current and what it reads as.

#include <string>

#include "ui/toolkit/control.h"

namespace tessaly::qt {

// How many items it holds; 0 for a control without items.
int ItemCount(const DUI::MControl& control);
// The selected item's index; -1 without one or for a control without items.
int CurrentItem(const DUI::MControl& control);
// The item's text as a reader would say it; empty where an item has none.
std::u16string ItemText(const DUI::MControl& control, int index);

}  // namespace tessaly::qt
