#include "update/linux_package.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace tessaly {
namespace fs = std::filesystem;

std::string_view PackageArchitecture() {
#if defined(__x86_64__)
    return "amd64";
#elif defined(__aarch64__)
    return "arm64";
#elif defined(__i386__)
    return "i386";
#elif defined(__arm__)
    return "armhf";
#elif defined(__riscv) && __riscv_xlen == 64
    return "riscv64";
#elif defined(__powerpc64__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    return "ppc64el";
#else
    return "unknown";
#endif
}

// Built by appending: GCC 12 at -O3 warns falsely on "literal" + string.
std::string PackageFileName(std::string_view version) {
    std::string name = "tessaly_";
    name.append(version).append("_").append(PackageArchitecture()).append(".deb");
    return name;
}

std::string FindLinuxPackage(const std::string& folder, std::string_view version) {
    std::error_code error;
    const fs::path exact = fs::path(folder) / PackageFileName(version);
    if (fs::is_regular_file(exact, error)) {
        return exact.string();
    }
    std::string own_suffix = "_";
    own_suffix.append(PackageArchitecture()).append(".deb");
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        const bool fits = name.ends_with(own_suffix) || name.ends_with("_all.deb");
        if (fits && name.starts_with("tessaly_") && entry.is_regular_file(error)) {
            found.push_back(entry.path().string());
        }
    }
    // The same choice whatever order the folder lists them in.
    std::ranges::sort(found);
    return found.empty() ? std::string() : found.front();
}

}  // namespace tessaly
