#pragma once
// The small dialog of the macro page that captures one key for insertion.
// Reading the keyboard belongs to the layer that opens it: the dialog asks
// for capture while its field has the focus and shows what it is given.

#include <functional>
#include <string>
#include <string_view>

#include "ui/toolkit/dialog.h"

namespace tessaly::ui {

class RecordEditDlg : public DUI::MDialog {
  public:
    static constexpr std::u16string_view kTitle = u"RecordEditDlg";
    static constexpr DUI::Rect kRect{0, 0, 360, 150};

    // Capture on (true) or off; set before Open.
    using CaptureSwitch = std::function<void(bool on)>;

    bool Open(DUI::MWindow* parent, CaptureSwitch capture = {});
    void InitUI(DUI::Rect client) override;
    void UISize(DUI::Rect client) override;
    int OnMessage(int id, int event, intptr_t param, intptr_t extra) override;
    // As the close box, except in the key field, where Escape is a key to
    // capture.
    bool OnEscapeKey() override;

    // A decoded key while capture is on.
    void SetCapturedKey(int code, std::u16string_view name);
    int captured_code() const { return code_; }
    const std::u16string& captured_name() const { return name_; }

  private:
    CaptureSwitch capture_;
    int code_ = 0;
    std::u16string name_;
};

}  // namespace tessaly::ui
