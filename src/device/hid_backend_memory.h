#pragma once
// Devices that live in memory: each has a path, ids, a usage, report lengths
// and a scriptable firmware that sees every written report and queues input
// reports with a delay. Tests build scenarios on it (late answers, reports
// slipped in, silence); the virtual mouse is such a device with a full
// firmware. Like hidraw, every open handle has its own input queue, and a
// report queued while a handle is closed is lost to it.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/hid_backend.h"
#include "device/hid_clock.h"

namespace tessaly {

struct MemoryHidDeviceConfig {
    HidInterfaceInfo info;
    // Report lengths including the report ID byte.
    size_t input_length = 65;
    size_t output_length = 65;
};

class MemoryHidDevice {
  public:
    // Runs on the writing thread, without any lock of the device held, so it
    // may queue input at once.
    using Firmware = std::function<void(MemoryHidDevice&, std::span<const uint8_t> report)>;

    MemoryHidDevice(MemoryHidDeviceConfig config, std::shared_ptr<HidClock> clock,
                    ReportLengths lengths);

    const HidInterfaceInfo& Info() const { return config_.info; }
    HidClock& Clock() const { return *clock_; }

    void SetFirmware(Firmware firmware);
    // `report` starts with its report ID. It reaches every handle open now,
    // `delay` after this call; reports become readable in order of that time.
    void QueueInput(std::vector<uint8_t> report,
                    std::chrono::nanoseconds delay = std::chrono::nanoseconds::zero());
    // While set, writes fail (-1) and the firmware does not see them.
    void SetWritesFail(bool fail);
    // Every report that reached the device, padded, report ID first.
    std::vector<std::vector<uint8_t>> WrittenReports() const;
    // Forgets them (a long run would otherwise keep every one).
    void ClearWrittenReports();
    int OpenHandles() const;

  private:
    friend class MemoryHidBackend;
    friend class MemoryHidConnection;
    struct Pending {
        HidClock::TimePoint due;
        std::vector<uint8_t> report;
    };
    struct Queue {
        std::vector<Pending> pending;  // ordered by due time
        bool interrupted = false;      // the next wait returns at once
    };

    std::shared_ptr<Queue> Attach();
    void Detach(const std::shared_ptr<Queue>& queue);
    void Unplug();
    int Write(std::span<const uint8_t> report, std::string& error);
    int Read(Queue& queue, std::span<uint8_t> buffer, int timeout_ms, std::string& error);
    void Interrupt(Queue& queue);

    const MemoryHidDeviceConfig config_;
    const ReportLengths lengths_;
    std::shared_ptr<HidClock> clock_;
    mutable std::mutex lock_;
    std::condition_variable arrived_;
    Firmware firmware_;
    bool writes_fail_ = false;
    bool unplugged_ = false;
    std::vector<std::shared_ptr<Queue>> queues_;
    std::vector<std::vector<uint8_t>> written_;
};

class MemoryHidBackend : public HidBackend {
  public:
    explicit MemoryHidBackend(std::shared_ptr<HidClock> clock = std::make_shared<SteadyHidClock>());

    // Null when a device with that path is present already.
    std::shared_ptr<MemoryHidDevice> AddDevice(MemoryHidDeviceConfig config);
    // The report lengths from the descriptor, as the hidapi backend learns
    // them (the config's when it cannot be parsed).
    std::shared_ptr<MemoryHidDevice> AddDevice(MemoryHidDeviceConfig config,
                                               std::span<const uint8_t> report_descriptor);
    // Unplugs the device: it leaves the enumeration and its open handles fail.
    bool RemoveDevice(const std::string& path);
    HidClock& Clock() const { return *clock_; }

    std::vector<HidInterfaceInfo> Enumerate() override;
    // While set, every open fails as on a node the user may not open.
    void SetOpenDenied(bool denied);

    std::unique_ptr<HidConnection> Open(const std::string& path) override;
    std::string LastOpenError() const override;
    bool LastOpenDenied() const override;

  private:
    std::shared_ptr<MemoryHidDevice> Add(MemoryHidDeviceConfig config,
                                         const ReportLengths& lengths);

    std::shared_ptr<HidClock> clock_;
    mutable std::mutex lock_;
    std::vector<std::shared_ptr<MemoryHidDevice>> devices_;
    std::string last_open_error_;
    bool open_denied_ = false;
    bool last_open_denied_ = false;
};

}  // namespace tessaly
