#pragma once
// Recording keys into a macro's event list, with no, measured or fixed
// delays between them. Times are GetTickCount-style milliseconds given by
// the caller, so a test can drive the clock.

#include <cstdint>
#include <optional>
#include <string_view>

#include "macros/macro_event_list.h"

namespace tessaly {

inline constexpr int kDelayModeNone = 0;
inline constexpr int kDelayModeMeasured = 1;
inline constexpr int kDelayModeFixed = 2;
inline constexpr int kRecordingEventLimit = 60;
inline constexpr uint32_t kMaxMeasuredDelay = 31000;

enum class RecordResult {
    kIgnored,   // not recording
    kRecorded,  // the key (and its delay) was appended
    kLimit,     // the list reached the limit: recording stopped
};

class MacroRecorder {
  public:
    bool recording() const { return recording_; }
    int delay_mode() const { return delay_mode_; }

    void Start(int delay_mode, int fixed_delay, uint32_t now);
    RecordResult OnKey(MacroEventList& list, bool released, int code, std::u16string_view name,
                       uint32_t now);
    // Appends the trailing delay. The caller saves the list.
    void Stop(MacroEventList& list, uint32_t now);

  private:
    void AppendDelay(MacroEventList& list, int milliseconds);
    // Mode 1: the time since the last recorded key, capped; 0 before it.
    int MeasuredDelay(uint32_t now) const;

    bool recording_ = false;
    int delay_mode_ = kDelayModeNone;
    int fixed_delay_ = 0;
    // Empty before the first key (a tick count of 0 is a time like any other).
    std::optional<uint32_t> last_event_time_;
    uint32_t stamp_ = 0;
    int limit_ = kRecordingEventLimit;
};

}  // namespace tessaly
