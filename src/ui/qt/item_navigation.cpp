#include "ui/qt/item_navigation.h"

#include "base/decimal.h"
#include "ui/toolkit/controls/dpi_control.h"
#include "ui/toolkit/controls/item_lists.h"
#include "ui/toolkit/controls/mouse_controls.h"
#include "ui/toolkit/controls/record_list.h"
#include "ui/toolkit/controls/report_ctrl.h"
#include "ui/toolkit/controls/tabs.h"

namespace tessaly::qt {

int ItemCount(const DUI::MControl& control) {
    if (auto* list = dynamic_cast<const DUI::ListControl*>(&control)) {
        return list->GetItemCount();
    }
    if (auto* tabs = dynamic_cast<const DUI::MTabCtrl*>(&control)) {
        return tabs->GetItemCount();
    }
    if (auto* dpi = dynamic_cast<const DUI::DPIControl*>(&control)) {
        return dpi->GetItemCount();
    }
    if (auto* rates = dynamic_cast<const DUI::ReporteCtrl*>(&control)) {
        return rates->GetItemCount();
    }
    if (auto* keys = dynamic_cast<const DUI::MouseKeyCtrl*>(&control)) {
        return keys->GetItemCount();
    }
    if (auto* markers = dynamic_cast<const DUI::MouseCtrl*>(&control)) {
        return markers->GetItemCount();
    }
    if (auto* records = dynamic_cast<const DUI::CRecordList*>(&control)) {
        return static_cast<int>(records->Records().size());
    }
    return 0;
}

int CurrentItem(const DUI::MControl& control) {
    if (auto* list = dynamic_cast<const DUI::ListControl*>(&control)) {
        return list->GetCurSel();
    }
    if (auto* tabs = dynamic_cast<const DUI::MTabCtrl*>(&control)) {
        return tabs->GetCurSel();
    }
    if (auto* dpi = dynamic_cast<const DUI::DPIControl*>(&control)) {
        return dpi->GetSelectItem();
    }
    if (auto* rates = dynamic_cast<const DUI::ReporteCtrl*>(&control)) {
        return rates->GetCurSel();
    }
    if (auto* keys = dynamic_cast<const DUI::MouseKeyCtrl*>(&control)) {
        return keys->GetCurSel();
    }
    if (auto* markers = dynamic_cast<const DUI::MouseCtrl*>(&control)) {
        return markers->GetCurSel();
    }
    if (auto* records = dynamic_cast<const DUI::CRecordList*>(&control)) {
        return records->GetCurSel();
    }
    return -1;
}

std::u16string ItemText(const DUI::MControl& control, int index) {
    if (index < 0) {
        return {};
    }
    if (auto* list = dynamic_cast<const DUI::ListControl*>(&control)) {
        return list->GetItemText(index);
    }
    if (auto* tabs = dynamic_cast<const DUI::MTabCtrl*>(&control)) {
        return tabs->GetItemText(index);
    }
    if (auto* dpi = dynamic_cast<const DUI::DPIControl*>(&control)) {
        return IntToDecimal(dpi->GetDPIValue(index)) + u" DPI";
    }
    if (auto* rates = dynamic_cast<const DUI::ReporteCtrl*>(&control)) {
        const auto items = rates->Items();
        return index < static_cast<int>(items.size()) ? items[index].text : std::u16string();
    }
    if (auto* keys = dynamic_cast<const DUI::MouseKeyCtrl*>(&control)) {
        const std::u16string name = keys->GetItemText(index);
        const std::u16string function = keys->GetItemKeyDesc(index);
        return function.empty() ? name : name + u": " + function;
    }
    if (auto* markers = dynamic_cast<const DUI::MouseCtrl*>(&control)) {
        const auto items = markers->Items();
        return index < static_cast<int>(items.size()) ? items[index].name : std::u16string();
    }
    if (auto* records = dynamic_cast<const DUI::CRecordList*>(&control)) {
        const auto record = records->GetRecordInfo(index);
        return record ? record->text : std::u16string();
    }
    return {};
}

}  // namespace tessaly::qt
