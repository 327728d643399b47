#include "macros/macro_recorder.h"

#include <algorithm>

#include "macros/macro_event_texts.h"

namespace tessaly {

void MacroRecorder::Start(int delay_mode, int fixed_delay, uint32_t now) {
    recording_ = true;
    limit_ = kRecordingEventLimit;
    stamp_ = now;
    delay_mode_ = delay_mode;
    fixed_delay_ = delay_mode == kDelayModeFixed ? fixed_delay : 0;
    last_event_time_.reset();
}

int MacroRecorder::MeasuredDelay(uint32_t now) const {
    if (!last_event_time_) {
        return 0;
    }
    return static_cast<int>(std::min(now - *last_event_time_, kMaxMeasuredDelay));
}

void MacroRecorder::AppendDelay(MacroEventList& list, int milliseconds) {
    list.Append(kEventDelay, milliseconds, DelayText(milliseconds), ++stamp_);
}

RecordResult MacroRecorder::OnKey(MacroEventList& list, bool released, int code,
                                  std::u16string_view name, uint32_t now) {
    if (!recording_ || name.empty()) {
        return RecordResult::kIgnored;
    }
    if (delay_mode_ == kDelayModeMeasured) {
        const int delay = MeasuredDelay(now);
        if (delay > 0) {
            AppendDelay(list, delay);
        }
        last_event_time_ = now;
    } else if (delay_mode_ == kDelayModeFixed && fixed_delay_ != 0 && list.size() > 0) {
        AppendDelay(list, fixed_delay_);
    }
    if (list.size() >= limit_) {
        Stop(list, now);
        return RecordResult::kLimit;
    }
    const int type = released ? kEventKeyRelease : kEventKeyPress;
    list.Append(type, code, KeyEventText(!released, name), ++stamp_);
    if (list.size() >= limit_) {
        Stop(list, now);
        return RecordResult::kLimit;
    }
    return RecordResult::kRecorded;
}

void MacroRecorder::Stop(MacroEventList& list, uint32_t now) {
    if (!recording_) {
        return;
    }
    recording_ = false;
    if (delay_mode_ == kDelayModeMeasured) {
        const int delay = MeasuredDelay(now);
        if (delay > 0) {
            AppendDelay(list, delay);
        }
    } else if (delay_mode_ == kDelayModeFixed && fixed_delay_ != 0 && list.size() > 0) {
        AppendDelay(list, fixed_delay_);
    }
}

}  // namespace tessaly
