#pragma once
// What the backend keeps per control: the widget that shows it and how it
// takes a model change. Every view is a child of its window's widget and
// lives on the UI thread.

#include <QWidget>

#include "ui/toolkit/backend.h"
#include "ui/toolkit/control.h"

namespace tessaly::qt {

class ControlView {
  public:
    virtual ~ControlView() = default;
    virtual QWidget& widget() = 0;
    // UI thread; the control is alive.
    virtual void Refresh(DUI::ControlChange change) = 0;
    // The window is going: no more input may reach the model.
    void Detach() { control_ = nullptr; }
    const DUI::MControl* control() const { return control_; }

  protected:
    explicit ControlView(DUI::MControl& control) : control_(&control) {}
    DUI::MControl* mutable_control() const { return control_; }
    // Rectangle, visibility, enabled state and tooltip, shared by all views.
    void RefreshCommon(DUI::ControlChange change);

  private:
    DUI::MControl* control_;
};

// The view for the control's class: native edits and combo boxes, painted
// widgets for the rest.
ControlView* MakeControlView(DUI::MControl& control, QWidget& parent);

}  // namespace tessaly::qt
