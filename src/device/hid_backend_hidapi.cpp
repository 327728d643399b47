#include "device/hid_backend_hidapi.h"

#include <hidapi/hidapi.h>

#include <fcntl.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

namespace tessaly {
namespace {

// hid_init and hid_exit are process-wide; every backend and every open device
// shares one initialisation, ended when the last of them goes.
class HidapiLibrary {
  public:
    static std::shared_ptr<HidapiLibrary> Acquire() {
        static std::mutex lock;
        static std::weak_ptr<HidapiLibrary> current;
        std::lock_guard guard(lock);
        auto library = current.lock();
        if (!library) {
            library = std::shared_ptr<HidapiLibrary>(new HidapiLibrary());
            current = library;
        }
        return library;
    }
    ~HidapiLibrary() {
        if (ok_)
            hid_exit();
    }
    bool ok() const { return ok_; }

  private:
    HidapiLibrary() : ok_(hid_init() == 0) {}
    bool ok_;
};

class HidapiConnection : public HidConnection {
  public:
    HidapiConnection(std::shared_ptr<HidapiLibrary> library, hid_device* device,
                     const ReportLengths& lengths)
        : library_(std::move(library)), device_(device), lengths_(lengths) {}
    ~HidapiConnection() override { hid_close(device_); }
    HidapiConnection(const HidapiConnection&) = delete;
    HidapiConnection& operator=(const HidapiConnection&) = delete;

    const ReportLengths& Lengths() const override { return lengths_; }

    int WriteReport(std::span<const uint8_t> report) override {
        return hid_write(device_, report.data(), report.size());
    }

    int ReadReport(std::span<uint8_t> buffer, int timeout_ms) override {
        if (lengths_.numbered)
            return hid_read_timeout(device_, buffer.data(), buffer.size(), timeout_ms);
        // hidraw delivers unnumbered reports without their ID byte; put the
        // 0 back so every backend delivers reports in the same form.
        if (buffer.empty())
            return 0;
        buffer[0] = 0;
        const int read =
            hid_read_timeout(device_, buffer.data() + 1, buffer.size() - 1, timeout_ms);
        return read > 0 ? read + 1 : read;
    }

    std::string LastError() const override { return HidErrorText(hid_error(device_)); }

