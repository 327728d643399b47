// mocked_kernel_run [--cable] [--receiver] [--config-node-mode OCTAL] -- PROGRAM [ARGUMENTS]
//
// Holds a mocked kernel with the virtual mouse that `--emulate` would
// mimic (the same model, links and factory state) and runs PROGRAM on it as a
// child, as umockdev-run does; exits with the child's exit code. --cable and
// --receiver choose the links plugged instead of the model's default;
// --config-node-mode sets the configuration nodes' permission bits.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "controller/device_session.h"
#include "mocked_kernel/mock_environment.h"
#include "mocked_kernel/mocked_mouse.h"
#include "platform/folders.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: mocked_kernel_run [--cable] [--receiver] [--config-node-mode OCTAL] -- "
                 "PROGRAM [ARGUMENTS]\n");
    return 2;
}

int RunChild(char** argv) {
    const pid_t pid = fork();
    if (pid < 0)
        return 2;
    if (pid == 0) {
        execvp(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

int main(int argc, char** argv) {
    tessaly::test::EnsureMockedKernelPreload(argv);
    bool cable = false;
    bool receiver = false;
    std::optional<unsigned> node_mode;
    int first = 1;
    for (; first < argc; ++first) {
        const std::string argument = argv[first];
        if (argument == "--") {
            ++first;
            break;
        }
        if (argument == "--cable") {
            cable = true;
        } else if (argument == "--receiver") {
            receiver = true;
        } else if (argument == "--config-node-mode" && first + 1 < argc) {
            node_mode = static_cast<unsigned>(std::strtoul(argv[++first], nullptr, 8));
        } else {
            return Usage();
        }
    }
    if (first >= argc)
        return Usage();
    auto config = tessaly::EmulatedModelConfig(tessaly::ProgramFolder() + u"config.xml");
    if (!config) {
        std::fprintf(stderr, "mocked_kernel_run: the catalogue names no model\n");
        return 2;
    }
    if (cable || receiver) {
        config->cable.plugged = cable;
        config->receiver.plugged = receiver;
    }
    int code = 0;
    {
        tessaly::test::MockedMouse mouse(*config);
        if (node_mode) {
            for (auto link :
                 {tessaly::emulator::MouseLink::kCable, tessaly::emulator::MouseLink::kReceiver}) {
                if (auto node = mouse.Node(link, tessaly::emulator::kConfigInterface))
                    mouse.Testbed().SetNodeMode(node->DevNode(), *node_mode);
            }
        }
        code = RunChild(argv + first);
    }
    return code;
}
