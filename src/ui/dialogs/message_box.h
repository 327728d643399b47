#pragma once
// The system's message box: a title, a message and zero, one or two buttons.

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/toolkit/dialog.h"

namespace tessaly {

// Button sets.
inline constexpr uint32_t kMessageBoxOk = 0;       // one button, text 20
inline constexpr uint32_t kMessageBoxConfirm = 4;  // texts 23 and 25
// Results of ShowMessageBox.
inline constexpr int kMessageBoxFirst = 1;
inline constexpr int kMessageBoxSecond = 2;

class CUIMessageBox : public DUI::MDialog {
  public:
    static constexpr std::u16string_view kTitle = u"MessageBox";
    static constexpr DUI::Rect kRect{0, 0, 430, 230};

    CUIMessageBox(std::u16string_view title, std::u16string_view message, uint32_t buttons)
        : title_(title), message_(message), buttons_(buttons) {}

    bool Open(DUI::MWindow* parent);

    bool OnInitDialog() override;
    void InitUI(DUI::Rect client) override;
    int OnMessage(int id, int event, intptr_t param, intptr_t extra) override;
    int OnDestroy() override { return 0; }

  private:
    void AddButton(int id, int text_number, int left, int right, int top, int bottom);

    std::u16string title_;
    std::u16string message_;
    uint32_t buttons_;
};

// UI thread. Runs the box modally and destroys it: 1 for the first button,
// 2 for the second, 2 too when the box is closed from outside with that
// code; 0 or -1 when it could not run.
int ShowMessageBox(std::u16string_view message, DUI::MWindow* parent, std::u16string_view title,
                   uint32_t buttons);

}  // namespace tessaly
