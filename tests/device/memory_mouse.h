#pragma once
// A scripted mouse on the in-memory backend, with a manual clock so that
// 30 ms read time-outs cost no real time.

#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "device/hid_backend_memory.h"
#include "device/hid_transport.h"

namespace tessaly::test {

using namespace std::chrono_literals;

inline HidInterfaceInfo ConfigInfo(const std::string& path = "mem:config") {
    return HidInterfaceInfo{
        path, 0x1234, 0x5678, 0x0105, kConfigVendorUsagePage, kConfigVendorUsage, 1};
}

// An input report as the device sends it: report ID 0, then `data`.
inline std::vector<uint8_t> ConfigReport(std::vector<uint8_t> data, size_t length = 65) {
    data.insert(data.begin(), 0x00);
    data.resize(length, 0);
    return data;
}

// An answer to `request` (written report, report ID first) with the given
// status and payload: A[0] = command, A[1] = status, A[4...] = payload.
inline std::vector<uint8_t> AnswerTo(std::span<const uint8_t> request, uint8_t status,
                                     std::vector<uint8_t> payload = {}) {
    std::vector<uint8_t> data = {request[1], status, 0, static_cast<uint8_t>(payload.size())};
    data.insert(data.end(), payload.begin(), payload.end());
    return ConfigReport(data);
}

struct MemoryMouse {
    std::shared_ptr<ManualHidClock> clock = std::make_shared<ManualHidClock>();
    std::shared_ptr<MemoryHidBackend> backend = std::make_shared<MemoryHidBackend>(clock);
    std::shared_ptr<MemoryHidDevice> device;
    std::unique_ptr<HidInterface> interface;

    explicit MemoryMouse(size_t report_length = 65) {
        device = backend->AddDevice({ConfigInfo(), report_length, report_length});
        interface =
            std::make_unique<HidInterface>(backend, backend->Open("mem:config"), "mem:config");
    }
    // Every write is answered with status 0 and `payload` after `latency`.
    void AnswerEverything(std::vector<uint8_t> payload = {},
                          std::chrono::nanoseconds latency = 1ms) {
        device->SetFirmware([payload, latency](MemoryHidDevice& d, std::span<const uint8_t> r) {
            d.QueueInput(AnswerTo(r, 0x00, payload), latency);
        });
    }
};

inline std::vector<std::string> FileLines(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace tessaly::test
