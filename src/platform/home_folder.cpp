#include "platform/home_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace tessaly {
namespace {

std::optional<std::string> FromPasswordDatabase() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr || found->pw_dir[0] != '/')
        return std::nullopt;
    return std::string(found->pw_dir);
}

}  // namespace

std::optional<std::string> HomeFolderPath() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        return std::string(home);
    return FromPasswordDatabase();
}

}  // namespace tessaly
