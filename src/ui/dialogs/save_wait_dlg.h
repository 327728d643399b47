#pragma once
// The wait dialog shown after settings are written. Created once and kept by
// the controller; each show keeps it up for two more seconds.

#include <memory>
#include <string_view>

#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/dialog.h"

namespace tessaly {

class SaveWaitDlg : public DUI::MDialog {
  public:
    static constexpr std::u16string_view kTitle = u"SaveWaitDlg";
    static constexpr DUI::Rect kRect{0, 0, 500, 200};
    static constexpr uint32_t kHideTimer = 200;
    static constexpr int kShowMs = 2000;

    bool Open(DUI::MWindow* parent);
    // Restarts the animation and the two seconds, and shows the dialog.
    void ShowWait();

    bool OnInitDialog() override;
    void InitUI(DUI::Rect client) override;
    void OnTimer(uint32_t id) override;
    // Only a notice: hiding it early stops no write.
    bool OnEscapeKey() override;
    int OnMessage(int id, int event, intptr_t param, intptr_t extra) override;
    // Forgets the controls first, so late progress reports do nothing.
    int OnDestroy() override;

  private:
    DUI::MProgress2* progress_ = nullptr;  // toolkit lock
};

// UI thread. 0 and nothing shown when the model's save tips are off;
// otherwise creates the dialog in `dialog` on first use and shows it (1).
int ShowSaveWait(std::unique_ptr<SaveWaitDlg>& dialog, DUI::MWindow* parent, bool save_tips_on);

}  // namespace tessaly
