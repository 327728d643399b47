#include "platform/folders.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

#include "base/application_name.h"
#include "base/unicode.h"
#include "platform/home_folder.h"

namespace tessaly {
namespace {

struct Overrides {
    std::mutex lock;
    std::u16string program;
    std::u16string data;
    std::u16string config;
};

Overrides& TheOverrides() {
    static Overrides overrides;
    return overrides;
}

std::u16string WithSeparator(std::u16string path) {
    if (path.empty() || path.back() != u'/')
        path.push_back(u'/');
    return path;
}

std::optional<std::u16string> FromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0')
        return std::nullopt;
    return FromUtf8(value);
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Start-up refuses to run without a home folder, so this is empty only for a
// caller that did not ask.
std::u16string HomeFolder() {
    return FromUtf8(HomeFolderPath().value_or(std::string()));
}

}  // namespace

std::u16string ExecutablePath() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::u16string() : FromUtf8(path.string());
}

std::u16string ProgramFolder() {
    {
        auto& overrides = TheOverrides();
        std::lock_guard guard(overrides.lock);
        if (!overrides.program.empty())
            return WithSeparator(overrides.program);
    }
    if (auto env = FromEnvironment("TESSALY_PROGRAM_DIR"))
        return WithSeparator(*env);

    // Asked for by every text and image lookup; the executable stays put.
    static const std::u16string beside = ProgramFolderBeside(ExecutablePath());
    return beside;
}

std::u16string ProgramFolderBeside(std::u16string_view executable_path) {
    const std::filesystem::path exe(ToUtf8(executable_path));
    const auto folder = exe.parent_path();
    std::error_code error;
    if (std::filesystem::exists(folder / "config.xml", error)) {
        return WithSeparator(FromUtf8(folder.string()));
    }
    const auto installed = folder.parent_path() / "share" / "tessaly";
    return WithSeparator(FromUtf8(installed.string()));
}

std::u16string UserDataFolder() {
    {
        auto& overrides = TheOverrides();
        std::lock_guard guard(overrides.lock);
        if (!overrides.data.empty())
            return WithSeparator(overrides.data);
    }
    if (auto env = FromEnvironment("TESSALY_DATA_DIR"))
        return WithSeparator(*env);

    std::u16string base;
    if (auto xdg = FromEnvironment("XDG_DATA_HOME")) {
        base = *xdg;
    } else {
        base = HomeFolder() + u"/.local/share";
    }
    return WithSeparator(base) + ApplicationName() + u" Files/";
}

void SetProgramFolderOverride(std::u16string_view path) {
    auto& overrides = TheOverrides();
    std::lock_guard guard(overrides.lock);
    overrides.program = path;
}

void SetUserDataFolderOverride(std::u16string_view path) {
    auto& overrides = TheOverrides();
    std::lock_guard guard(overrides.lock);
    overrides.data = path;
}

void SetConfigFolderOverride(std::u16string_view path) {
    auto& overrides = TheOverrides();
    std::lock_guard guard(overrides.lock);
    overrides.config = path;
}

std::u16string ConfigFolderOverride() {
    {
        auto& overrides = TheOverrides();
        std::lock_guard guard(overrides.lock);
        if (!overrides.config.empty())
            return overrides.config;
    }
    return FromEnvironment("TESSALY_CONFIG_DIR").value_or(std::u16string());
}

bool CreateFolderPath(std::u16string_view path) {
    std::string narrow = ToUtf8(path);
    while (narrow.size() > 1 && narrow.back() == '/')
        narrow.pop_back();
    if (narrow.empty())
        return false;
    if (IsDirectory(narrow))
        return true;
    // Every level below the first separator in turn; failures (an existing
    // level) are ignored, only the whole path decides the result.
    const size_t first = narrow.find('/');
    if (first != std::string::npos) {
        for (size_t next = narrow.find('/', first + 1); next != std::string::npos;
             next = narrow.find('/', next + 1)) {
            ::mkdir(narrow.substr(0, next).c_str(), 0755);
        }
    }
    if (::mkdir(narrow.c_str(), 0755) == 0)
        return true;
    return errno == EEXIST && IsDirectory(narrow);
}

}  // namespace tessaly
