#include "stateful/page_driver.h"

#include "buttons/button_controls.h"
#include "ui/ids/button_page_ids.h"
#include "ui/ids/macro_page_ids.h"
#include "ui/main/window_page_contexts.h"
#include "ui/pages/control_table.h"
#include "ui/pages/record_edit_dlg.h"
#include "ui/toolkit/controls/mouse_controls.h"
#include "ui/toolkit/headless_backend.h"
#include "ui/toolkit/menu_wnd.h"
#include "ui/toolkit/toolkit.h"
#include "ui/toolkit/window_constants.h"

namespace tessaly::stateful {
namespace {}  // namespace

DUI::MacroList* PageDriver::MacroList() const {
    ui::DeviceMainDlg& w = program_.Window();
    return dynamic_cast<DUI::MacroList*>(ui::FindInPage(w, w.macro_page, macro_id::kMacroList));
}

DUI::CRecordList* PageDriver::EventList() const {
    ui::DeviceMainDlg& w = program_.Window();
    return dynamic_cast<DUI::CRecordList*>(ui::FindInPage(w, w.macro_page, macro_id::kEventList));
}

void PageDriver::Click(int id, intptr_t param) {
    program_.Window().OnMessage(id, DUI::kEventActivated, param, 0);
    program_.Session().ProcessPending();
}

bool PageDriver::SelectMacro(int macro_id) {
    DUI::MacroList* list = MacroList();
    if (list == nullptr)
        return false;
    for (int i = 0; i < list->GetItemCount(); ++i) {
        if (list->GetItemData(i) == macro_id) {
            list->SelectItem(i);
            Click(macro_id::kMacroList, i);
            return true;
        }
    }
    return false;
}

void PageDriver::SelectEvent(int index) {
    DUI::CRecordList* list = EventList();
    if (list == nullptr)
        return;
    list->SelectItem(index);
    if (index >= 0)
        Click(macro_id::kEventList, index);
}

bool PageDriver::Insert(int item, int vkey) {
    DUI::HeadlessBackend& backend = program_.Session().backend();
    if (item == macro_id::kInsertKeyItem) {
        const std::u16string name(1, static_cast<char16_t>(vkey));
        backend.SetModalPolicy([vkey, name](DUI::MWindow& window) {
            if (auto* dialog = dynamic_cast<ui::RecordEditDlg*>(&window)) {
                // Its field takes the focus first, which clears it.
                DUI::Toolkit::Get().ProcessPending();
                dialog->SetCapturedKey(vkey, name);
            }
            return DUI::ModalAnswer::FirstButton();
        });
    }
    Click(macro_id::kInsert);
    DUI::MenuWnd* menu = DUI::HeadlessBackend::OpenMenu();
    if (menu != nullptr) {
        DUI::Toolkit::Get().DeliverMenuChoice(*menu, item);
        program_.Session().ProcessPending();
    }
    backend.SetModalPolicy({});
    backend.SetModalAnswer(DUI::ModalAnswer::FirstButton());
    return menu != nullptr;
}

bool PageDriver::SelectButton(int key_code) {
    DUI::MouseKeyCtrl* list = ButtonControls(ui::ButtonPageContextOf(program_.Window())).List();
    if (list == nullptr)
        return false;
    for (int i = 0; i < list->GetItemCount(); ++i) {
        if (list->GetItemKeyValue(i) == key_code) {
            list->SelectItem(i);
            Click(button_id::kList);
            return true;
        }
    }
    return false;
}

}  // namespace tessaly::stateful
