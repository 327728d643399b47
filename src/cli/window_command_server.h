#pragma once
// The running window's side of a forwarded run: it tells what it works on,
// and runs each command it takes, one at a time, on its own controller and
// worker through the command table, on the UI thread, while its loop keeps
// running between the command's steps.

#include <memory>

#include "app/command_line.h"
#include "platform/single_instance.h"

namespace tessaly {
class Controller;
namespace ui {
class DeviceMainDlg;
}
}  // namespace tessaly

namespace tessaly::cli {

class WindowCommandServer {
  public:
    // Takes the commands that reach `instance` until destroyed (UI thread,
    // before the window goes).
    WindowCommandServer(Controller& controller, ui::DeviceMainDlg& window, const CommandLine& line,
                        SingleInstance& instance);
    ~WindowCommandServer();
    WindowCommandServer(const WindowCommandServer&) = delete;
    WindowCommandServer& operator=(const WindowCommandServer&) = delete;

    class Core;

  private:
    SingleInstance& instance_;
    std::shared_ptr<Core> core_;
};

}  // namespace tessaly::cli
