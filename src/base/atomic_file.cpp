#include "base/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <optional>

namespace tessaly {
namespace {

// As the kernel counts links before it gives up with ELOOP.
constexpr int kMaxLinks = 40;

std::string Folder(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string FileName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The path with every link on its last component followed; nothing (and
// errno) when a link cannot be read or the chain is too long.
std::optional<std::string> FinalTarget(std::string path) {
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
            return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
        if (n <= 0) {
            errno = n < 0 ? errno : ENOENT;
            return std::nullopt;
        }
        target.resize(static_cast<size_t>(n));
        path = target.front() == '/' ? target : Folder(path) + "/" + target;
    }
    errno = ELOOP;
    return std::nullopt;
}

// A new file beside the target, with the mode a new file gets (the umask
// applies); -1 and errno on failure.
int CreateBeside(const std::string& target, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = Folder(target) + "/." + FileName(target) + ".tmp-" +
                    std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

int WriteAll(int fd, std::string_view bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        written += static_cast<size_t>(n);
    }
    return 0;
}

// The rename is only durable once the folder's entry is on the disk too.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

int ReplaceFile(const std::string& path, std::string_view bytes) {
    const std::optional<std::string> target = FinalTarget(path);
    if (!target)
        return errno;
    struct stat existing {};
    const bool exists = ::stat(target->c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return errno;
    // A device, a pipe or a folder is never replaced by a file.
    if (exists && !S_ISREG(existing.st_mode))
        return EINVAL;

    std::string temporary;
    const int fd = CreateBeside(*target, temporary);
    if (fd < 0)
        return errno;
    int error = WriteAll(fd, bytes);
    if (error == 0 && exists && ::fchmod(fd, existing.st_mode & 07777) != 0)
        error = errno;
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(temporary.c_str(), target->c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    SyncFolder(Folder(*target));
    return 0;
}

}  // namespace tessaly
