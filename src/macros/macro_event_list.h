#pragma once
// The event list of the macro being edited: the editing operations of the
// macro page work on it, and every change is saved with SaveEventList.
// Positions are list indexes; the record index of each event is its
// position when saved.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "storage/rows.h"

namespace tessaly {

// Inserting is refused once the list holds this many items.
inline constexpr int kMaxEditedEvents = 200;
inline constexpr int kInsertedDelay = 10;
inline constexpr int kMinDelay = 1;
inline constexpr int kMaxDelay = 10000;

enum class MoveDirection { kUp, kDown, kTop, kBottom };

// Milliseconds of a steady clock, cut to 32 bits like GetTickCount.
uint32_t TickCount32();

class MacroEventList {
  public:
    MacroEventList() = default;
    explicit MacroEventList(std::vector<MacroEvent> events) : events_(std::move(events)) {}

    const std::vector<MacroEvent>& events() const { return events_; }
    int size() const { return static_cast<int>(events_.size()); }
    // Where an insertion lands: after the selected event, or at the end.
    int InsertPosition(int selected) const;
    bool Full() const { return size() >= kMaxEditedEvents; }

    // Each insertion is press, 10 ms, release, 10 ms (stamps s, s+1, s, s+2)
    // or one 10 ms delay (stamp s). False, and nothing inserted, when full.
    bool InsertKeyEvents(int position, int code, std::u16string_view name, uint32_t stamp);
    bool InsertMouseClick(int position, int button_bit, uint32_t stamp);
    bool InsertDelay(int position, uint32_t stamp);
    // Appends one event as recorded; no limit applies here.
    void Append(int type, int value, std::u16string_view desc, uint32_t stamp);

    bool DeleteEvent(int position);
    void ClearEvents() { events_.clear(); }
    // The event's new position (the selection follows it), or -1 for a
    // position outside the list.
    int MoveEvent(int position, MoveDirection direction);

    // The value is clamped to 1-10000. False when the position holds no delay.
    bool SetDelay(int position, int milliseconds);
    // Both events of the stamp; nothing without a key name.
    bool SetEventKey(uint32_t stamp, int code, std::u16string_view name);
    bool SetEventButton(uint32_t stamp, int button_bit);

  private:
    bool Insert(int position, std::vector<MacroEvent> items);
    std::vector<MacroEvent> events_;
};

// Replaces the stored events of the macro with the list, in list order, in
// one transaction. False, and the stored events kept, when the store failed.
bool SaveEventList(int macro_id, std::span<const MacroEvent> events);

}  // namespace tessaly
