#include "ui/main/window_factory_reset_host.h"

namespace tessaly::ui {
namespace {

class WindowFactoryResetHost : public FactoryResetHost {
  public:
    explicit WindowFactoryResetHost(DeviceMainDlg& dlg) : dlg_(dlg) {}

    bool DeviceOnline() const override { return dlg_.Device().device_online.load(); }
    void ClearReadSet() override {
        if (dlg_.Services().clear_read_set) {
            dlg_.Services().clear_read_set();
        }
    }
    void QueueTask(int32_t code) override { dlg_.QueueTask(code); }
    void ShowSaveWait() override {
        if (dlg_.Services().show_save_wait) {
            dlg_.Services().show_save_wait();
        }
    }

  private:
    DeviceMainDlg& dlg_;
};

}  // namespace

std::unique_ptr<FactoryResetHost> MakeFactoryResetHost(DeviceMainDlg& dlg) {
    return std::make_unique<WindowFactoryResetHost>(dlg);
}

}  // namespace tessaly::ui
