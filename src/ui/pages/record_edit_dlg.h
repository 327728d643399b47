#pragma once
// The small dialog of the macro page that captures one key for insertion.
// This file builds its controls; capture comes with the macro subsystem.

#include <string_view>

#include "ui/toolkit/dialog.h"

namespace tessaly::ui {

class RecordEditDlg : public DUI::MDialog {
  public:
    static constexpr std::u16string_view kTitle = u"RecordEditDlg";
    static constexpr DUI::Rect kRect{0, 0, 360, 150};

    bool Open(DUI::MWindow* parent);
    void InitUI(DUI::Rect client) override;
    void UISize(DUI::Rect client) override;
};

}  // namespace tessaly::ui
