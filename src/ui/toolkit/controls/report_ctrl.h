#pragma once
// The report rates of the performance page: one item per rate with the
// rate's code as key value and its colour. Clicking an item (event 2, its
// index) selects it.

#include <vector>

#include "ui/toolkit/control.h"

namespace tessaly::DUI {

struct RateItem {
    std::u16string text;
    int key_value = 0;
    Color color = 0;
    bool operator==(const RateItem&) const = default;
};

class ReporteCtrl : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "ReporteCtrl";
    ReporteCtrl() : MControlFont(kClassName) {}

    int AddItem(std::u16string_view text, int key_value, Color color);
    void DeleteAllItems();
    std::vector<RateItem> Items() const;
    int GetItemCount() const;
    // 0 for an index out of range.
    int GetItemKeyValue(int index) const;
    bool SelectItem(int index);
    // Without an item of that value nothing is selected.
    bool SelectKeyValue(int key_value);
    int GetCurSel() const;

  protected:
    void ApplyUserEvent(int event, intptr_t param) override;

  private:
    bool InRange(int index) const { return index >= 0 && index < static_cast<int>(items_.size()); }
    void SetSelection(int index);
    std::vector<RateItem> items_;
    int selection_ = -1;
};

}  // namespace tessaly::DUI
