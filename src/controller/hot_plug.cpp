// Hot-plug: announcements come on udev's or the virtual mouse's thread and
// are handled on the UI thread, which only queues tasks.

#include "controller/controller.h"
#include "controller/window_discovery_host.h"
#include "device/usb_device_update.h"
#include "ui/toolkit/toolkit.h"

namespace tessaly {

void Controller::FollowDeviceChanges() {
    const DUI::WindowHandle window = window_->GetSafeHwnd();
    SetDeviceChangeHandler([this, window](DeviceChangeKind kind, const std::string& name) {
        DUI::Toolkit::Get().PostToWindow(
            window, [this, kind, name](DUI::MWindow&) { OnDeviceChange(kind, name); });
    });
    system_changes_ = std::make_unique<SystemDeviceChanges>();
}

void Controller::OnDeviceChange(DeviceChangeKind kind, const std::string& interface_name) {
    const std::vector<IdentityRecord> identities = CatalogueIdentityRecords();
    UsbDeviceContext context;
    context.identities = identities;
    context.device_present = state_.device_present.load();
    if (const std::optional<int> task = UpdateUSBDevice(kind, interface_name, context)) {
        runner_->Tasks().Append(*task);
    }
}

}  // namespace tessaly
