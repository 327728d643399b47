#pragma once
// Progress of the software download; stays up until the downloaded setup
// takes over.

#include <string_view>

#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/controls/static_controls.h"
#include "ui/toolkit/dialog.h"

namespace tessaly {

class UpdateProcessDlg : public DUI::MDialog {
  public:
    static constexpr std::u16string_view kTitle = u"UpdateProcessDlg";
    static constexpr DUI::Rect kRect{0, 0, 360, 100};

    bool Open(DUI::MWindow* parent);
    // Any thread: "<text 590>: <percent>%"; nothing once closed.
    void SetDownloadProgress(int percent);

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
