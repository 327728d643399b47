#pragma once
// Discovery's view of the main window, the registry and the catalogue.

#include <functional>

#include "controller/discovery_window.h"
#include "device/device_discovery.h"
#include "ui/main/device_main_dlg.h"

namespace tessaly {

// The catalogue's identities as discovery and hot-plug match them. Any thread.
std::vector<IdentityRecord> CatalogueIdentityRecords();

class WindowDiscoveryHost : public DiscoveryHost, public DiscoveryWindow {
  public:
    WindowDiscoveryHost(ui::DeviceMainDlg& dlg, std::function<void(int type)> load_model)
        : dlg_(dlg), load_model_(std::move(load_model)) {}

    int ReadRememberedType() override;
    void WriteRememberedType(int type) override;
    std::vector<IdentityRecord> CatalogueIdentities() override;
    void LoadModel(int type) override;

    void SetAllDeviceState(int state) override;
    void SetDeviceState(int type, int mode, int state) override;
    void SetDeviceVersion(int type, uint32_t version) override;
    void SetSelectDevice(int type) override;
    int GetSelectDevice() override;

    void SetCurrentDeviceType(int type) override;
    void SetDevicePresent(bool present) override;
    void ShowOutcome(DiscoveryOutcome outcome) override;
    void CloseTransientWindows() override;

    void SetDeviceOnline(bool online) override;
    void SetControlText(int control, int text_id) override;
    void ShowControl(int control, bool show) override;
    bool ControlVisible(int control) override;
    void SelectTab(int index) override;

  private:
    ui::DeviceMainDlg& dlg_;
    std::function<void(int)> load_model_;
};

}  // namespace tessaly
