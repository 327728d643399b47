#pragma once
// The ranges the macro page lets a macro's values take. The page clamps its
// fields to them and imported files are held to them, so a macro from a file
// is one the page could have made.

#include "macros/macro_event_list.h"
#include "macros/macro_event_texts.h"
#include "macros/macro_recorder.h"

namespace tessaly {

// Play type 0 repeats play_times times; 1 and 2 are the page's other two
// choices; 3 comes only from files and plays like 1.
inline constexpr int kPlayTypeCounted = 0;
inline constexpr int kLastFilePlayType = 3;

inline constexpr int kMaxPlayCount = 999;
inline constexpr int kMaxPlayCountHighIds = 255;
inline constexpr int kHighDeviceId = 200;

// The count field's upper bound for the device in the device list.
constexpr int MaxPlayCount(int device_id) {
    return device_id > kHighDeviceId ? kMaxPlayCountHighIds : kMaxPlayCount;
}

// A delay event holds at most what a measured recording gives.
inline constexpr int kMaxEventDelay = static_cast<int>(kMaxMeasuredDelay);

constexpr bool IsMouseButtonBit(int bit) {
    for (int known : {kMouseButtonLeft, kMouseButtonRight, kMouseButtonMiddle, kMouseButtonBack,
                      kMouseButtonForward}) {
        if (bit == known) {
            return true;
        }
    }
    return false;
}

}  // namespace tessaly
