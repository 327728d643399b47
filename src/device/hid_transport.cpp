#include "device/hid_transport.h"

#include <algorithm>

#include "device/hid_trace.h"

namespace tessaly {

bool IsConfigurationCollection(uint16_t usage_page, uint16_t usage) {
    return (usage_page == kConfigUsagePage && usage == kConfigUsage) ||
           (usage_page == kConfigVendorUsagePage && usage == kConfigVendorUsage);
}

bool IsUpgradeCollection(uint16_t usage_page, uint16_t usage) {
    return usage_page == kUpgradeUsagePage && usage == kUpgradeUsage;
}

HidInterface::HidInterface(std::shared_ptr<HidBackend> backend,
                           std::unique_ptr<HidConnection> connection, std::string path)
    : backend_(std::move(backend)),
      connection_(std::move(connection)),
      path_(std::move(path)),
      read_buffer_(connection_->Lengths().input) {}

HidInterface::~HidInterface() = default;

size_t HidInterface::InputReportLength() const {
    return connection_->Lengths().input;
}

size_t HidInterface::OutputReportLength() const {
    return connection_->Lengths().output;
}

int HidInterface::Write(std::span<const uint8_t> report) {
    if (report.empty()) {
        last_error_ = "empty report";
        return -1;
    }
    const size_t length = connection_->Lengths().OutputLengthFor(report[0]);
    if (report.size() > length) {
        last_error_ = "report longer than the output report length";
        return -1;
    }
    write_buffer_.assign(length, 0);
    std::copy(report.begin(), report.end(), write_buffer_.begin());
    TraceHidWrite(path_, write_buffer_);
    const int written = connection_->WriteReport(write_buffer_);
    if (written < 0)
        last_error_ = connection_->LastError();
    return written;
}

int HidInterface::Read(std::span<uint8_t> buffer, int timeout_ms) {
    if (read_buffer_.empty()) {
        last_error_ = "interface has no input reports";
        return -1;
    }
    const int got = connection_->ReadReport(read_buffer_, timeout_ms);
    if (got < 0) {
        last_error_ = connection_->LastError();
        return -1;
    }
    if (got == 0) {
        TraceHidTimeout(path_);
        return 0;
    }
    std::span<const uint8_t> report(read_buffer_.data(), static_cast<size_t>(got));
    if (report[0] == 0)
        report = report.subspan(1);
    report = report.first(std::min(report.size(), buffer.size()));
    std::copy(report.begin(), report.end(), buffer.begin());
    TraceHidRead(path_, report);
    return static_cast<int>(report.size());
}

std::vector<HidInterfaceInfo> EnumerateHidInterfaces() {
    return ActiveHidBackend()->Enumerate();
}

std::unique_ptr<HidInterface> OpenHidInterface(const std::string& path) {
    auto backend = ActiveHidBackend();
    auto connection = backend->Open(path);
    if (!connection)
        return nullptr;
    return std::make_unique<HidInterface>(std::move(backend), std::move(connection), path);
}

bool IsConfigurationInterface(const std::string& path) {
    const auto entries = EnumerateHidInterfaces();
    return std::any_of(entries.begin(), entries.end(), [&](const HidInterfaceInfo& entry) {
        return entry.path == path && IsConfigurationCollection(entry.usage_page, entry.usage);
    });
}

}  // namespace tessaly
