#include "ui/toolkit/controls/palette.h"

#include "ui/toolkit/control_events.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly::DUI {

void MPalette::SetSelectColor(Color color) {
    auto lock = LockToolkit();
    color_ = color;
    Changed(ControlChange::kColor);
}

Color MPalette::GetSelectColor() const {
    auto lock = LockToolkit();
    return color_;
}

void MPalette::ApplyUserEvent(int event, intptr_t param) {
    if (event == kEventDragged || event == kEventActivated) {
        color_ = static_cast<Color>(param);
        Changed(ControlChange::kColor);
    }
}

}  // namespace tessaly::DUI
