#include "controller/window_discovery_host.h"

#include "app/registry_values.h"
#include "catalogue/catalogue_service.h"
#include "catalogue/device_catalogue.h"
#include "controller/window_controls.h"
#include "ui/ids/main_window_ids.h"
#include "ui/toolkit/controls/device_list.h"

namespace tessaly {
namespace {

DUI::CDeviceList* DeviceList(ui::DeviceMainDlg& dlg) {
    return dlg.GetControlAs<DUI::CDeviceList>(main_id::kDeviceList);
}

}  // namespace

int WindowDiscoveryHost::ReadRememberedType() {
    return ReadDeviceType();
}

void WindowDiscoveryHost::WriteRememberedType(int type) {
    RememberDevice(type);
}

std::vector<IdentityRecord> WindowDiscoveryHost::CatalogueIdentities() {
    return CatalogueIdentityRecords();
}

std::vector<IdentityRecord> CatalogueIdentityRecords() {
    std::vector<IdentityRecord> records;
    for (const DeviceDescription& identity : DeviceCatalogue::Instance().Identities()) {
        records.push_back({identity.vendor_id, identity.product_id, identity.device_type,
                           identity.mode, identity.device_id});
    }
    return records;
}

void WindowDiscoveryHost::LoadModel(int type) {
    if (load_model_) {
        load_model_(type);
    }
}

void WindowDiscoveryHost::SetAllDeviceState(int state) {
    if (auto* list = DeviceList(dlg_)) {
        list->SetAllDeviceState(state);
    }
}

void WindowDiscoveryHost::SetDeviceState(int type, int mode, int state) {
    if (auto* list = DeviceList(dlg_)) {
        list->SetDeviceState(type, mode, state);
    }
}

void WindowDiscoveryHost::SetDeviceVersion(int type, uint32_t version) {
    if (auto* list = DeviceList(dlg_)) {
        list->SetDeviceVersion(type, static_cast<int>(version));
    }
}

void WindowDiscoveryHost::SetSelectDevice(int type) {
    if (auto* list = DeviceList(dlg_)) {
        list->SetSelectDevice(type);
    }
}

int WindowDiscoveryHost::GetSelectDevice() {
    auto* list = DeviceList(dlg_);
    return list ? list->GetSelectDevice() : 0;
}

void WindowDiscoveryHost::SetCurrentDeviceType(int type) {
    dlg_.Device().selected_device_type.store(type);
}

void WindowDiscoveryHost::SetDevicePresent(bool present) {
    dlg_.Device().device_present.store(present);
}

void WindowDiscoveryHost::ShowOutcome(DiscoveryOutcome outcome) {
    ShowDiscoveryOutcome(outcome, *this);
}

void WindowDiscoveryHost::SetDeviceOnline(bool online) {
    dlg_.Device().device_online.store(online);
}

void WindowDiscoveryHost::SetControlText(int control, int text_id) {
    tessaly::SetControlText(dlg_, control, text_id);
}

void WindowDiscoveryHost::ShowControl(int control, bool show) {
    ShowControls(dlg_, {control}, show);
}

bool WindowDiscoveryHost::ControlVisible(int control) {
    if (control == ui::kSettingsPageId && dlg_.settings_page) {
        return dlg_.settings_page->IsVisible();
    }
    DUI::MControl* found = dlg_.GetControl(control);
    return found && found->IsVisible();
}

void WindowDiscoveryHost::SelectTab(int index) {
    SelectTabIndex(dlg_, index);
}

void WindowDiscoveryHost::CloseTransientWindows() {
    dlg_.ClosePopups();
}

}  // namespace tessaly
