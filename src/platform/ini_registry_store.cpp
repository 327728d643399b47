#include "platform/ini_registry_store.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/application_name.h"
#include "base/atomic_file.h"
#include "base/unicode.h"
#include "platform/folders.h"
#include "platform/home_folder.h"
#include "platform/ini_file.h"

namespace tessaly {
namespace {

std::mutex& StoreLock() {
    static std::mutex lock;
    return lock;
}

enum class ReadOutcome { kRead, kAbsent, kFailed };

ReadOutcome ReadWhole(const std::string& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ReadOutcome::kAbsent : ReadOutcome::kFailed;
    struct stat info {};
    ReadOutcome outcome = ReadOutcome::kRead;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        outcome = ReadOutcome::kFailed;
    char buffer[4096];
    while (outcome == ReadOutcome::kRead) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno != EINTR)
                outcome = ReadOutcome::kFailed;
            continue;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return outcome;
}

bool WriteAtomically(const std::string& path, const std::string& bytes) {
    CreateFolderPath(FromUtf8(std::filesystem::path(path).parent_path().string()));
    return ReplaceFile(path, bytes) == 0;
}

std::shared_ptr<RegistryStore>& InjectedStore() {
    static std::shared_ptr<RegistryStore> store;
    return store;
}

std::mutex& InjectionLock() {
    static std::mutex lock;
    return lock;
}

}  // namespace

IniRegistryStore::IniRegistryStore(std::string file_path) : file_path_(std::move(file_path)) {}

KeyOpen IniRegistryStore::OpenKey(std::u16string_view key) {
    std::lock_guard guard(StoreLock());
    std::string bytes;
    switch (ReadWhole(file_path_, bytes)) {
        case ReadOutcome::kAbsent:
            return KeyOpen::kMissing;
        case ReadOutcome::kFailed:
            return KeyOpen::kFailed;
        case ReadOutcome::kRead:
            break;
    }
    return IniFile::Parse(bytes).HasSection(key) ? KeyOpen::kOpened : KeyOpen::kMissing;
}

bool IniRegistryStore::CreateKey(std::u16string_view key) {
    std::lock_guard guard(StoreLock());
    std::string bytes;
    if (ReadWhole(file_path_, bytes) == ReadOutcome::kFailed)
        return false;
    IniFile ini = IniFile::Parse(bytes);
    if (ini.HasSection(key))
        return true;
    ini.AddSection(key);
    return WriteAtomically(file_path_, ini.Serialise());
}

std::optional<std::u16string> IniRegistryStore::ReadValue(std::u16string_view key,
                                                          std::u16string_view name) {
    std::lock_guard guard(StoreLock());
    std::string bytes;
    if (ReadWhole(file_path_, bytes) != ReadOutcome::kRead)
        return std::nullopt;
    return IniFile::Parse(bytes).Get(key, name);
}

bool IniRegistryStore::WriteValue(std::u16string_view key, std::u16string_view name,
                                  std::u16string_view text) {
    // A line break would split the value into a line of its own.
    if (text.find_first_of(u"\r\n") != std::u16string_view::npos)
        return false;
    std::lock_guard guard(StoreLock());
    std::string bytes;
    if (ReadWhole(file_path_, bytes) != ReadOutcome::kRead)
        return false;
    IniFile ini = IniFile::Parse(bytes);
    if (!ini.HasSection(key))
        return false;
    ini.Set(key, name, text);
    return WriteAtomically(file_path_, ini.Serialise());
}

std::string ConfigHomeFolder() {
    if (std::u16string chosen = ConfigFolderOverride(); !chosen.empty()) {
        std::string path = ToUtf8(chosen);
        while (path.size() > 1 && path.back() == '/')
            path.pop_back();
        return path;
    }
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg != '\0') {
        return xdg;
    }
    return HomeFolderPath().value_or(std::string()) + "/.config";
}

std::shared_ptr<RegistryStore> CurrentRegistryStore() {
    std::lock_guard guard(InjectionLock());
    auto& injected = InjectedStore();
    if (injected)
        return injected;
    // One store per file: the application name can change once config.xml
    // is read, and the folder with --config-dir.
    static std::mutex default_lock;
    static std::string default_path;
    static std::shared_ptr<IniRegistryStore> default_store;
    std::lock_guard default_guard(default_lock);
    const std::string path = ConfigHomeFolder() + "/" + ApplicationFileName() + "/registry.ini";
    if (!default_store || default_path != path) {
        default_path = path;
        default_store = std::make_shared<IniRegistryStore>(path);
    }
    return default_store;
}

void SetRegistryStore(std::shared_ptr<RegistryStore> store) {
    std::lock_guard guard(InjectionLock());
    InjectedStore() = std::move(store);
}

}  // namespace tessaly
