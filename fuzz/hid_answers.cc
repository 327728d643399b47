// Random answer and notification reports through the in-memory transport:
// the command exchange, the identity read and every decoder must take any
// report without reading out of bounds.
//
// Input: [command][input length][output length], then reports, each
// [size][delay in ms][size bytes], queued when the request is written.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "device/commands/answer_decoders.h"
#include "device/commands/command_builders.h"
#include "device/hid_backend_memory.h"
#include "device/hid_transport.h"
#include "device/report_framing.h"

namespace {

using namespace tessaly;

struct Scripted {
    std::chrono::milliseconds delay;
    std::vector<uint8_t> report;
};

std::vector<Scripted> Reports(const uint8_t* data, size_t size) {
    std::vector<Scripted> reports;
    size_t at = 0;
    while (at + 2 <= size) {
        const size_t length = std::min<size_t>(data[at], size - at - 2);
        const auto delay = std::chrono::milliseconds(data[at + 1] * 8);
        reports.push_back({delay, std::vector<uint8_t>(data + at + 2, data + at + 2 + length)});
        at += 2 + length;
    }
    return reports;
}

void DecodeAll(std::span<const uint8_t> a) {
    if (auto identity = DecodeIdentity(a))
        (void)DeviceIdText(identity->device_id);
    (void)DecodeReportRate(a);
    (void)DecodeDpiStages(a);
    (void)DecodeDpiColours(a);
    (void)DecodeLighting(a);
    (void)DecodeLiftOffSensor(a);
    (void)DecodeSleepResponse(a);
    (void)DecodeVersion(a);
    (void)DecodeNotification(a);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3)
        return 0;
    const uint8_t command = data[0];
    const size_t input_length = data[1] % 70;
    const size_t output_length = data[2] % 4 == 0 ? data[2] % 70 : (data[2] % 2 ? 65 : 33);
    const auto scripted = Reports(data + 3, size - 3);

    auto clock = std::make_shared<ManualHidClock>();
    auto backend = std::make_shared<MemoryHidBackend>(clock);
    auto device =
        backend->AddDevice({{"fuzz", 1, 2, 3, kConfigVendorUsagePage, kConfigVendorUsage, 0},
                            input_length,
                            output_length});
    device->SetFirmware([&scripted](MemoryHidDevice& d, std::span<const uint8_t>) {
        for (const auto& s : scripted)
            d.QueueInput(s.report, s.delay);
    });
    HidInterface interface(backend, backend->Open("fuzz"), "fuzz");

    for (const auto& s : scripted)
        DecodeAll(s.report);

    CommandRequest request(command, command & 1 ? RequestLength::kLong : RequestLength::kShort);
    const ExchangeResult result = CommandExchange(&interface, request);
    if (result.answer.size() > 0) {
        DecodeAll(result.answer.bytes());
        DecodeAll(result.answer.bytes().first(result.answer.delivered()));
    }

    InfoBlock block;
    if (ReadDeviceInfo(interface, block))
        DecodeAll(block);

    // Whatever is left in the queue goes to the notification decoder as the
    // idle poll would read it.
    std::array<uint8_t, 65> report{};
    for (int i = 0; i < 4; ++i) {
        const int got = interface.Read(report, 100);
        if (got > 0)
            DecodeAll(std::span<const uint8_t>(report.data(), static_cast<size_t>(got)));
    }
    return 0;
}
