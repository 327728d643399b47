#include "cli/macro_page_driver.h"

#include "ui/ids/macro_page_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/main/device_main_dlg.h"
#include "ui/pages/control_table.h"
#include "ui/pages/record_edit_dlg.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/edits.h"
#include "ui/toolkit/headless_backend.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::cli {
namespace {

// The tool runs on the headless toolkit; its backend answers file dialogs
// and modal runs.
DUI::HeadlessBackend* Headless() {
    return dynamic_cast<DUI::HeadlessBackend*>(&DUI::Toolkit::Get().backend());
}

}  // namespace

DUI::MacroList* MacroPageDriver::MacroList() const {
    return dynamic_cast<DUI::MacroList*>(
        ui::FindInPage(window_, window_.macro_page, macro_id::kMacroList));
}

DUI::CRecordList* MacroPageDriver::EventList() const {
    return dynamic_cast<DUI::CRecordList*>(
        ui::FindInPage(window_, window_.macro_page, macro_id::kEventList));
}

void MacroPageDriver::ProcessPosted() {
    DUI::Toolkit::Get().ProcessPending();
}

void MacroPageDriver::Activate(int id, intptr_t param) {
    window_.OnMessage(id, DUI::kEventActivated, param, 0);
    ProcessPosted();
}

std::vector<DUI::ListItem> MacroPageDriver::Macros() const {
    DUI::MacroList* list = MacroList();
    return list ? list->Items() : std::vector<DUI::ListItem>{};
}

std::optional<std::u16string> MacroPageDriver::ShownName(int macro_id) const {
    for (const DUI::ListItem& item : Macros()) {
        if (item.data == macro_id)
            return item.text;
    }
    return std::nullopt;
}

bool MacroPageDriver::SelectMacro(int macro_id) {
    DUI::MacroList* list = MacroList();
    if (!list)
        return false;
    for (int i = 0; i < list->GetItemCount(); ++i) {
        if (list->GetItemData(i) == macro_id) {
            list->SelectItem(i);
            Activate(macro_id::kMacroList, i);
            return true;
        }
    }
    return false;
}

int MacroPageDriver::SelectedMacro() const {
    DUI::MacroList* list = MacroList();
    return list ? static_cast<int>(list->GetCurData()) : 0;
}

std::vector<DUI::RecordInfo> MacroPageDriver::Events() const {
    DUI::CRecordList* list = EventList();
    return list ? list->Records() : std::vector<DUI::RecordInfo>{};
}

void MacroPageDriver::SelectEvent(int index) {
    DUI::CRecordList* list = EventList();
    if (!list || !list->SelectItem(index))
        return;
    if (index >= 0)
        Activate(macro_id::kEventList, index);
}

void MacroPageDriver::NewMacro() {
    Activate(macro_id::kNewMacro);
}

void MacroPageDriver::DeleteSelectedMacro() {
    Activate(macro_id::kDeleteMacro);
}

void MacroPageDriver::RenameSelectedMacro(std::u16string_view name) {
    DUI::MacroList* list = MacroList();
    if (!list || list->GetCurSel() < 0)
        return;
    list->SetItemText(list->GetCurSel(), name);
    window_.OnMessage(macro_id::kMacroList, DUI::kEventKillFocus, 0, 0);
    ProcessPosted();
}

void MacroPageDriver::Choose(int choice_id) {
    auto* choice =
        dynamic_cast<DUI::CRadioButton*>(ui::FindInPage(window_, window_.macro_page, choice_id));
    if (!choice)
        return;
    choice->SetCheck(true);
    Activate(choice_id);
}

bool MacroPageDriver::IsChosen(int choice_id) const {
    auto* choice =
        dynamic_cast<DUI::CRadioButton*>(ui::FindInPage(window_, window_.macro_page, choice_id));
    return choice && choice->GetCheck();
}

void MacroPageDriver::EnterField(int field_id, std::u16string_view text) {
    auto* field = dynamic_cast<DUI::MEdit*>(ui::FindInPage(window_, window_.macro_page, field_id));
    if (!field)
        return;
    // The focus events reach the page as posted control events.
    field->OnFocus(1);
    ProcessPosted();
    field->SetTitle(text);
    field->OnFocus(0);
    ProcessPosted();
}

void MacroPageDriver::EnterEventValue(std::u16string_view text) {
    EnterField(macro_id::kEditorValue, text);
}

bool MacroPageDriver::ChooseInsertItem(int item) {
    Activate(macro_id::kInsert);
    DUI::MenuWnd* menu = DUI::HeadlessBackend::OpenMenu();
    if (!menu)
        return false;
    DUI::Toolkit::Get().DeliverMenuChoice(*menu, item);
    ProcessPosted();
    return true;
}

bool MacroPageDriver::InsertKey(int code, std::u16string_view name) {
    DUI::HeadlessBackend* backend = Headless();
    if (!backend)
        return false;
    // The dialog is given the key as its capture would give it, then OK;
    // any other run (the refusal's message) has one button.
    const std::u16string key(name);
    backend->SetModalPolicy([code, key](DUI::MWindow& window) {
        if (auto* dialog = dynamic_cast<ui::RecordEditDlg*>(&window)) {
            // Its field takes the focus first, which clears it.
            DUI::Toolkit::Get().ProcessPending();
            dialog->SetCapturedKey(code, key);
        }
        return DUI::ModalAnswer::FirstButton();
    });
    const bool opened = ChooseInsertItem(macro_id::kInsertKeyItem);
    backend->SetModalPolicy({});
    return opened;
}

void MacroPageDriver::ChooseFileItem(int item, const std::u16string& path) {
    DUI::HeadlessBackend* backend = Headless();
    if (!backend)
        return;
    backend->SetFileAnswer(path);
    window_.OnWindowMessage(ui::kWmMacroMenu1, 0, item);
    ProcessPosted();
    backend->SetFileAnswer(std::nullopt);
}

bool MacroPageDriver::ShowedMessage(int text) const {
    const DUI::HeadlessBackend* backend = Headless();
    if (!backend)
        return false;
    const std::u16string wanted = LoadLanguageString(text);
    for (const DUI::ModalRecord& run : backend->ModalRuns()) {
        for (const std::u16string& shown : run.texts) {
            if (shown == wanted)
                return true;
        }
    }
    return false;
}

}  // namespace tessaly::cli
