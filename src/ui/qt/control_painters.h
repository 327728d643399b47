#pragma once
// The code-drawn look of every painted control class, one function per
// class family, chosen by the control's class name. A skin image the
// control names is drawn instead where the control has one.

#include <QPainter>

#include "ui/toolkit/control.h"

namespace tessaly::qt {

struct PaintState {
    QSize size;
    bool hover = false;
    bool pressed = false;
    int hover_item = -1;
    int drag_value = -1;  // a slider being dragged shows this value
};

void PaintControl(QPainter& painter, const DUI::MControl& control, const PaintState& state);

}  // namespace tessaly::qt
