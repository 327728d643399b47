// The GUI program: the shared start-up, then the Qt main window over the
// controller and, with --emulate, the virtual mouse.

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/startup.h"
#include "cli/window_command_server.h"
#include "controller/controller.h"
#include "controller/device_session.h"
#include "ui/qt/gui_host.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            std::fputs(tessaly::qt::GuiHelp().c_str(), stdout);
            return 0;
        }
        if (argument == "--version") {
            std::printf("tessaly %s\n", TESSALY_VERSION);
            return 0;
        }
    }
    const tessaly::CommandLine line = tessaly::ParseCommandLine(arguments);
    std::string error;
    const std::optional<tessaly::qt::GuiOptions> options =
        tessaly::qt::ParseGuiOptions(line.rest, &error);
    if (!options) {
        std::fprintf(stderr, "tessaly: %s\n", error.c_str());
        return 2;
    }
    if (!line.error.empty()) {
        std::fprintf(stderr, "tessaly: %s\n", line.error.c_str());
        return 2;
    }
    // Both outlive the window (and its worker), which the host destroys.
    std::unique_ptr<tessaly::DeviceSession> devices;
    std::unique_ptr<tessaly::Controller> controller;
    tessaly::qt::GuiHost host(argc, argv, *options, [&] {
        devices = std::make_unique<tessaly::DeviceSession>(line);
        if (!devices->Error().empty()) {
            std::fprintf(stderr, "tessaly: %s\n", devices->Error().c_str());
        }
        controller = std::make_unique<tessaly::Controller>();
        return tessaly::qt::WindowParts{controller->State(), controller->Services()};
    });
    // tessalyctl runs on this window's controller while it runs.
    std::unique_ptr<tessaly::cli::WindowCommandServer> commands;
    host.SetWindowHook([&](tessaly::ui::DeviceMainDlg& window, tessaly::SingleInstance& instance) {
        commands = std::make_unique<tessaly::cli::WindowCommandServer>(*controller, window, line,
                                                                       instance);
        return std::function<void()>([&commands] { commands.reset(); });
    });
    const int code = tessaly::RunApplication(line, host);
    controller.reset();
    devices.reset();
    return code;
}
