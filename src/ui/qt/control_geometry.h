#pragma once
// Where the items of list-like controls sit inside the control, shared by
// the painters and the hit tests so a click lands on what was drawn.

#include <QRect>
#include <vector>

#include "ui/toolkit/control.h"

namespace tessaly::qt {

inline constexpr int kListRowHeight = 30;
inline constexpr int kDeviceCardWidth = 300;
inline constexpr int kDeviceCardHeight = 250;
inline constexpr int kTabItemHeight = 56;

// A mouse-picture callout's text is inset this much on each side.
inline constexpr int kMarkerLabelPadding = 6;

// A row of the button list: the button's name above its function, each
// given the row's whole width.
struct KeyRowTexts {
    QRect name;
    QRect function;
};
KeyRowTexts KeyRowTextRects(QRect row);

// The item rectangles in control coordinates, by model index (hidden tabs
// get an empty rectangle). Callout labels are as wide as their text needs
// and are kept inside the control.
std::vector<QRect> ItemRects(const DUI::MControl& control, QSize size);
// The model index under the point, -1 when none.
int HitItem(const DUI::MControl& control, QSize size, QPoint point);
// The slider track and the value at a point for sliders (DPISlider,
// LightSlider).
QRect SliderTrack(QSize size);
int SliderValueAt(int maximum, QSize size, QPoint point);

}  // namespace tessaly::qt
