#pragma once
// Real devices through hidapi's hidraw backend. The report lengths and the
// top-level collections come from the report descriptor the kernel exposes in
// sysfs, because hidapi on Linux neither pads writes nor lists only top-level
// collections.

#include <filesystem>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "device/hid_backend.h"

namespace tessaly {

class HidapiBackend : public HidBackend {
  public:
    // `sysfs_root` is where "class/hidraw" is looked up; tests pass a fake tree.
    explicit HidapiBackend(std::filesystem::path sysfs_root = "/sys");
    ~HidapiBackend() override;

    std::vector<HidInterfaceInfo> Enumerate() override;
    std::unique_ptr<HidConnection> Open(const std::string& path) override;
    std::string LastOpenError() const override;
    bool LastOpenDenied() const override;

  private:
    std::filesystem::path sysfs_root_;
    mutable std::mutex lock_;
    std::set<std::string> enumerated_paths_;
    std::string last_open_error_;
    bool last_open_denied_ = false;
};

// The report descriptor of a hidraw device path ("/dev/hidraw3"), read from
// <sysfs_root>/class/hidraw/hidraw3/device/report_descriptor.
std::optional<std::vector<uint8_t>> ReadHidrawDescriptor(const std::filesystem::path& sysfs_root,
                                                         const std::string& path);

// Enumeration as hidapi gives it lists nested collections too, each under the
// path of its device, with usage pairs of its own reckoning. Lists each path
// once per top-level collection of its descriptor (usage page and usage as
// our parse gives them, ids from hidapi's first entry of that path), in
// order; drops the paths whose descriptor cannot be read or parsed.
std::vector<HidInterfaceInfo> KeepTopLevelCollections(std::vector<HidInterfaceInfo> entries,
                                                      const std::filesystem::path& sysfs_root);

// hidapi's wide error texts, as UTF-8 cut at the first carriage return or line feed.
std::string HidErrorText(const wchar_t* text);

}  // namespace tessaly
