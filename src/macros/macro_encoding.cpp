#include "macros/macro_encoding.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "buttons/key_usage.h"
#include "macros/macro_event_texts.h"
#include "storage/macro_table.h"

namespace tessaly {
namespace {

constexpr uint8_t kCodeMousePress = 0x10;
constexpr uint8_t kCodeModifierPress = 0x20;
constexpr uint8_t kCodeKeyPress = 0x30;
constexpr uint8_t kReleaseFlag = 0x80;

// Left and right Shift, Ctrl, Alt, and the two Windows keys.
constexpr int kModifierKeys[] = {160, 161, 162, 163, 164, 165, 91, 92};

bool IsModifierKey(int code) {
    return std::ranges::find(kModifierKeys, code) != std::end(kModifierKeys);
}

std::optional<MacroEventBytes> RecordFor(const MacroEvent& event) {
    const bool release = event.type == kEventKeyRelease || event.type == kEventMouseRelease;
    const uint8_t flag = release ? kReleaseFlag : 0;
    switch (event.type) {
        case kEventKeyPress:
        case kEventKeyRelease:
            if (IsModifierKey(event.value)) {
                return MacroEventBytes{static_cast<uint8_t>(kCodeModifierPress | flag), 1, 0,
                                       static_cast<uint8_t>(ModifierBit(event.value))};
            }
            return MacroEventBytes{static_cast<uint8_t>(kCodeKeyPress | flag), 1, 0,
                                   static_cast<uint8_t>(VirtualKeyToUsage(event.value))};
        case kEventMousePress:
        case kEventMouseRelease:
            return MacroEventBytes{static_cast<uint8_t>(kCodeMousePress | flag), 1, 0,
                                   static_cast<uint8_t>(event.value & 0xFF)};
        default:
            return std::nullopt;
    }
}

// Only the low 16 bits of a sum go to the mouse.
void SetDelay(MacroEventBytes& record, int64_t milliseconds) {
    record[1] = static_cast<uint8_t>(milliseconds & 0xFF);
    record[2] = static_cast<uint8_t>((milliseconds >> 8) & 0xFF);
}

}  // namespace

std::vector<MacroEventBytes> EncodeMacroEvents(std::span<const MacroEvent> events) {
    std::vector<MacroEventBytes> records;
    // 64 bits: a long macro of large delays must not overflow.
    int64_t sum = 0;
    for (size_t i = 0; i < events.size(); ++i) {
        const MacroEvent& event = events[i];
        if (event.type == kEventDelay) {
            sum += event.value;
            if (i + 1 == events.size() && !records.empty()) {
                SetDelay(records.back(), sum);
            }
            continue;
        }
        std::optional<MacroEventBytes> record = RecordFor(event);
        if (!record) {
            continue;
        }
        if (!records.empty()) {
            SetDelay(records.back(), sum > 0 ? sum : 1);
            sum = 0;
        }
        records.push_back(*record);
    }
    return records;
}

std::vector<MacroEventBytes> EncodeMacroEvents(int macro_id) {
    std::vector<MacroEvent> events;
    ListMacroEvents(macro_id, events);
    return EncodeMacroEvents(events);
}

}  // namespace tessaly
