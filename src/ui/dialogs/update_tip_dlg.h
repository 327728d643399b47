#pragma once
// Progress of the firmware upgrade, driven by the device worker.

#include <string_view>

#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/controls/static_controls.h"
#include "ui/toolkit/dialog.h"

namespace tessaly {

class UpdateTipDlg : public DUI::MDialog {
  public:
    static constexpr std::u16string_view kTitle = u"UpdateTipDlg";
    static constexpr DUI::Rect kRect{0, 0, 391, 130};

    bool Open(DUI::MWindow* parent);
    // Any thread: "<label>: <percent>%"; nothing once closed.
    void SetUpgradeProgress(int percent, std::u16string_view label);

    bool OnInitDialog() override;
    void InitUI(DUI::Rect client) override;
    // Forgets the controls first, so late progress reports do nothing.
    int OnDestroy() override;
    // The transfer cannot be stopped half-way: Escape does not hide it.
    bool OnEscapeKey() override { return false; }

  private:
    // Toolkit lock.
    DUI::MText* status_ = nullptr;
    DUI::MProgress* progress_ = nullptr;
};

}  // namespace tessaly
