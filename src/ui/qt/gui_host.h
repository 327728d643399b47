#pragma once
// The GUI start-up after the shared steps (configuration, single instance,
// language, folders): the Qt application with the scale policy the screen
// calls for, the backend, the tray, the main window created, centred and
// run, and the shutdown. Also the screenshot run (--screenshot).

#include <functional>
#include <optional>
#include <string>

#include "app/startup.h"
#include "ui/main/device_main_dlg.h"

namespace tessaly::qt {

struct GuiOptions {
    std::string screenshot;    // a PNG of the main window, then exit 0
    std::string page;          // home, buttons, performance, macros, lighting, info, settings
    std::optional<int> lcid;   // the language of this run only
    bool first_frame = false;  // exit 0 once the main window was first painted
    // exit 0 once the worker has finished the start's tasks (the first read
    // with a mouse) and the window shows their outcome
    bool until_settled = false;
};

// Takes --screenshot FILE, --page NAME and --lang LCID out of the arguments
// the shared command line left; an error text for anything else but Qt's
// own options, "-autorun" and a word holding "-hide".
std::optional<GuiOptions> ParseGuiOptions(const std::vector<std::string>& rest, std::string* error);

// What `tessaly --help` prints.
std::string GuiHelp();

// Without DISPLAY or WAYLAND_DISPLAY (and no platform chosen) Qt runs
// offscreen. Before the QApplication exists.
void ChooseQtPlatform();

// What the main window is built on.
struct WindowParts {
    ui::WindowState state;
    ui::MainWindowServices services;
};

class GuiHost : public MainWindowHost {
  public:
    // Builds the main window's state and services once start-up has set the
    // folders; whatever they refer to must outlive Run.
    using PartsFactory = std::function<WindowParts()>;

    GuiHost(int& argc, char** argv, GuiOptions options, PartsFactory make_parts);
    // Called once the main window exists, before other processes can reach
    // it; what it returns is called before the window goes.
    using WindowHook = std::function<std::function<void()>(ui::DeviceMainDlg&, SingleInstance&)>;
    void SetWindowHook(WindowHook hook) { window_hook_ = std::move(hook); }
    int Run(bool start_hidden, SingleInstance& instance) override;

  private:
    int& argc_;
    char** argv_;
    GuiOptions options_;
    PartsFactory make_parts_;
    WindowHook window_hook_;
};

}  // namespace tessaly::qt
