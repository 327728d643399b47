#pragma once
// A main window on the headless toolkit with an INI registry in a temporary
// folder, an in-memory tray, recorded message boxes and an intercepted exit.
// No controller: the fixture holds the state and the task list, and the
// worker's thread is a flag.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/registry_values.h"
#include "platform/ini_registry_store.h"
#include "platform/process_exit.h"
#include "platform/registry_store.h"
#include "platform/task_list.h"
#include "support/temp_dir.h"
#include "ui/main/device_main_dlg.h"
#include "ui/main/window_page_contexts.h"
#include "ui/toolkit/headless_backend.h"

namespace tessaly::ui::test {

struct BoxCall {
    std::u16string title;
    std::u16string message;
    int buttons;
};

class ControllerFixture : public ::testing::Test {
  protected:
    ControllerFixture() {
        SetRegistryStore(std::make_shared<IniRegistryStore>((temp.path() / "reg.ini").string()));
        ReadRegistryNumber(kValueExitMode);  // creates the program key, as start-up does
        SetProcessExitInterceptor([this](int code) { exit_codes.push_back(code); });
        MainWindowServices services;
        services.message_box = [this](DUI::MWindow&, std::u16string_view title,
                                      std::u16string_view message, int buttons) {
            boxes.push_back({std::u16string(title), std::u16string(message), buttons});
            return box_answer;
        };
        services.queue_task = [this](int32_t code) { tasks.Append(code); };
        services.start_worker = [this] { worker_running = true; };
        services.stop_worker = [this] { worker_running = false; };
        dlg =
            std::make_unique<DeviceMainDlg>(tray, WindowState{device, update}, std::move(services));
    }
    ~ControllerFixture() override {
        dlg.reset();
        ReadRegistryNumber(kValueExitMode);  // creates the program key, as start-up does
        SetProcessExitInterceptor({});
        SetRegistryStore(nullptr);
    }
    void Open(int width = 1300, int height = 788) {
        ASSERT_TRUE(dlg->Create(nullptr, u"Tessaly", DUI::kDialogStyle, 0, {0, 0, width, height}));
    }
    DUI::MControl* Control(int id, int nth = 0) {
        return DUI::HeadlessBackend::Find(*dlg, id, nth);
    }
    bool Shown(int id) { return Control(id)->IsVisible(); }

    DUI::HeadlessSession session;
    tessaly::test::TempDir temp;
    MemoryTrayIcon tray;
    std::vector<int> exit_codes;
    std::vector<BoxCall> boxes;
    int box_answer = 1;
    DeviceState device;
    UpdateState update;
    TaskList tasks;
    bool worker_running = false;
    std::unique_ptr<DeviceMainDlg> dlg;
};

}  // namespace tessaly::ui::test