  private:
    std::shared_ptr<HidapiLibrary> library_;
    hid_device* device_;
    ReportLengths lengths_;
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Why a hidraw node cannot be used, as hid_open_path would meet it: the
// open(2), then its first ioctl.
struct NodeProbe {
    const char* step = "";
    int error = 0;  // 0: both succeeded
};

NodeProbe ProbeHidrawNode(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return {"open", errno};
    NodeProbe probe;
    int size = 0;
    if (::ioctl(fd, HIDIOCGRDESCSIZE, &size) < 0)
        probe = {"HIDIOCGRDESCSIZE", errno};
    ::close(fd);
    return probe;
}

std::optional<ReportDescriptorInfo> DescribePath(const std::filesystem::path& sysfs_root,
                                                 const std::string& path) {
    auto bytes = ReadHidrawDescriptor(sysfs_root, path);
    if (!bytes)
        return std::nullopt;
    return ParseReportDescriptor(*bytes);
}

}  // namespace

std::string HidErrorText(const wchar_t* text) {
    std::string out;
    if (text == nullptr)
        return out;
    for (; *text != L'\0' && *text != L'\r' && *text != L'\n'; ++text)
        AppendUtf8(out, static_cast<char32_t>(*text));
    return out;
}

std::optional<std::vector<uint8_t>> ReadHidrawDescriptor(const std::filesystem::path& sysfs_root,
                                                         const std::string& path) {
    // Only the node name is taken from the path, so no path leads elsewhere.
    const std::string node = std::filesystem::path(path).filename().string();
    if (node.rfind("hidraw", 0) != 0)
        return std::nullopt;
    std::ifstream in(sysfs_root / "class" / "hidraw" / node / "device" / "report_descriptor",
                     std::ios::binary);
    if (!in)
        return std::nullopt;
    std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return bytes;
}

std::vector<HidInterfaceInfo> KeepTopLevelCollections(std::vector<HidInterfaceInfo> entries,
                                                      const std::filesystem::path& sysfs_root) {
    // hidapi's own usage pairs are not comparable with ours: it takes the last
    // Usage before any collection, nested ones included, and gives 0/0 for a
    // collection without a Usage item. So each path is listed once per
    // top-level collection of our own parse, with hidapi's ids.
    std::set<std::string> seen;
    std::vector<HidInterfaceInfo> kept;
    for (const auto& entry : entries) {
        if (!seen.insert(entry.path).second)
            continue;
        const auto info = DescribePath(sysfs_root, entry.path);
        if (!info)
            continue;
        for (const TopLevelCollection& collection : info->collections) {
            const bool listed =
                std::any_of(kept.begin(), kept.end(), [&](const HidInterfaceInfo& k) {
                    return k.path == entry.path && k.usage_page == collection.usage_page &&
                           k.usage == collection.usage;
                });
            if (listed)
                continue;
            HidInterfaceInfo top = entry;
            top.usage_page = collection.usage_page;
            top.usage = collection.usage;
            kept.push_back(std::move(top));
        }
    }
    return kept;
}

HidapiBackend::HidapiBackend(std::filesystem::path sysfs_root)
    : sysfs_root_(std::move(sysfs_root)) {}

HidapiBackend::~HidapiBackend() = default;

std::vector<HidInterfaceInfo> HidapiBackend::Enumerate() {
    std::vector<HidInterfaceInfo> entries;
    auto library = HidapiLibrary::Acquire();
    if (library->ok()) {
        hid_device_info* list = hid_enumerate(0, 0);
        for (const hid_device_info* info = list; info != nullptr; info = info->next) {
            if (info->path == nullptr)
                continue;
            entries.push_back(HidInterfaceInfo{info->path, info->vendor_id, info->product_id,
                                               info->release_number, info->usage_page, info->usage,
                                               info->interface_number});
        }
        hid_free_enumeration(list);
    }
    auto kept = KeepTopLevelCollections(std::move(entries), sysfs_root_);
    std::lock_guard guard(lock_);
    enumerated_paths_.clear();
    for (const auto& entry : kept)
        enumerated_paths_.insert(entry.path);
    return kept;
}

std::unique_ptr<HidConnection> HidapiBackend::Open(const std::string& path) {
    auto fail = [this](std::string why) {
        std::lock_guard guard(lock_);
        last_open_error_ = std::move(why);
        return nullptr;
    };
    {
        // hid_open_path is not safe on a path that is not a hidraw device.
        std::lock_guard guard(lock_);
        last_open_denied_ = false;
        if (enumerated_paths_.count(path) == 0) {
            last_open_error_ = "not an enumerated HID interface";
            return nullptr;
        }
    }
    auto info = DescribePath(sysfs_root_, path);
    if (!info)
        return fail("report descriptor unreadable");
    auto library = HidapiLibrary::Acquire();
    if (!library->ok())
        return fail("HID stack not initialised");
    hid_device* device = hid_open_path(path.c_str());
    if (device == nullptr) {
        // hidapi keeps only a text, and none at all when its first ioctl
        // fails ("Success"); the node itself tells the errno.
        const NodeProbe probe = ProbeHidrawNode(path);
        std::string why = HidErrorText(hid_error(nullptr));
        if (probe.error != 0 && (why.empty() || why == "Success"))
            why = std::string(probe.step) + ": " + std::strerror(probe.error);
        std::lock_guard guard(lock_);
        last_open_error_ = std::move(why);
        last_open_denied_ = probe.error == EACCES || probe.error == EPERM;
        return nullptr;
    }
    return std::make_unique<HidapiConnection>(std::move(library), device, info->lengths);
}

std::string HidapiBackend::LastOpenError() const {
    std::lock_guard guard(lock_);
    return last_open_error_;
}

bool HidapiBackend::LastOpenDenied() const {
    std::lock_guard guard(lock_);
    return last_open_denied_;
}

}  // namespace tessaly
