#include "device/report_framing.h"

#include <algorithm>
#include <numeric>

#include "device/hid_transport.h"

namespace tessaly {
namespace {

constexpr uint8_t kStatusOk = 0x00;
constexpr uint8_t kReadIdentity = 0x10;

// The reports the mouse sends by itself. A link report for a lost mouse has
// N[1] = 0 where an answer has its status, so it would pass for an answer and
// its bytes be taken for the command's data; no command has these codes.
constexpr uint8_t kLinkReport = 0xC0;
constexpr uint8_t kStageReport = 0xC2;

// A report counts as an answer only when it is long enough to hold a status.
bool IsValidAnswer(std::span<const uint8_t> report) {
    return report.size() >= 2 && report[1] == kStatusOk && report[0] != kLinkReport &&
           report[0] != kStageReport;
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
        if (IsValidAnswer(report)) {
            result.failure = ExchangeFailure::kNone;
            break;
        }
    }
    return result;
}

bool ReadDeviceInfo(HidInterface& interface, InfoBlock& block) {
    block.fill(0);
    CommandRequest request(kReadIdentity, RequestLength::kShort);
    request[kChecksumOffset] = RequestChecksum(request.bytes());
    if (interface.Write(request.bytes()) <= 0)
        return false;
    std::array<uint8_t, static_cast<size_t>(RequestLength::kShort)> report{};
    for (int i = 0; i < kExchangeReads; ++i) {
        const int got = interface.Read(report, kExchangeReadTimeoutMs);
        if (got > 0 && IsValidAnswer(std::span<const uint8_t>(report.data(), got))) {
            std::copy_n(report.begin(), got, block.begin());
            return true;
        }
    }
    return false;
}

}  // namespace tessaly
