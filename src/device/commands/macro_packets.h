#pragma once
// The macro image of one button (the button index, then four bytes per
// event) cut into command 0x08 packets. The sequence byte numbers at most 15
// packets of 27 bytes, so a macro of more than 101 events cannot be carried
// and is refused whole.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "device/report_framing.h"

namespace tessaly {

using MacroEventBytes = std::array<uint8_t, 4>;

inline constexpr size_t kMaxMacroPackets = 15;
inline constexpr size_t kMaxMacroEvents = (kMaxMacroPackets * kPayloadLength - 1) / 4;  // 101

// Nullopt when there are more than kMaxMacroEvents events.
std::optional<std::vector<CommandRequest>> BuildMacroPackets(
    uint8_t button, std::span<const MacroEventBytes> events);

}  // namespace tessaly
