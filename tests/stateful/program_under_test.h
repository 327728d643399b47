#pragma once
// The whole program as a user has it: the controller, its main window with
// every page and the device worker, on the headless toolkit, over the
// virtual wireless mouse (cable and receiver) on a manual clock. A restart
// is a new controller and window over the same data folder and mouse.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controller/controller.h"
#include "device/device_manager.h"
#include "device/hid_backend.h"
#include "device/hid_backend_memory.h"
#include "emulator/virtual_mouse.h"
#include "support/temp_dir.h"
#include "ui/main/device_main_dlg.h"
#include "ui/main/tray_icon.h"
#include "ui/toolkit/headless_backend.h"

namespace tessaly::stateful {

inline constexpr int kModelType = 1007;

class ProgramUnderTest {
  public:
    explicit ProgramUnderTest(int sensor);
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    // Opens the window (the first time, or again after Stop).
    bool Start();
    void Stop();
    bool Restart() {
        Stop();
        return Start();
    }
    // Runs the UI loop until no task is queued or running (false after
    // the time limit).
    bool Settle();
    // After a link change that gives the mouse back: its report reaches the
    // worker only while it listens, so wait until the program has the mouse
    // again (false when it does not within the time limit), then settle.
    bool SettleReachable();
    // Runs the UI loop until the condition holds, a second at most.
    bool WaitUntil(const std::function<bool()>& condition);

    ui::DeviceMainDlg& Window() { return *window_; }
    Controller& Program() { return *controller_; }
    emulator::VirtualMouse& Mouse() { return *mouse_; }
    DUI::HeadlessSession& Session() { return session_; }
    int Sensor() const { return sensor_; }
    std::string DatabasePath() const;
    std::filesystem::path Folder() const { return folder_.path(); }

    // What the worker does while it listens (a link report's re-read, a
    // stage report) does not count as busy: run the UI loop until the pages
    // stop changing.
    void Linger();

  private:
    std::vector<int> PagesFingerprint();

    int sensor_;
    DUI::HeadlessSession session_;
    test::TempDir folder_;
    std::shared_ptr<ManualHidClock> clock_ = std::make_shared<ManualHidClock>();
    std::shared_ptr<MemoryHidBackend> backend_ = std::make_shared<MemoryHidBackend>(clock_);
    ScopedHidBackend scoped_backend_{backend_};
    std::unique_ptr<emulator::VirtualMouse> mouse_;
    ui::MemoryTrayIcon tray_;
    std::unique_ptr<DeviceManager> devices_;
    std::unique_ptr<Controller> controller_;
    std::unique_ptr<ui::DeviceMainDlg> window_;
};

}  // namespace tessaly::stateful
