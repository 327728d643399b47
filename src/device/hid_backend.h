#pragma once
// The seam between the transport and whatever carries the reports: hidapi for
// real devices, an in-memory backend for tests and the virtual mouse. A
// backend moves whole reports; the guarantees callers rely on (padding,
// report ID removal, cutting to the caller's buffer, tracing) are added once,
// above it, by HidInterface.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "device/hid_report_descriptor.h"

namespace tessaly {

// One HID top-level collection of a device present.
struct HidInterfaceInfo {
    std::string path;  // the key for opening it
    uint16_t vendor_id = 0;
    uint16_t product_id = 0;
    uint16_t release_number = 0;  // bcdDevice
    uint16_t usage_page = 0;
    uint16_t usage = 0;
    int interface_number = -1;  // USB interface number, -1 when unknown
    bool operator==(const HidInterfaceInfo&) const = default;
};

// An open device as the backend sees it. Used by one thread at a time.
class HidConnection {
  public:
    virtual ~HidConnection() = default;

    virtual const ReportLengths& Lengths() const = 0;
    // `report` starts with its report ID (0 for unnumbered reports) and is
    // already padded. Bytes written, or -1.
    virtual int WriteReport(std::span<const uint8_t> report) = 0;
    // One input report, report ID first (0 for unnumbered reports), cut to
    // `buffer`. Bytes copied, 0 on time-out, -1 on failure. A negative
    // time-out waits without limit. A report that arrives after a time-out is
    // kept for the next call.
    virtual int ReadReport(std::span<uint8_t> buffer, int timeout_ms) = 0;
    virtual std::string LastError() const = 0;
    // From any thread: the ReadReport waiting now, or else the next one,
    // returns 0 at once. A backend that cannot cut a wait short lets it run
    // to its time-out.
    virtual void InterruptRead() {}
};

class HidBackend {
  public:
    virtual ~HidBackend() = default;
    // Every top-level collection of every device, once each; not filtered by ids.
    virtual std::vector<HidInterfaceInfo> Enumerate() = 0;
    // Null when the path cannot be opened, is not a device the last
    // enumeration listed, or its report lengths cannot be learnt.
    virtual std::unique_ptr<HidConnection> Open(const std::string& path) = 0;
    // Why the last Open failed.
    virtual std::string LastOpenError() const = 0;
    // The last Open failed because the user may not open the device node
    // (hidraw nodes are root's unless a udev rule grants access).
    virtual bool LastOpenDenied() const = 0;
};

// The process-wide backend: hidapi unless one was set (tests, virtual mouse).
// Callers keep the pointer for as long as they use what it opened.
std::shared_ptr<HidBackend> ActiveHidBackend();
// Replaces the process-wide backend; null brings back the hidapi one. Returns
// the one set before (null when that was the hidapi default).
std::shared_ptr<HidBackend> SetHidBackend(std::shared_ptr<HidBackend> backend);

// Sets a backend for one scope and restores the previous one.
class ScopedHidBackend {
  public:
    explicit ScopedHidBackend(std::shared_ptr<HidBackend> backend)
        : previous_(SetHidBackend(std::move(backend))) {}
    ~ScopedHidBackend() { SetHidBackend(std::move(previous_)); }
    ScopedHidBackend(const ScopedHidBackend&) = delete;
    ScopedHidBackend& operator=(const ScopedHidBackend&) = delete;

  private:
    std::shared_ptr<HidBackend> previous_;
};

}  // namespace tessaly
