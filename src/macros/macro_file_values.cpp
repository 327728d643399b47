#include "macros/macro_file_values.h"

#include <algorithm>

#include "base/trace.h"
#include "buttons/key_usage.h"
#include "macros/macro_limits.h"

namespace tessaly {
namespace {

bool Within(int value, int low, int high) {
    return value >= low && value <= high;
}

// What the mouse can be sent: modifier keys have usages too.
bool IsMacroKey(int code) {
    return VirtualKeyToUsage(code) != 0;
}

}  // namespace

bool MacroFileValueCheck::Accept(const char* name, int value, bool in_range) {
    ++counts_.values;
    if (!in_range) {
        ++counts_.refused;
        Trace(kTraceDevice, "macro file: %s %d is out of range, refused", name, value);
    }
    return in_range;
}

void MacroFileValueCheck::CheckSettings(MacroInfo& macro) {
    // A refused setting takes a new macro's value.
    if (!Accept("macro_type", macro.play_type, Within(macro.play_type, 0, kLastFilePlayType))) {
        macro.play_type = kPlayTypeCounted;
    }
    const bool counted = macro.play_type == kPlayTypeCounted;
    const bool count_in_range =
        counted ? Within(macro.play_times, 1, MaxPlayCount(device_id_)) : macro.play_times == 1;
    if (!Accept("play_times", macro.play_times, count_in_range)) {
        macro.play_times = 1;
    }
    if (!Accept("delay_type", macro.delay_type,
                Within(macro.delay_type, kDelayModeNone, kDelayModeFixed))) {
        macro.delay_type = kDelayModeMeasured;
    }
    const bool fixed = macro.delay_type == kDelayModeFixed;
    const bool delay_in_range =
        fixed ? Within(macro.delay_time, kMinDelay, kMaxDelay) : macro.delay_time == 0;
    if (!Accept("delay_time", macro.delay_time, delay_in_range)) {
        macro.delay_time = fixed ? kInsertedDelay : 0;
    }
}

bool MacroFileValueCheck::CheckEvent(MacroEvent& event) {
    if (!Accept("type", event.type, Within(event.type, kEventDelay, kEventMouseRelease))) {
        return false;
    }
    switch (event.type) {
        case kEventDelay: {
            ++counts_.values;
            const int delay = std::clamp(event.value, kMinDelay, kMaxEventDelay);
            if (delay != event.value) {
                ++counts_.clamped;
                Trace(kTraceDevice, "macro file: delay %d ms is out of range, stored as %d ms",
                      event.value, delay);
                event.value = delay;
                event.desc = DelayText(delay);
            }
            return true;
        }
        case kEventKeyPress:
        case kEventKeyRelease:
            return Accept("key", event.value, IsMacroKey(event.value));
        default:
            return Accept("button", event.value, IsMouseButtonBit(event.value));
    }
}

}  // namespace tessaly
