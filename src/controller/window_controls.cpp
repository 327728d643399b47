#include "controller/window_controls.h"

#include "ui/localisation/language_strings.h"
#include "ui/toolkit/controls/tabs.h"

namespace tessaly {

void ShowControls(ui::DeviceMainDlg& dlg, std::initializer_list<int> ids, bool visible) {
    for (int id : ids) {
        if (DUI::MControl* control = dlg.GetControl(id)) {
            control->SetVisible(visible);
        } else if (id == 49 && dlg.home_page) {
            dlg.home_page->SetVisible(visible);
        }
    }
}

void SetControlTitle(ui::DeviceMainDlg& dlg, int id, std::u16string_view text) {
    if (auto* control = dlg.GetControlAs<DUI::MControlFont>(id)) {
        control->SetTitle(text);
    }
}

void SetControlText(ui::DeviceMainDlg& dlg, int id, int text_number) {
    SetControlTitle(dlg, id, LoadLanguageString(text_number));
}

void SetLocalisedTitle(ui::DeviceMainDlg& dlg, int id, std::function<std::u16string()> build) {
    if (auto* control = dlg.GetControlAs<DUI::MControlFont>(id)) {
        dlg.localised_texts.SetTitle(control, std::move(build));
    }
}

void SetControlEnabled(ui::DeviceMainDlg& dlg, int id, bool enabled) {
    if (DUI::MControl* control = dlg.GetControl(id)) {
        control->SetEnabled(enabled);
    }
}

void SelectTabIndex(ui::DeviceMainDlg& dlg, int index) {
    if (dlg.tab_ctrl) {
        dlg.tab_ctrl->SelectItem(index);
    }
}

}  // namespace tessaly
