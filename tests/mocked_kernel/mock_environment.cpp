#include "mocked_kernel/mock_environment.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace tessaly::test {
namespace {

constexpr const char* kPreload = "libumockdev-preload.so.0";
constexpr const char* kReexecMark = "TESSALY_MOCKED_KERNEL_REEXEC";

std::string Joined(const char* name, const std::string& added, char separator) {
    const char* old = std::getenv(name);
    if (old == nullptr || *old == '\0')
        return added;
    return std::string(old) + separator + added;
}

// umockdev_in_mock_environment() answers for a testbed, not for the preload.
bool PreloadLoaded() {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.find("libumockdev-preload") != std::string::npos)
            return true;
    }
    return false;
}

}  // namespace

void EnsureMockedKernelPreload(char** argv) {
    if (PreloadLoaded())
        return;
    if (std::getenv(kReexecMark) != nullptr) {
        std::fprintf(stderr, "%s did not load; is umockdev installed?\n", kPreload);
        std::exit(2);
    }
    const char* old_preload = std::getenv("LD_PRELOAD");
    std::string preload = kPreload;
    if (old_preload != nullptr && *old_preload != '\0')
        preload += std::string(":") + old_preload;
    setenv("LD_PRELOAD", preload.c_str(), 1);
    setenv("ASAN_OPTIONS", Joined("ASAN_OPTIONS", "verify_asan_link_order=0", ':').c_str(), 1);
    setenv(kReexecMark, "1", 1);
    execv("/proc/self/exe", argv);
    std::perror("cannot run again under the umockdev preload");
    std::exit(2);
}

}  // namespace tessaly::test
