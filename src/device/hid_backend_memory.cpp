#include "device/hid_backend_memory.h"

#include <algorithm>

namespace tessaly {
namespace {

ReportLengths LengthsOf(const MemoryHidDeviceConfig& config) {
    ReportLengths lengths;
    lengths.input = config.input_length;
    lengths.output = config.output_length;
    return lengths;
}

}  // namespace

class MemoryHidConnection : public HidConnection {
  public:
    explicit MemoryHidConnection(std::shared_ptr<MemoryHidDevice> device)
        : device_(std::move(device)), queue_(device_->Attach()) {}
    ~MemoryHidConnection() override { device_->Detach(queue_); }
    MemoryHidConnection(const MemoryHidConnection&) = delete;
    MemoryHidConnection& operator=(const MemoryHidConnection&) = delete;

    const ReportLengths& Lengths() const override { return device_->lengths_; }
    int WriteReport(std::span<const uint8_t> report) override {
        return device_->Write(report, error_);
    }
    int ReadReport(std::span<uint8_t> buffer, int timeout_ms) override {
        return device_->Read(*queue_, buffer, timeout_ms, error_);
    }
    void InterruptRead() override { device_->Interrupt(*queue_); }
    std::string LastError() const override { return error_; }

  private:
    std::shared_ptr<MemoryHidDevice> device_;
    std::shared_ptr<MemoryHidDevice::Queue> queue_;
    std::string error_;
};

MemoryHidDevice::MemoryHidDevice(MemoryHidDeviceConfig config, std::shared_ptr<HidClock> clock,
                                 ReportLengths lengths)
    : config_(std::move(config)), lengths_(lengths), clock_(std::move(clock)) {}

void MemoryHidDevice::SetFirmware(Firmware firmware) {
    std::lock_guard guard(lock_);
    firmware_ = std::move(firmware);
}

void MemoryHidDevice::QueueInput(std::vector<uint8_t> report, std::chrono::nanoseconds delay) {
    std::lock_guard guard(lock_);
    const auto due = clock_->Now() + delay;
    for (auto& queue : queues_) {
        auto& pending = queue->pending;
        auto at =
            std::upper_bound(pending.begin(), pending.end(), due,
                             [](HidClock::TimePoint t, const Pending& p) { return t < p.due; });
        pending.insert(at, Pending{due, report});
    }
    arrived_.notify_all();
}

void MemoryHidDevice::SetWritesFail(bool fail) {
    std::lock_guard guard(lock_);
    writes_fail_ = fail;
}

std::vector<std::vector<uint8_t>> MemoryHidDevice::WrittenReports() const {
    std::lock_guard guard(lock_);
    return written_;
}

void MemoryHidDevice::ClearWrittenReports() {
    std::lock_guard guard(lock_);
    written_.clear();
}

int MemoryHidDevice::OpenHandles() const {
    std::lock_guard guard(lock_);
    return static_cast<int>(queues_.size());
}

std::shared_ptr<MemoryHidDevice::Queue> MemoryHidDevice::Attach() {
    std::lock_guard guard(lock_);
    queues_.push_back(std::make_shared<Queue>());
    return queues_.back();
}

void MemoryHidDevice::Detach(const std::shared_ptr<Queue>& queue) {
    std::lock_guard guard(lock_);
    std::erase(queues_, queue);
}

void MemoryHidDevice::Unplug() {
    std::lock_guard guard(lock_);
    unplugged_ = true;
    arrived_.notify_all();
}

int MemoryHidDevice::Write(std::span<const uint8_t> report, std::string& error) {
    Firmware firmware;
    {
        std::lock_guard guard(lock_);
        if (unplugged_) {
            error = "device removed";
            return -1;
        }
        if (writes_fail_) {
            error = "write refused by the device";
            return -1;
        }
        written_.emplace_back(report.begin(), report.end());
        firmware = firmware_;
    }
    if (firmware)
        firmware(*this, report);
    return static_cast<int>(report.size());
}

void MemoryHidDevice::Interrupt(Queue& queue) {
    std::lock_guard guard(lock_);
    queue.interrupted = true;
    arrived_.notify_all();
}

int MemoryHidDevice::Read(Queue& queue, std::span<uint8_t> buffer, int timeout_ms,
                          std::string& error) {
    std::unique_lock lock(lock_);
    const auto deadline = timeout_ms < 0 ? HidClock::TimePoint::max()
                                         : clock_->Now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        if (unplugged_) {
            error = "device removed";
            return -1;
        }
        const auto now = clock_->Now();
        if (!queue.pending.empty() && queue.pending.front().due <= now) {
            const auto report = std::move(queue.pending.front().report);
            queue.pending.erase(queue.pending.begin());
            const size_t count = std::min(report.size(), buffer.size());
            std::copy_n(report.begin(), count, buffer.begin());
            return static_cast<int>(count);
        }
        if (queue.interrupted) {
            queue.interrupted = false;
            return 0;
        }
        if (now >= deadline)
            return 0;
        auto wake = deadline;
        if (!queue.pending.empty())
            wake = std::min(wake, queue.pending.front().due);
        if (!clock_->WaitUntil(lock, arrived_, wake)) {
            error = "no report can arrive";
            return -1;
        }
    }
}

