#pragma once
// The command report and its exchange. A request R is 33 or 65 bytes:
// R[0] report ID 0, R[1] command, R[2] status 0, R[3] sequence, R[4] length
// byte, R[5..31] payload, R[32] checksum of R[5..31]; 65-byte requests carry
// zeros after that. The answer A is the input report without its report ID,
// so A[i] stands where R[i + 1] stands: A[1] is the status, A[4] the first
// payload byte.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tessaly {

class HidInterface;

enum class RequestLength : size_t { kShort = 33, kLong = 65 };

inline constexpr size_t kMaxRequestLength = 65;
inline constexpr size_t kPayloadOffset = 5;
inline constexpr size_t kPayloadLength = 27;
inline constexpr size_t kChecksumOffset = 32;
inline constexpr int kExchangeReads = 50;
inline constexpr int kExchangeReadTimeoutMs = 30;
// The answer's second byte when the mouse took the command.
inline constexpr uint8_t kStatusOk = 0x00;

class CommandRequest {
  public:
    CommandRequest(uint8_t command, RequestLength length);

    size_t size() const { return size_; }
    uint8_t command() const { return bytes_[1]; }
    uint8_t& operator[](size_t i) { return bytes_.at(i); }
    uint8_t operator[](size_t i) const { return bytes_.at(i); }
    std::span<const uint8_t> bytes() const { return {bytes_.data(), size_}; }

    // Payload byte j (R[5 + j]); j beyond the 27 payload bytes is ignored.
    void SetPayload(size_t j, uint8_t value);

  private:
    std::array<uint8_t, kMaxRequestLength> bytes_{};
    size_t size_;
};

// Sum of R[5..31] modulo 256; for either request length.
uint8_t RequestChecksum(std::span<const uint8_t> request);

// A delivered answer; bytes past what the device delivered read as 0.
class CommandAnswer {
  public:
    CommandAnswer() = default;
    CommandAnswer(std::span<const uint8_t> delivered, size_t length);

    size_t size() const { return size_; }
    size_t delivered() const { return delivered_; }
    uint8_t operator[](size_t i) const { return i < size_ ? bytes_[i] : 0; }
    std::span<const uint8_t> bytes() const { return {bytes_.data(), size_}; }

  private:
    std::array<uint8_t, kMaxRequestLength> bytes_{};
    size_t size_ = 0;
    size_t delivered_ = 0;
};

enum class ExchangeFailure { kNone, kNoInterface, kWriteFailed, kNoAnswer };

struct ExchangeResult {
    ExchangeFailure failure = ExchangeFailure::kNone;
    // The answer when ok(); after kNoAnswer the last report read, if any.
    CommandAnswer answer;
    int reads = 0;  // reads used
    bool ok() const { return failure == ExchangeFailure::kNone; }
};

// Writes the request with its checksum and takes the first answer to this
// command (A[0] the command, A[1] status 0) among at most 50 reads of 30 ms;
// time-outs, failed reads and other reports (another status, a notification,
// a late answer to an earlier command) each use up one read and are dropped.
// A null interface fails at once.
ExchangeResult CommandExchange(HidInterface* interface, const CommandRequest& request);

// The identity answer (command 0x10), A[0..32], zeros after.
using InfoBlock = std::array<uint8_t, 65>;

// Command 0x10 on a given interface, read with 33-byte reads. On failure the
// block is all zeros.
bool ReadDeviceInfo(HidInterface& interface, InfoBlock& block);

}  // namespace tessaly
