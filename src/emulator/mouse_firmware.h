#pragma once
// The configuration interface's side of the protocol: each written request
// is answered from the mouse's state as the mouse would. Write commands store
// their payload and answer status 0, reads answer the stored payload, unknown
// commands and bad checksums answer a non-zero status.

#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "device/report_framing.h"
#include "emulator/virtual_mouse_state.h"

namespace tessaly::emulator {

enum class MouseLink { kCable, kReceiver };

inline constexpr uint8_t kStatusUnknownCommand = 0x01;
inline constexpr uint8_t kStatusBadChecksum = 0x02;
inline constexpr uint8_t kStatusUnreachable = 0x03;  // receiver without its mouse
inline constexpr uint8_t kStatusBadPacket = 0x04;    // macro packet out of sequence

class MouseFirmware {
  public:
    explicit MouseFirmware(VirtualMouseState& state) : state_(state) {}

    // `request` is the written report, report ID first. The answer is A
    // (without report ID): A[0] command, A[1] status, A[3] payload length,
    // A[4 …] payload.
    std::vector<uint8_t> Answer(MouseLink link, std::span<const uint8_t> request);

    // The setting a write request stores (its command and payload), or
    // nothing for any other request.
    static std::optional<std::pair<uint8_t, SettingBytes>> WrittenSetting(
        std::span<const uint8_t> request);

  private:
    struct Reply {
        uint8_t status = kStatusOk;
        std::vector<uint8_t> payload;
    };
    Reply Handle(MouseLink link, std::span<const uint8_t> request);
    Reply WriteSetting(uint8_t code, std::span<const uint8_t> request);
    Reply ReadSetting(uint8_t code) const;
    Reply Identity(MouseLink link) const;
    Reply MacroPacket(std::span<const uint8_t> request);
    Reply LightingControl(std::span<const uint8_t> request);

    VirtualMouseState& state_;
    std::vector<uint8_t> macro_;  // image being assembled
    int macro_next_ = 0;          // packet expected next
};

// The two reports the mouse sends by itself, as N (without report ID).
std::vector<uint8_t> LinkNotificationReport(const VirtualMouseState& state);
std::vector<uint8_t> DpiStageNotificationReport(uint8_t stage_byte);

// The next stage of the DPI button: index + 1 within the count, wrapping.
uint8_t NextDpiStage(uint8_t stage_byte);

}  // namespace tessaly::emulator
