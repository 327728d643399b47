#pragma once
// Sending commands: the exchange followed, on failure, by the command's trace.
// What else a failure calls for is the caller's (CommandSpec::failure_handling).

#include <cstdint>
#include <span>

#include "device/commands/macro_packets.h"
#include "device/report_framing.h"

namespace tessaly {

ExchangeResult SendCommand(HidInterface* interface, const CommandRequest& request);

struct MacroSendResult {
    bool refused = false;  // too many events: nothing was sent
    int packets = 0;
    int failed_packets = 0;
    bool ok() const { return !refused && failed_packets == 0; }
};

// Every packet is sent even after one fails; each failure is traced.
MacroSendResult SendMacro(HidInterface* interface, uint8_t button,
                          std::span<const MacroEventBytes> events);

}  // namespace tessaly
