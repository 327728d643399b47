#pragma once
// The DPI stages of the performance page. It keeps a value and a colour for
// each of the seven stage slots and shows a list of the first stages (the
// stage count); the user selects a stage (event 2, its index), clicks its
// colour (event 9, its index) or edits its value in place (the edit text,
// then event 29).

#include <array>
#include <vector>

#include "ui/toolkit/control.h"

namespace tessaly::DUI {

class DPIControl : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "DPIControl";
    static constexpr int kStageSlots = 7;
    DPIControl() : MControlFont(kClassName) {}

    // Out-of-range stages are ignored (getters answer 0).
    void SetDPIValue(int stage, int value);
    int GetDPIValue(int stage) const;
    void SetDPIColorValue(int stage, Color color);
    Color GetDPIColorValue(int stage) const;
    // The shown list: ClearList, then AddItem per stage (which also sets the
    // stage's slot). AddItem returns the stage index, -1 when all are listed.
    void ClearList();
    int AddItem(int value, Color color);
    int GetItemCount() const;
    // -1 clears; false for a stage not in the list.
    bool SetSelectItem(int stage);
    int GetSelectItem() const;
    void SetEditText(std::u16string_view text);
    std::u16string GetEditText() const;

  protected:
    void ApplyUserEvent(int event, intptr_t param) override;
    bool ApplyUserText(std::u16string_view text) override;

  private:
    static bool IsSlot(int stage) { return stage >= 0 && stage < kStageSlots; }
    std::array<int, kStageSlots> values_{};
    std::array<Color, kStageSlots> colors_{};
    int listed_ = 0;
    int selection_ = -1;
    std::u16string edit_text_;
};

}  // namespace tessaly::DUI
