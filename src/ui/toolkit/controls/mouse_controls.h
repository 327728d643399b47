#pragma once
// The two views of the mouse's buttons on the button page: the list of
// buttons with their current function, and the mouse picture with one
// marker per button. Clicking a row or marker (event 2, its index) selects it.

#include <vector>

#include "ui/toolkit/control.h"

namespace tessaly::DUI {

struct KeyRow {
    std::u16string name;
    std::u16string key_desc;
    int key_value = 0;
    bool operator==(const KeyRow&) const = default;
};

class MouseKeyCtrl : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "MouseKeyCtrl";
    // Tall enough for the button's name over its function.
    static constexpr int kRowHeight = 48;
    MouseKeyCtrl() : MControlFont(kClassName) {}

    int AddItem(std::u16string_view name, std::u16string_view key_desc, int key_value);
    void DeleteAllItems();
    bool SetItemText(int index, std::u16string_view name);
    // The function text of the row with this key value.
    bool SetItemKeyDesc(int key_value, std::u16string_view key_desc);
    std::vector<KeyRow> Items() const;
    int GetItemCount() const;
    // 0 for an index out of range.
    int GetItemKeyValue(int index) const;
    std::u16string GetItemText(int index) const;
    std::u16string GetItemKeyDesc(int index) const;
    bool SelectItem(int index);
    int GetCurSel() const;
    // Height becomes the rows' height (kRowHeight each); the top stays.
    void FitToItems();

  protected:
    void ApplyUserEvent(int event, intptr_t param) override;

  private:
    bool InRange(int index) const { return index >= 0 && index < static_cast<int>(rows_.size()); }
    std::vector<KeyRow> rows_;
    int selection_ = -1;
};

struct KeyMarker {
    std::u16string name;
    int key_value = 0;
    int direction = 0;
    Point from;
    Point to;
    bool operator==(const KeyMarker&) const = default;
};

class MouseCtrl : public MControlFont {
  public:
    static constexpr std::string_view kClassName = "MouseCtrl";
    MouseCtrl() : MControlFont(kClassName) {}

    // A marker with its callout line from one point to the other.
    int AddItem(std::u16string_view name, int key_value, int direction, Point from, Point to);
    void DeleteAllItems();
    bool SetItemText(int index, std::u16string_view name);
    std::vector<KeyMarker> Items() const;
    int GetItemCount() const;
    int GetItemKeyValue(int index) const;
    bool SelectItem(int index);
    int GetCurSel() const;

  protected:
    void ApplyUserEvent(int event, intptr_t param) override;

  private:
    bool InRange(int index) const {
        return index >= 0 && index < static_cast<int>(markers_.size());
    }
    std::vector<KeyMarker> markers_;
    int selection_ = -1;
};

}  // namespace tessaly::DUI
