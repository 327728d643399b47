#pragma once
// The whole program on the headless toolkit: the controller with its worker
// thread, the shipped catalogue and data, and a virtual wireless mouse on a
// manual clock (its read time-outs cost no time).

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "app/language_state.h"
#include "app/registry_values.h"
#include "base/decimal.h"
#include "base/unicode.h"
#include "catalogue/device_catalogue.h"
#include "controller/controller.h"
#include "device/hid_backend.h"
#include "device/hid_backend_memory.h"
#include "emulator/virtual_mouse.h"
#include "platform/folders.h"
#include "platform/ini_registry_store.h"
#include "platform/process_exit.h"
#include "platform/registry_store.h"
#include "storage/config_store.h"
#include "storage/settings_database.h"
#include "support/temp_dir.h"
#include "ui/localisation/language_strings.h"
#include "ui/main/tray_icon.h"
#include "ui/toolkit/controls/static_controls.h"
#include "ui/toolkit/headless_backend.h"

namespace tessaly::test {

// The shipped wireless model.
inline constexpr int kWirelessType = 1007;
inline constexpr uint16_t kVendor = 0x1A2B;
inline constexpr uint16_t kCableProduct = 0x7001;
inline constexpr uint16_t kReceiverProduct = 0x7002;
inline constexpr uint8_t kSensor = 17;

inline emulator::VirtualMouseConfig WirelessMouse(bool cable, bool receiver) {
    emulator::VirtualMouseConfig config;
    config.cable = {kVendor, kCableProduct, 0x0105, cable};
    config.receiver = {kVendor, kReceiverProduct, 0x0100, receiver};
    config.identity.device_id = {'T', 'X', '7', 'W'};
    config.identity.sensor_code = kSensor;
    return config;
}

class WorkerTest : public ::testing::Test {
  protected:
    WorkerTest() {
        SetRegistryStore(std::make_shared<IniRegistryStore>((user.path() / "reg.ini").string()));
        ReadRegistryNumber(kValueExitMode);  // creates the program key, as start-up does
        SetUserDataFolderOverride(user.u16(true));
        SetProgramFolderOverride(FromUtf8(std::string(TESSALY_BINARY_DIR) + "/"));
        SetProcessExitInterceptor([](int) {});
        SetCurrentLcid(1033);
        ReloadLanguageFiles();
        DeviceCatalogue::Instance().Reset();
    }
    ~WorkerTest() override {
        if (dlg) {
            dlg->CloseWindow();
            dlg.reset();
        }
        controller.reset();
        mouse.reset();
        SettingsDatabase::Instance().Close();
        DeviceCatalogue::Instance().Reset();
        SetProgramFolderOverride(u"");
        SetUserDataFolderOverride(u"");
        SetProcessExitInterceptor({});
        SetRegistryStore(nullptr);
    }

    void Plug(bool cable, bool receiver) {
        mouse = std::make_unique<emulator::VirtualMouse>(backend, WirelessMouse(cable, receiver));
    }
    // Creates the window: it loads the catalogue, queues tasks 1 and 23 and
    // starts the worker.
    void Open() {
        controller = std::make_unique<Controller>(devices);
        dlg =
            std::make_unique<ui::DeviceMainDlg>(tray, controller->State(), controller->Services());
        ASSERT_TRUE(dlg->Create(nullptr, u"Tessaly", DUI::kDialogStyle, 0, {0, 0, 1300, 788}));
    }
    // Runs the UI loop until the condition holds (false after ten seconds).
    bool WaitFor(const std::function<bool()>& condition) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            session.ProcessPending();
            if (condition()) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }
    // Every queued task has run and the worker is back to listening.
    bool Settled() {
        return WaitFor([this] {
            return controller->Tasks().Empty() && controller->Worker() &&
                   !controller->Worker()->Busy();
        });
    }
    bool Connected() {
        return WaitFor([this] {
            return controller->Tasks().Empty() && !controller->Worker()->Busy() &&
                   dlg->Device().device_online.load() &&
                   controller->Device().WasRead(kWirelessType);
        });
    }

    std::u16string Title(int id) {
        auto* control = dynamic_cast<DUI::MControlFont*>(DUI::HeadlessBackend::Find(*dlg, id));
        return control ? control->GetTitle() : u"<none>";
    }
    static std::u16string Stored(int profile, std::u16string_view key) {
        std::u16string value;
        GetConfigValue(profile, key, value);
        return value;
    }

    DUI::HeadlessSession session;
    TempDir user;
    std::shared_ptr<ManualHidClock> clock = std::make_shared<ManualHidClock>();
    std::shared_ptr<MemoryHidBackend> backend = std::make_shared<MemoryHidBackend>(clock);
    ScopedHidBackend scoped_backend{backend};
    std::unique_ptr<emulator::VirtualMouse> mouse;
    DeviceManager devices;
    ui::MemoryTrayIcon tray;
    std::unique_ptr<Controller> controller;
    std::unique_ptr<ui::DeviceMainDlg> dlg;
};

}  // namespace tessaly::test
