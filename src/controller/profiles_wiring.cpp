#include "controller/profiles_wiring.h"

namespace tessaly {
namespace {

class ControllerProfilesHost : public ProfilesHost {
  public:
    explicit ControllerProfilesHost(Controller& controller) : controller_(controller) {}

    int CurrentProfile() const override { return controller_.CurrentProfile(); }
    void SetCurrentProfile(int profile) override {
        if (ui::DeviceMainDlg* window = controller_.Window()) {
            window->current_profile.store(profile);
        }
    }
    void QueueTask(int32_t code) override { controller_.QueueTask(code); }
    void ShowProfileName() override {
        if (DeviceWorker* worker = controller_.Worker()) {
            worker->ShowProfileName();
        }
    }
    bool DevicePresent() const override {
        const ui::DeviceMainDlg* window = controller_.Window();
        return window != nullptr && window->device_present.load();
    }
    int ShowMessageBox(std::u16string_view message, std::u16string_view title,
                       uint32_t buttons) override {
        return controller_.ShowMessageBox(message, title, buttons);
    }
    DeviceState& Device() override { return controller_.Device(); }

  private:
    Controller& controller_;
};

}  // namespace

std::unique_ptr<ProfilesHost> MakeProfilesHost(Controller& controller) {
    return std::make_unique<ControllerProfilesHost>(controller);
}

}  // namespace tessaly
