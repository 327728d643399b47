#pragma once
// Lists of texts with item data: drop-down choices, the profile list and the
// macro list. Choosing an item (event 2 with its index as parameter) selects
// it; a drop-down's title is the text of its selected item.

#include <vector>

#include "ui/toolkit/control.h"

namespace tessaly::DUI {

struct ListItem {
    std::u16string text;
    intptr_t data = 0;
    std::u16string icon;
    Color color = 0;
    bool operator==(const ListItem&) const = default;
};

class ListControl : public MControlFont {
  public:
    // Appends; returns the item's index.
    int AddItem(std::u16string_view text, intptr_t data = 0, std::u16string_view icon = {},
                Color color = 0);
    bool RemoveItem(int index);
    void DeleteAllItems();
    int GetItemCount() const;
    std::vector<ListItem> Items() const;
    std::u16string GetItemText(int index) const;
    bool SetItemText(int index, std::u16string_view text);
    // 0 for an index out of range.
    intptr_t GetItemData(int index) const;
    // -1 clears the selection; false (and nothing changes) when out of range.
    bool SelectItem(int index);
    // Selects the first item with the data; without one, nothing is selected.
    bool SelectData(intptr_t data);
    // -1 without a selection.
    int GetCurSel() const;
    // 0 without a selection.
    intptr_t GetCurData() const;

  protected:
    using MControlFont::MControlFont;
    void ApplyUserEvent(int event, intptr_t param) override;
    void SelectLocked(int index);
    bool SetItemTextLocked(int index, std::u16string_view text);
    int selection() const { return selection_; }

  private:
    bool InRange(int index) const { return index >= 0 && index < static_cast<int>(items_.size()); }
    std::vector<ListItem> items_;
    int selection_ = -1;
};

class MComboBox : public ListControl {
  public:
    static constexpr std::string_view kClassName = "MComboBox";
    MComboBox() : ListControl(kClassName) {}

  protected:
    explicit MComboBox(std::string_view class_name) : ListControl(class_name) {}
};

// A drop-down that is also checked or not, as one of the function choices
// of the button page. Checking one does not uncheck the others.
class MComboBox2 : public MComboBox {
  public:
    static constexpr std::string_view kClassName = "MComboBox2";
    MComboBox2() : MComboBox(kClassName) {}
    void SetCheck(bool checked);
    bool GetCheck() const;

  private:
    bool checked_ = false;
};

// Lists whose selected item the user can rename in place: the typed text
// replaces the selected item's text, then the dialog hears event 29.
class EditableList : public ListControl {
  protected:
    using ListControl::ListControl;
    bool ApplyUserText(std::u16string_view text) override;
};

class DListBox : public EditableList {
  public:
    static constexpr std::string_view kClassName = "DListBox";
    DListBox() : EditableList(kClassName) {}
};

class MacroList : public EditableList {
  public:
    static constexpr std::string_view kClassName = "MacroList";
    MacroList() : EditableList(kClassName) {}
    bool ModifyItemString(int index, std::u16string_view text);
};

}  // namespace tessaly::DUI
