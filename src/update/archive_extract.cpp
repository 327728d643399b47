#include "update/archive_extract.h"

#include <unzip.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace tessaly {
namespace fs = std::filesystem;

namespace {

struct ZipCloser {
    void operator()(void* zip) const { unzClose(static_cast<unzFile>(zip)); }
};
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using Zip = std::unique_ptr<void, ZipCloser>;
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr size_t kChunkBytes = 64 * 1024;
constexpr size_t kMaxNameBytes = 4096;

std::string WithSlashes(std::string_view name) {
    std::string result(name);
    for (char& c : result) {
        if (c == '\\') {
            c = '/';
        }
    }
    return result;
}

// Whether `path` lies inside `root`; both absolute and free of "." and "..".
bool Within(const fs::path& root, const fs::path& path) {
    auto r = root.begin();
    auto p = path.begin();
    for (; r != root.end(); ++r, ++p) {
        if (r->empty()) {
            continue;  // a trailing separator of the root
        }
        if (p == path.end() || *r != *p) {
            return false;
        }
    }
    return true;
}

class Extractor {
  public:
    Extractor(unzFile zip, const std::string& folder, uint64_t max_bytes)
        : zip_(zip), max_bytes_(max_bytes) {
        std::error_code error;
        root_ = fs::weakly_canonical(fs::absolute(folder, error), error);
    }

    void Entry() {
        unz_file_info info{};
        std::vector<char> name(kMaxNameBytes + 1, '\0');
        if (unzGetCurrentFileInfo(zip_, &info, name.data(), kMaxNameBytes, nullptr, 0, nullptr,
                                  0) != UNZ_OK) {
            return;
        }
        const std::string stored(name.data());
        if (!IsSafeEntryName(stored)) {
            return;
        }
        const std::string relative = WithSlashes(stored);
        const fs::path target = (root_ / fs::path(relative)).lexically_normal();
        if (!Within(root_, target)) {
            return;
        }
        std::error_code error;
        if (relative.back() == '/') {
            fs::create_directories(target, error);
            return;
        }
        fs::create_directories(target.parent_path(), error);
        // A folder on the way may be a link that leads elsewhere.
        const fs::path real_parent = fs::weakly_canonical(target.parent_path(), error);
        if (error || !Within(root_, real_parent) || fs::is_symlink(target, error)) {
            return;
        }
        WriteEntry(target);
    }

    bool Exhausted() const { return written_ >= max_bytes_; }

  private:
    void WriteEntry(const fs::path& target) {
        if (unzOpenCurrentFile(zip_) != UNZ_OK) {
            return;
        }
        File file(std::fopen(target.c_str(), "wb"));
        bool complete = file != nullptr;
        std::vector<char> chunk(kChunkBytes);
        while (complete) {
            const int got = unzReadCurrentFile(zip_, chunk.data(), kChunkBytes);
            if (got <= 0) {
                complete = got == 0;
                break;
            }
            if (written_ + static_cast<uint64_t>(got) > max_bytes_) {
                written_ = max_bytes_;
                complete = false;
                break;
            }
            written_ += static_cast<uint64_t>(got);
            complete = std::fwrite(chunk.data(), 1, static_cast<size_t>(got), file.get()) ==
                       static_cast<size_t>(got);
        }
        // The CRC is checked here, once the whole entry has been read: an entry
        // that fails it is damaged and none of it is kept.
        if (unzCloseCurrentFile(zip_) != UNZ_OK) {
            complete = false;
        }
        if (file && std::fclose(file.release()) != 0) {
            complete = false;
        }
        if (!complete) {
            std::error_code ignored;
            fs::remove(target, ignored);
        }
    }

    unzFile zip_;
    uint64_t max_bytes_;
    uint64_t written_ = 0;
    fs::path root_;
};

}  // namespace

bool IsSafeEntryName(std::string_view name) {
    if (name.empty() || name.front() == '/' || name.front() == '\\') {
        return false;
    }
    if (name.size() >= 2 && name[1] == ':') {
        return false;  // a drive prefix
    }
    const std::string path = WithSlashes(name);
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (path.compare(start, end - start, "..") == 0 && end - start == 2) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

bool ExtractArchive(const std::string& archive, const std::string& folder, uint64_t max_bytes) {
    Zip zip(unzOpen64(archive.c_str()));
    if (!zip) {
        return false;
    }
    auto* handle = static_cast<unzFile>(zip.get());
    Extractor extractor(handle, folder, max_bytes);
    for (int status = unzGoToFirstFile(handle); status == UNZ_OK && !extractor.Exhausted();
         status = unzGoToNextFile(handle)) {
        extractor.Entry();
    }
    return true;
}

}  // namespace tessaly
