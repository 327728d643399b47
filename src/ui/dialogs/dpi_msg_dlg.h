#pragma once
// The popup in the bottom-right corner of the work area that shows a new DPI
// value for two seconds. Created once by the main window; ShowDpiPopup may
// be called from the device worker.

#include <string_view>

#include "ui/toolkit/controls/progress.h"
#include "ui/toolkit/controls/static_controls.h"
#include "ui/toolkit/dialog.h"

namespace tessaly {

class DPIMsgDlg : public DUI::MDialog {
  public:
    static constexpr std::u16string_view kTitle = u"DPIMsgDlg";
    static constexpr DUI::Rect kRect{0, 0, 300, 130};
    static constexpr uint32_t kHideTimer = 100;
    static constexpr int kShowMs = 2000;
    static constexpr int kMaxDpi = 16000;

    bool Open(DUI::MWindow* parent);
    // Any thread.
    void ShowValue(int dpi);
    int LastValue() const;

    bool OnInitDialog() override;
    void InitUI(DUI::Rect client) override;
    void OnTimer(uint32_t id) override;
    int OnMessage(int id, int event, intptr_t param, intptr_t extra) override;
    // Forgets the controls first, so late progress reports do nothing.
    int OnDestroy() override;

  private:
    void MoveToCorner();

    // Toolkit lock.
    DUI::MText* value_text_ = nullptr;
    DUI::MProgress* progress_ = nullptr;
    int last_value_ = 0;
};

// Any thread; nothing happens without a popup.
void ShowDpiPopup(DPIMsgDlg* popup, int dpi);

}  // namespace tessaly
