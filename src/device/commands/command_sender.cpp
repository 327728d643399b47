#include "device/commands/command_sender.h"

#include "base/trace.h"
#include "device/commands/command_table.h"

namespace tessaly {

ExchangeResult SendCommand(HidInterface* interface, const CommandRequest& request) {
    ExchangeResult result = CommandExchange(interface, request);
    if (!result.ok()) {
        const CommandSpec* row = FindCommand(request.command());
        if (row != nullptr && row->failure_trace != nullptr)
            Trace(kTraceDevice, "%s", row->failure_trace);
    }
    return result;
}

MacroSendResult SendMacro(HidInterface* interface, uint8_t button,
                          std::span<const MacroEventBytes> events) {
    MacroSendResult result;
    auto packets = BuildMacroPackets(button, events);
    if (!packets) {
        Trace(kTraceDevice, "0x08: macro of %zu events not sent, at most %zu fit", events.size(),
              kMaxMacroEvents);
        result.refused = true;
        return result;
    }
    for (const auto& packet : *packets) {
        ++result.packets;
        if (!SendCommand(interface, packet).ok())
            ++result.failed_packets;
    }
    return result;
}

}  // namespace tessaly
