#pragma once
// A colour field. Moving over it reports event 27, releasing event 2; the
// parameter of both is the colour under the pointer, which becomes selected.

#include "ui/toolkit/control.h"

namespace tessaly::DUI {

class MPalette : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "MPalette";
    MPalette() : MControlFont(kClassName) {}
    void SetSelectColor(Color color);
    Color GetSelectColor() const;

  protected:
    void ApplyUserEvent(int event, intptr_t param) override;

  private:
    Color color_ = 0;
};

}  // namespace tessaly::DUI
