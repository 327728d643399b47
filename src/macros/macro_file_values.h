#pragma once
// Values read from a macro file, held to the ranges of the macro page. An
// out-of-range setting takes a new macro's value, an out-of-range event is
// left out, and a delay is brought into 1-31000 ms; each is traced and
// counted, so the import can say how many values it refused.

#include "storage/rows.h"

namespace tessaly {

struct MacroValueCounts {
    int values = 0;   // values checked
    int refused = 0;  // out of range and not stored
    int clamped = 0;  // delays stored at the nearest bound
    bool AllRefused() const { return values > 0 && refused == values; }
};

class MacroFileValueCheck {
  public:
    // The play count's bound depends on the device in the device list.
    explicit MacroFileValueCheck(int device_id) : device_id_(device_id) {}

    void CheckSettings(MacroInfo& macro);
    // False when the event is refused: its type, key or button is out of range.
    bool CheckEvent(MacroEvent& event);

    const MacroValueCounts& counts() const { return counts_; }

  private:
    // Counts the value; false (refused and traced) when it is out of range.
    bool Accept(const char* name, int value, bool in_range);

    int device_id_;
    MacroValueCounts counts_;
};

}  // namespace tessaly
