// The GUI program: the shared start-up, then the Qt main window.

#include <cstdio>
#include <string>
#include <vector>

#include "app/startup.h"
#include "ui/qt/gui_host.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const tessaly::CommandLine line = tessaly::ParseCommandLine(arguments);
    std::string error;
    const std::optional<tessaly::qt::GuiOptions> options =
        tessaly::qt::ParseGuiOptions(line.rest, &error);
    if (!options) {
        std::fprintf(stderr, "tessaly: %s\n", error.c_str());
        return 2;
    }
    tessaly::qt::GuiHost host(argc, argv, *options);
    return tessaly::RunApplication(line, host);
}
