#pragma once
// The button page's controls as the page code uses them: page 50 holds the
// list and the picture, sub-page 51 the function panel and its two small
// panels. Every accessor may give null (a window without the page).

#include "ui/main/device_main_dlg.h"
#include "ui/toolkit/dui.h"

namespace tessaly {

namespace button_id {
inline constexpr int kBackground = 62;
inline constexpr int kResetAll = 67;
inline constexpr int kList = 68;
inline constexpr int kPicture = 108;
inline constexpr int kPanel = 51;
inline constexpr int kButtonName = 70;
inline constexpr int kResetButton = 71;
inline constexpr int kMouseChoice = 73;
inline constexpr int kMultimediaChoice = 75;
inline constexpr int kMacroChoice = 77;
inline constexpr int kShortcutChoice = 79;  // the second control with this id
inline constexpr int kDpiChoice = 81;
inline constexpr int kSpecialChoice = 83;
inline constexpr int kOpenCombination = 85;
inline constexpr int kOpenRepeat = 87;
inline constexpr int kDisable = 89;
inline constexpr int kCloseCombination = 91;
inline constexpr int kCapturedKey = 93;
inline constexpr int kCtrl = 94;
inline constexpr int kWin = 95;
inline constexpr int kAlt = 96;
inline constexpr int kShift = 97;
inline constexpr int kApplyCombination = 98;
inline constexpr int kRepeatSecond = 102;
inline constexpr int kRepeatFirst = 105;
inline constexpr int kApplyRepeat = 106;
inline constexpr int kCloseRepeat = 107;
}  // namespace button_id

class ButtonControls {
  public:
    explicit ButtonControls(const ui::DeviceMainDlg& window) : window_(window) {}

    DUI::MouseKeyCtrl* List() const;
    DUI::MouseCtrl* Picture() const;
    DUI::MTabLayout* Panel() const;
    DUI::MControl* Background() const;
    DUI::MControlFont* ButtonName() const;
    // The category choices by their ids (73, 75, 77, 79, 81, 83).
    DUI::MComboBox2* Choice(int id) const;
    // The two panels' openers (85, 87) and disable (89), which are checked
    // for the functions they give.
    DUI::MButton2* FunctionSwitch(int id) const;
    DUI::MButton3* ModifierBox(int id) const;
    DUI::MEdit* Field(int id) const;
    // Shows or hides the key-combination panel (90 … 98) or the repeat
    // panel (99 … 107).
    void ShowCombinationPanel(bool shown) const;
    void ShowRepeatPanel(bool shown) const;

  private:
    DUI::MControl* InPanel(int id, int nth = 0) const;
    const ui::DeviceMainDlg& window_;
};

}  // namespace tessaly
