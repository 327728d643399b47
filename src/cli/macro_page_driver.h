#pragma once
// The macro page as the macro commands use it: what its lists show, and the
// user's actions on it (a click in a list, a button, a choice, a typed
// field left, a menu choice, the file dialog's answer, the key dialog). The
// page's own handlers do the work; nothing here stores anything.

#include <optional>
#include <string>
#include <vector>

#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/record_list.h"

namespace tessaly::ui {
class DeviceMainDlg;
}

namespace tessaly::cli {

class MacroPageDriver {
  public:
    explicit MacroPageDriver(ui::DeviceMainDlg& window) : window_(window) {}

    // The macro list: shown name and macro id (item data).
    std::vector<DUI::ListItem> Macros() const;
    // The macro list's shown name of the macro; nothing when it has none.
    std::optional<std::u16string> ShownName(int macro_id) const;
    // As a click on the macro's entry: the page shows it. False when the
    // list has no such macro.
    bool SelectMacro(int macro_id);
    int SelectedMacro() const;
    // The event list of the shown macro.
    std::vector<DUI::RecordInfo> Events() const;
    // As a click on the event (0 first); -1 leaves none selected.
    void SelectEvent(int index);

    void NewMacro();
    void DeleteSelectedMacro();
    // The selected entry renamed in place.
    void RenameSelectedMacro(std::u16string_view name);
    // A choice (the delay and play choices) clicked.
    void Choose(int choice_id);
    bool IsChosen(int choice_id) const;
    // Text typed into a field that then loses the focus.
    void EnterField(int field_id, std::u16string_view text);
    // The event editor's value field, for the selected event.
    void EnterEventValue(std::u16string_view text);

    // The insert button, then the item of the menu it opens. False when the
    // page refused to open the menu (the event list is full).
    bool ChooseInsertItem(int item);
    // As ChooseInsertItem(101) with the key dialog capturing this key and
    // closed with its OK button.
    bool InsertKey(int code, std::u16string_view name);
    // A macro menu item whose file dialog answers the path.
    void ChooseFileItem(int item, const std::u16string& path);

    // Whether a message box of this run showed the language text.
    bool ShowedMessage(int text) const;

  private:
    DUI::MacroList* MacroList() const;
    DUI::CRecordList* EventList() const;
    void Activate(int id, intptr_t param = 0);
    void ProcessPosted();

    ui::DeviceMainDlg& window_;
};

}  // namespace tessaly::cli
