#include "macros/macro_event_list.h"

#include <algorithm>
#include <chrono>
#include <utility>

#include "macros/macro_event_texts.h"
#include "storage/macro_table.h"

namespace tessaly {
namespace {

MacroEvent Event(int type, int value, std::u16string desc, uint32_t stamp) {
    MacroEvent event;
    event.type = type;
    event.value = value;
    event.delay_time = static_cast<int>(stamp);
    event.desc = std::move(desc);
    return event;
}

MacroEvent Delay(int milliseconds, uint32_t stamp) {
    return Event(kEventDelay, milliseconds, DelayText(milliseconds), stamp);
}

bool IsKey(const MacroEvent& event) {
    return event.type == kEventKeyPress || event.type == kEventKeyRelease;
}

bool IsMouse(const MacroEvent& event) {
    return event.type == kEventMousePress || event.type == kEventMouseRelease;
}

}  // namespace

uint32_t TickCount32() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

int MacroEventList::InsertPosition(int selected) const {
    return selected >= 0 && selected < size() ? selected + 1 : size();
}

bool MacroEventList::Insert(int position, std::vector<MacroEvent> items) {
    if (Full()) {
        return false;
    }
    position = std::clamp(position, 0, size());
    events_.insert(events_.begin() + position, std::make_move_iterator(items.begin()),
                   std::make_move_iterator(items.end()));
    return true;
}

bool MacroEventList::InsertKeyEvents(int position, int code, std::u16string_view name,
                                     uint32_t stamp) {
    return Insert(position, {Event(kEventKeyPress, code, KeyEventText(true, name), stamp),
                             Delay(kInsertedDelay, stamp + 1),
                             Event(kEventKeyRelease, code, KeyEventText(false, name), stamp),
                             Delay(kInsertedDelay, stamp + 2)});
}

bool MacroEventList::InsertMouseClick(int position, int button_bit, uint32_t stamp) {
    return Insert(position,
                  {Event(kEventMousePress, button_bit, MouseEventText(true, button_bit), stamp),
                   Delay(kInsertedDelay, stamp + 1),
                   Event(kEventMouseRelease, button_bit, MouseEventText(false, button_bit), stamp),
                   Delay(kInsertedDelay, stamp + 2)});
}

bool MacroEventList::InsertDelay(int position, uint32_t stamp) {
    return Insert(position, {Delay(kInsertedDelay, stamp)});
}

void MacroEventList::Append(int type, int value, std::u16string_view desc, uint32_t stamp) {
    events_.push_back(Event(type, value, std::u16string(desc), stamp));
}

bool MacroEventList::DeleteEvent(int position) {
    if (position < 0 || position >= size()) {
        return false;
    }
    events_.erase(events_.begin() + position);
    return true;
}

int MacroEventList::MoveEvent(int position, MoveDirection direction) {
    if (position < 0 || position >= size()) {
        return -1;
    }
    const auto at = events_.begin() + position;
    switch (direction) {
        case MoveDirection::kUp:
            if (position == 0) {
                return 0;
            }
            std::iter_swap(at, at - 1);
            return position - 1;
        case MoveDirection::kDown:
            if (position + 1 == size()) {
                return position;
            }
            std::iter_swap(at, at + 1);
            return position + 1;
        case MoveDirection::kTop:
            std::rotate(events_.begin(), at, at + 1);
            return 0;
        case MoveDirection::kBottom:
            std::rotate(at, at + 1, events_.end());
            return size() - 1;
    }
    return position;
}

bool MacroEventList::SetDelay(int position, int milliseconds) {
    if (position < 0 || position >= size() || events_[position].type != kEventDelay) {
        return false;
    }
    const int value = std::clamp(milliseconds, kMinDelay, kMaxDelay);
    events_[position].value = value;
    events_[position].desc = DelayText(value);
    return true;
}

bool MacroEventList::SetEventKey(uint32_t stamp, int code, std::u16string_view name) {
    if (name.empty()) {
        return false;
    }
    bool changed = false;
    for (MacroEvent& event : events_) {
        if (IsKey(event) && event.delay_time == static_cast<int>(stamp)) {
            event.value = code;
            event.desc = KeyEventText(event.type == kEventKeyPress, name);
            changed = true;
        }
    }
    return changed;
}

bool MacroEventList::SetEventButton(uint32_t stamp, int button_bit) {
    bool changed = false;
    for (MacroEvent& event : events_) {
        if (IsMouse(event) && event.delay_time == static_cast<int>(stamp)) {
            event.value = button_bit;
            event.desc = MouseEventText(event.type == kEventMousePress, button_bit);
            changed = true;
        }
    }
    return changed;
}

bool SaveEventList(int macro_id, std::span<const MacroEvent> events) {
    std::vector<MacroEvent> rows(events.begin(), events.end());
    for (size_t i = 0; i < rows.size(); ++i) {
        rows[i].record_index = static_cast<int>(i);
    }
    return ReplaceMacroEvents(macro_id, rows);
}

}  // namespace tessaly
