#pragma once
// Buttons. A click (event 2) reaches the dialog after the button's own state
// change: check boxes and the modifier buttons (MButton3) toggle, radio and
// grouped colour buttons become the one checked button of their group.
// MButton2 keeps its check state until the program changes it.

#include "ui/toolkit/control.h"

namespace tessaly::DUI {

class MButton : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "MButton";
    MButton() : MControlFont(kClassName) {}
};

class CImageButton : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "CImageButton";
    CImageButton() : MControlFont(kClassName) {}
};

class CTextButton : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "CTextButton";
    CTextButton() : MControlFont(kClassName) {}
};

class CHelpButton : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "CHelpButton";
    CHelpButton() : MControlFont(kClassName) {}
};

// A button with a small icon (ImageRole::kIcon) beside its text.
class CIconButton : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "CIconButton";
    CIconButton() : MControlFont(kClassName) {}
    void SetIcon(std::u16string_view file, int frames = 1);
    int GetIconFrames() const;
    void SetTextRect(Rect rect);
    Rect GetTextRect() const;
    void SetIconRect(Rect rect);
    Rect GetIconRect() const;

  private:
    int icon_frames_ = 1;
    Rect text_rect_;
    Rect icon_rect_;
};

class CheckableButton : public MControlFont {
  public:
    void SetCheck(bool checked);
    bool GetCheck() const;
    // Buttons of one dialog and class with the same non-empty group name
    // are checked one at a time.
    void SetGroup(std::u16string_view group);
    std::u16string GetGroup() const;

  protected:
    enum class ClickRule { kNone, kToggle, kSelect };
    CheckableButton(std::string_view class_name, ClickRule rule)
        : MControlFont(class_name), rule_(rule) {}
    void ApplyUserEvent(int event, intptr_t param) override;

  private:
    void SetCheckLocked(bool checked);
    ClickRule rule_;
    bool checked_ = false;
    std::u16string group_;
};

class MButton2 : public CheckableButton {
  public:
    static constexpr std::string_view kClassName = "MButton2";
    MButton2() : CheckableButton(kClassName, ClickRule::kNone) {}
};

class MButton3 : public CheckableButton {
  public:
    static constexpr std::string_view kClassName = "MButton3";
    MButton3() : CheckableButton(kClassName, ClickRule::kToggle) {}
};

class CCheckButton : public CheckableButton {
  public:
    static constexpr std::string_view kClassName = "CCheckButton";
    CCheckButton() : CheckableButton(kClassName, ClickRule::kToggle) {}
};

class CRadioButton : public CheckableButton {
  public:
    static constexpr std::string_view kClassName = "CRadioButton";
    CRadioButton() : CheckableButton(kClassName, ClickRule::kSelect) {}
};

// A colour swatch (ARGB); with a group it behaves as a radio button.
class CColorButton : public CheckableButton {
  public:
    static constexpr std::string_view kClassName = "CColorButton";
    CColorButton() : CheckableButton(kClassName, ClickRule::kSelect) {}
    void SetColor(Color color);
    Color GetColor() const;

  private:
    Color color_ = 0;
};

}  // namespace tessaly::DUI
