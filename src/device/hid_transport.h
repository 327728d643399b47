#pragma once
// The HID transport: enumeration, open, write, read with time-out, close.
// Whatever the backend, an open interface
//  - pads every write with zeros to the output report length of its report ID,
//  - removes report ID 0 from delivered input and keeps any other ID,
//  - cuts a report longer than the caller's buffer and drops the rest of it,
//  - keeps a report that arrives after a read timed out for the next read,
//  - writes every report to the HID trace.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "device/hid_backend.h"

namespace tessaly {

// The collections the system talks to, by usage page and usage.
inline constexpr uint16_t kConfigUsagePage = 0x0001;
inline constexpr uint16_t kConfigUsage = 0x0000;
inline constexpr uint16_t kConfigVendorUsagePage = 0xFF01;
inline constexpr uint16_t kConfigVendorUsage = 0x0010;
inline constexpr uint16_t kUpgradeUsagePage = 0xFFEF;
inline constexpr uint16_t kUpgradeUsage = 0x0000;
inline constexpr uint8_t kUpgradeReportId = 0x05;

bool IsConfigurationCollection(uint16_t usage_page, uint16_t usage);
bool IsUpgradeCollection(uint16_t usage_page, uint16_t usage);

// An open interface. Closing is destruction. One thread at a time.
class HidInterface {
  public:
    // Keeps `backend` alive for as long as the interface is open.
    HidInterface(std::shared_ptr<HidBackend> backend, std::unique_ptr<HidConnection> connection,
                 std::string path);
    ~HidInterface();
    HidInterface(const HidInterface&) = delete;
    HidInterface& operator=(const HidInterface&) = delete;

    const std::string& Path() const { return path_; }
    // Report ID byte included, as the HID stack counts them.
    size_t InputReportLength() const;
    size_t OutputReportLength() const;

    // `report` starts with its report ID. Bytes written (the padded length),
    // or -1; a report longer than its output report length is refused.
    int Write(std::span<const uint8_t> report);
    // Bytes delivered, 0 on time-out, -1 on failure.
    int Read(std::span<uint8_t> buffer, int timeout_ms);
    // The one call another thread may make: the Read waiting now, or else
    // the next one, returns 0 at once (where the backend can cut it short).
    void InterruptRead() { connection_->InterruptRead(); }
    const std::string& LastError() const { return last_error_; }

  private:
    std::shared_ptr<HidBackend> backend_;
    std::unique_ptr<HidConnection> connection_;
    std::string path_;
    std::vector<uint8_t> write_buffer_;
    std::vector<uint8_t> read_buffer_;
    std::string last_error_;
};

// Through the process-wide backend (ActiveHidBackend).
std::vector<HidInterfaceInfo> EnumerateHidInterfaces();
// Null when the interface cannot be used; the caller skips it.
std::unique_ptr<HidInterface> OpenHidInterface(const std::string& path);

// Whether an interface just announced at `path` is a configuration interface
// of the mouse. Answered from the enumeration entries of that path, since the
// report descriptor is what the capabilities would be read from; a path that
// is not listed (descriptor unreadable, device gone) answers false.
bool IsConfigurationInterface(const std::string& path);

}  // namespace tessaly
