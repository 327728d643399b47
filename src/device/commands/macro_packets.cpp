#include "device/commands/macro_packets.h"

#include <algorithm>

#include "device/commands/command_table.h"

namespace tessaly {
namespace {

constexpr size_t kSinglePacketEvents = 6;

}  // namespace

std::optional<std::vector<CommandRequest>> BuildMacroPackets(
    uint8_t button, std::span<const MacroEventBytes> events) {
    if (events.size() > kMaxMacroEvents)
        return std::nullopt;
    std::vector<uint8_t> image;
    image.reserve(1 + 4 * events.size());
    image.push_back(button);
    for (const auto& event : events)
        image.insert(image.end(), event.begin(), event.end());

    // Up to 6 events fit one packet; (1 + 4 * 6) = 25 bytes.
    const size_t packets = events.size() <= kSinglePacketEvents
                               ? 1
                               : (image.size() + kPayloadLength - 1) / kPayloadLength;
    std::vector<CommandRequest> requests;
    size_t offset = 0;
    for (size_t p = 0; p < packets; ++p) {
        const size_t length = std::min(kPayloadLength, image.size() - offset);
        CommandRequest request = NewRequest(Command::kWriteMacro);
        request[3] = static_cast<uint8_t>(p * 16 + packets);
        request[4] = static_cast<uint8_t>(length);
        for (size_t j = 0; j < length; ++j)
            request.SetPayload(j, image[offset + j]);
        offset += length;
        requests.push_back(request);
    }
    return requests;
}

}  // namespace tessaly
