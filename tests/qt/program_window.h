#pragma once
// The whole program over the virtual mouse on the Qt backend, and a way to
// show each of its pages, for the tests that look at the window as a user
// meets it.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/language_state.h"
#include "app/registry_values.h"
#include "base/unicode.h"
#include "catalogue/device_catalogue.h"
#include "controller/controller.h"
#include "controller/device_session.h"
#include "device/device_manager.h"
#include "device/hid_backend_memory.h"
#include "emulator/virtual_mouse.h"
#include "platform/folders.h"
#include "platform/ini_registry_store.h"
#include "platform/process_exit.h"
#include "platform/registry_store.h"
#include "qt_test_app.h"
#include "storage/settings_database.h"
#include "support/temp_dir.h"
#include "ui/ids/main_window_ids.h"
#include "ui/localisation/language_strings.h"
#include "ui/main/device_main_dlg.h"
#include "ui/main/tray_icon.h"
#include "ui/toolkit/controls/mouse_controls.h"
#include "ui/toolkit/controls/tabs.h"

namespace tessaly::qt::test {

struct PageRow {
    const char* name;
    int tab;                     // -1: the settings page
    bool choose_button = false;  // the button page with its function panel open
};
constexpr PageRow kPages[] = {
    {"home", 0},     {"buttons", 1}, {"performance", 2}, {"macros", 3},
    {"lighting", 4}, {"info", 5},    {"settings", -1},
};

class ProgramWindow;

// The program's window over the virtual mouse, on the Qt backend.
class ProgramWindow {
  public:
    explicit ProgramWindow(DUI::Rect rect) {
        setenv("TESSALY_NO_UPDATE_CHECK", "1", 1);
        SetRegistryStore(std::make_shared<IniRegistryStore>((folder_.path() / "reg.ini").string()));
        ReadRegistryNumber(kValueExitMode);
        SetUserDataFolderOverride(folder_.u16(true));
        SetProgramFolderOverride(FromUtf8(std::string(TESSALY_BINARY_DIR) + "/"));
        SetProcessExitInterceptor([](int) {});
        std::filesystem::create_directories(folder_.path() / "db");
        // The mouse `--emulate` shows, so the pages read as in the screenshots.
        std::optional<emulator::VirtualMouseConfig> config =
            EmulatedModelConfig(ProgramFolder() + u"config.xml", std::nullopt);
        if (!config) {
            return;
        }
        mouse_ = std::make_unique<emulator::VirtualMouse>(hid_, *config);
        DeviceCatalogue::Instance().Reset();
        devices_ = std::make_unique<DeviceManager>();
        controller_ = std::make_unique<Controller>(*devices_);
        controller_->SetWorkerSleeper([](int) {});
        window_ = std::make_unique<ui::DeviceMainDlg>(tray_, controller_->State(),
                                                      controller_->Services());
        created_ = window_->Create(nullptr, u"Tessaly", DUI::kDialogStyle, 0, rect);
    }
    ~ProgramWindow() {
        if (window_) {
            window_->CloseWindow();
        }
        controller_.reset();
        window_.reset();
        devices_.reset();
        session_.backend().Flush();
        SettingsDatabase::Instance().Close();
        DeviceCatalogue::Instance().Reset();
        mouse_.reset();
        SetProgramFolderOverride(u"");
        SetUserDataFolderOverride(u"");
        SetProcessExitInterceptor({});
        SetRegistryStore(nullptr);
    }

    bool created() const { return created_; }
    ui::DeviceMainDlg& window() { return *window_; }
    Controller& controller() { return *controller_; }
    QtBackend& backend() { return session_.backend(); }

    // Runs the Qt loop until the start's tasks are done.
    bool Settle() {
        int quiet = 0;
        return PumpUntil(
            [&] {
                QApplication::processEvents(QEventLoop::AllEvents, 5);
                const bool idle = controller_->Tasks().Empty() && controller_->Worker() &&
                                  !controller_->Worker()->Busy();
                quiet = idle ? quiet + 1 : 0;
                return quiet >= 3;
            },
            20000);
    }

    void Show(const PageRow& row) {
        auto& toolkit = DUI::Toolkit::Get();
        if (row.tab < 0) {
            if (DUI::MControl* settings = window_->GetControl(main_id::kSettings)) {
                toolkit.DeliverControlEvent(*settings, DUI::kEventActivated, 0);
            }
        } else {
            window_->ReturnFromSettings();
            window_->ShowDevicePages();
            if (auto* tabs = window_->GetControlAs<DUI::MTabCtrl>(main_id::kTabs)) {
                toolkit.DeliverControlEvent(*tabs, DUI::kEventActivated, row.tab);
            }
            if (row.choose_button) {
                ChooseLongestNamedButton();
            }
        }
        Pump(20);
        backend().Flush();
    }

  private:
    // The panel repeats the chosen button's name: the longest one tests it.
    void ChooseLongestNamedButton() {
        for (DUI::MControl* control : window_->Controls()) {
            auto* list = dynamic_cast<DUI::MouseKeyCtrl*>(control);
            if (list == nullptr || !list->IsShown()) {
                continue;
            }
            int longest = 0;
            for (int i = 1; i < list->GetItemCount(); ++i) {
                if (list->GetItemText(i).size() > list->GetItemText(longest).size()) {
                    longest = i;
                }
            }
            DUI::Toolkit::Get().DeliverControlEvent(*list, DUI::kEventActivated, longest);
        }
    }

    QtSession session_;
    tessaly::test::TempDir folder_;
    std::shared_ptr<ManualHidClock> clock_ = std::make_shared<ManualHidClock>();
    std::shared_ptr<MemoryHidBackend> hid_ = std::make_shared<MemoryHidBackend>(clock_);
    ScopedHidBackend scoped_hid_{hid_};
    std::unique_ptr<emulator::VirtualMouse> mouse_;
    ui::MemoryTrayIcon tray_;
    std::unique_ptr<DeviceManager> devices_;
    std::unique_ptr<Controller> controller_;
    std::unique_ptr<ui::DeviceMainDlg> window_;
    bool created_ = false;
};

// A control the user can operate, with the widget that shows it.
struct Stop {
    const DUI::MControl* control;
    QWidget* widget;
};

// The controls of a window the user can reach and operate: shown, enabled
// (unless asked for the disabled too), not decoration, with a widget that
// takes Tab.
inline std::vector<Stop> OperableControls(const DUI::MDialog& dialog, QtBackend& backend,
                                          bool with_disabled = false) {
    std::vector<Stop> stops;
    for (DUI::MControl* control : dialog.Controls()) {
        if (control->IsArea() || !control->IsShown() || (!control->IsEnabled() && !with_disabled)) {
            continue;
        }
        QWidget* widget = backend.ControlWidgetOf(*control);
        if (widget != nullptr && (widget->focusPolicy() & Qt::TabFocus) != 0 &&
            !widget->geometry().isEmpty()) {
            stops.push_back({control, widget});
        }
    }
    return stops;
}

}  // namespace tessaly::qt::test
