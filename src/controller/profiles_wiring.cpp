#include "controller/profiles_wiring.h"

#include "controller/controller_host.h"
#include "profiles/profile_dialog.h"
#include "ui/main/window_page_contexts.h"

namespace tessaly {
namespace {

class ControllerProfilesHost : public ControllerHost<ProfilesHost> {
  public:
    using ControllerHost::ControllerHost;

    void SetCurrentProfile(int profile) override {
        controller_.Device().current_profile.store(profile);
    }
    void ShowProfileName() override {
        if (DeviceWorker* worker = controller_.Worker()) {
            worker->ShowProfileName();
        }
    }
    bool DevicePresent() const override { return controller_.Device().device_present.load(); }
    DeviceState& Device() override { return controller_.Device(); }
};

}  // namespace

std::unique_ptr<ProfilesHost> MakeProfilesHost(Controller& controller) {
    return std::make_unique<ControllerProfilesHost>(controller);
}

std::unique_ptr<ProfilesHost> InstallProfilesWiring(Controller& controller,
                                                    ui::DeviceMainDlg& dlg) {
    auto host = MakeProfilesHost(controller);
    InstallProfiles(ui::ProfilesContextOf(dlg), *host);
    return host;
}

}  // namespace tessaly
