#pragma once
// A macro's events as the four-byte records the mouse plays: event code,
// delay in milliseconds (little-endian), key usage, modifier bit or button.
// Delay events become the delay of the record before them.

#include <span>
#include <vector>

#include "device/commands/macro_packets.h"
#include "storage/rows.h"

namespace tessaly {

std::vector<MacroEventBytes> EncodeMacroEvents(std::span<const MacroEvent> events);
// The stored events of the macro, in record index order.
std::vector<MacroEventBytes> EncodeMacroEvents(int macro_id);

}  // namespace tessaly
