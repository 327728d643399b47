#pragma once
// Edit fields. The text is the title. What the user may type depends on the
// input mode: any text, digits only, or nothing (capture fields show what the
// program puts there, the name of a captured key).

#include "ui/toolkit/control.h"

namespace tessaly::DUI {

enum class EditMode { kText, kNumber, kCapture };

class MEdit : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "MEdit";
    MEdit() : MControlFont(kClassName) {}
    // The grey hint shown while the field is empty.
    void SetTipInfo(std::u16string_view tip);
    std::u16string GetTipInfo() const;
    // Most characters the user may type; 0 for no limit.
    void SetLimitText(int characters);
    int GetLimitText() const;
    void SetInputMode(EditMode mode);
    EditMode GetInputMode() const;

  protected:
    MEdit(std::string_view class_name, EditMode mode) : MControlFont(class_name), mode_(mode) {}
    bool ApplyUserText(std::u16string_view text) override;

  private:
    std::u16string tip_;
    int limit_ = 0;
    EditMode mode_ = EditMode::kText;
};

class NumberEdit : public MEdit {
  public:
    static constexpr std::string_view kClassName = "NumberEdit";
    NumberEdit() : MEdit(kClassName, EditMode::kNumber) {}
};

}  // namespace tessaly::DUI