MemoryHidBackend::MemoryHidBackend(std::shared_ptr<HidClock> clock) : clock_(std::move(clock)) {}

std::shared_ptr<MemoryHidDevice> MemoryHidBackend::AddDevice(MemoryHidDeviceConfig config) {
    const ReportLengths lengths = LengthsOf(config);
    return Add(std::move(config), lengths);
}

std::shared_ptr<MemoryHidDevice> MemoryHidBackend::AddDevice(
    MemoryHidDeviceConfig config, std::span<const uint8_t> report_descriptor) {
    const auto info = ParseReportDescriptor(report_descriptor);
    const ReportLengths lengths = info ? info->lengths : LengthsOf(config);
    return Add(std::move(config), lengths);
}

std::shared_ptr<MemoryHidDevice> MemoryHidBackend::Add(MemoryHidDeviceConfig config,
                                                       const ReportLengths& lengths) {
    std::lock_guard guard(lock_);
    for (const auto& device : devices_) {
        if (device->Info().path == config.info.path)
            return nullptr;
    }
    devices_.push_back(std::make_shared<MemoryHidDevice>(std::move(config), clock_, lengths));
    return devices_.back();
}

bool MemoryHidBackend::RemoveDevice(const std::string& path) {
    std::lock_guard guard(lock_);
    auto it = std::find_if(devices_.begin(), devices_.end(),
                           [&](const auto& device) { return device->Info().path == path; });
    if (it == devices_.end())
        return false;
    (*it)->Unplug();
    devices_.erase(it);
    return true;
}

std::vector<HidInterfaceInfo> MemoryHidBackend::Enumerate() {
    std::lock_guard guard(lock_);
    std::vector<HidInterfaceInfo> entries;
    for (const auto& device : devices_)
        entries.push_back(device->Info());
    return entries;
}

void MemoryHidBackend::SetOpenDenied(bool denied) {
    std::lock_guard guard(lock_);
    open_denied_ = denied;
}

std::unique_ptr<HidConnection> MemoryHidBackend::Open(const std::string& path) {
    std::lock_guard guard(lock_);
    last_open_denied_ = false;
    for (const auto& device : devices_) {
        if (device->Info().path != path)
            continue;
        if (open_denied_) {
            last_open_error_ = "Permission denied";
            last_open_denied_ = true;
            return nullptr;
        }
        return std::make_unique<MemoryHidConnection>(device);
    }
    last_open_error_ = "no such device";
    return nullptr;
}

std::string MemoryHidBackend::LastOpenError() const {
    std::lock_guard guard(lock_);
    return last_open_error_;
}

bool MemoryHidBackend::LastOpenDenied() const {
    std::lock_guard guard(lock_);
    return last_open_denied_;
}

}  // namespace tessaly
