#include "device/report_framing.h"

#include <algorithm>
#include <numeric>

#include "base/trace.h"
#include "device/hid_transport.h"

namespace tessaly {
namespace {

constexpr uint8_t kReadIdentity = 0x10;

// The mouse echoes the command at A[0]. Taking any report with status 0 let a
// late answer to the previous command, or a link report of a lost mouse (whose
// N[1] = 0 stands where the status is), pass for this command's answer.
bool IsAnswerTo(std::span<const uint8_t> report, uint8_t command) {
    return report.size() >= 2 && report[0] == command && report[1] == kStatusOk;
}

void TraceDropped(std::span<const uint8_t> report, uint8_t command) {
    Trace(kTraceDevice, "0x%02X: dropped a report 0x%02X %02X while waiting for the answer",
          command, report[0], report.size() > 1 ? report[1] : 0);
}

}  // namespace

CommandRequest::CommandRequest(uint8_t command, RequestLength length)
    : size_(static_cast<size_t>(length)) {
    bytes_[1] = command;
}

void CommandRequest::SetPayload(size_t j, uint8_t value) {
    if (j < kPayloadLength)
        bytes_[kPayloadOffset + j] = value;
}

uint8_t RequestChecksum(std::span<const uint8_t> request) {
    const size_t end = std::min(request.size(), kChecksumOffset);
    if (end <= kPayloadOffset)
        return 0;
    const unsigned sum =
        std::accumulate(request.begin() + kPayloadOffset, request.begin() + end, 0u);
    return static_cast<uint8_t>(sum);
}

CommandAnswer::CommandAnswer(std::span<const uint8_t> delivered, size_t length)
    : size_(std::min(length, kMaxRequestLength)), delivered_(std::min(delivered.size(), size_)) {
    std::copy_n(delivered.begin(), delivered_, bytes_.begin());
}

ExchangeResult CommandExchange(HidInterface* interface, const CommandRequest& request) {
    ExchangeResult result;
    if (interface == nullptr) {
        result.failure = ExchangeFailure::kNoInterface;
        return result;
    }
    std::array<uint8_t, kMaxRequestLength> work{};
    const size_t n = request.size();
    std::copy_n(request.bytes().begin(), n, work.begin());
    work[kChecksumOffset] = RequestChecksum(request.bytes());
    if (interface->Write(std::span<const uint8_t>(work.data(), n)) <= 0) {
        result.failure = ExchangeFailure::kWriteFailed;
        return result;
    }
    result.failure = ExchangeFailure::kNoAnswer;
    while (result.reads < kExchangeReads) {
        ++result.reads;
        const int got = interface->Read(std::span<uint8_t>(work.data(), n), kExchangeReadTimeoutMs);
        if (got <= 0)
            continue;
        const std::span<const uint8_t> report(work.data(), static_cast<size_t>(got));
        result.answer = CommandAnswer(report, n);
        if (IsAnswerTo(report, request.command())) {
            result.failure = ExchangeFailure::kNone;
            break;
        }
        TraceDropped(report, request.command());
    }
    return result;
}

bool ReadDeviceInfo(HidInterface& interface, InfoBlock& block) {
    block.fill(0);
    const ExchangeResult result =
        CommandExchange(&interface, CommandRequest(kReadIdentity, RequestLength::kShort));
    if (!result.ok())
        return false;
    std::copy_n(result.answer.bytes().begin(), result.answer.delivered(), block.begin());
    return true;
}

}  // namespace tessaly
