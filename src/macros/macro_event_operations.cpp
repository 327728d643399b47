// The event operations: each edits the stored event list of the macro and
// saves it whole, so the store never holds half an edit.

#include <functional>
#include <optional>

#include "macros/macro_change_results.h"
#include "macros/macro_limits.h"
#include "macros/macro_operations.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

// The edit returns the selection afterwards, or nullopt when it changed
// nothing (the position holds no such event).
using EventEdit = std::function<std::optional<int>(MacroEventList&)>;

MacroChange EditEvents(int macro_id, const EventEdit& edit) {
    MacroChange change;
    if (!LoadStored(macro_id, change)) {
        return RefusedChange(MacroRefusal::kNoMacro);
    }
    MacroEventList list(change.events);
    const std::optional<int> selected = edit(list);
    if (!selected) {
        change.reason = MacroRefusal::kNoEvent;
        return change;
    }
    if (!SaveEventList(macro_id, list.events())) {
        change.reason = MacroRefusal::kStoreFailed;
        return change;
    }
    LoadStored(macro_id, change);
    change.selected = *selected;
    change.ok = true;
    return change;
}

uint32_t StampOf(const MacroEventList& list, int position) {
    return static_cast<uint32_t>(list.events()[position].delay_time);
}

bool InRange(const MacroEventList& list, int position) {
    return position >= 0 && position < list.size();
}

}  // namespace

MacroChange InsertIntoMacro(MacroHost& host, int macro_id, int selected,
                            const MacroInsertion& insertion) {
    using Kind = MacroInsertion::Kind;
    if ((insertion.kind == Kind::kKey && (insertion.key_code == 0 || insertion.key_name.empty())) ||
        (insertion.kind == Kind::kClick && !IsMouseButtonBit(insertion.button_bit))) {
        MacroChange change = RefusedChange(MacroRefusal::kOutOfRange);
        LoadStored(macro_id, change);
        return change;
    }
    const uint32_t stamp = host.Now();
    bool full = false;
    MacroChange change = EditEvents(macro_id, [&](MacroEventList& list) -> std::optional<int> {
        const int position = list.InsertPosition(selected);
        bool inserted = false;
        switch (insertion.kind) {
            case Kind::kKey:
                inserted =
                    list.InsertKeyEvents(position, insertion.key_code, insertion.key_name, stamp);
                break;
            case Kind::kClick:
                inserted = list.InsertMouseClick(position, insertion.button_bit, stamp);
                break;
            case Kind::kDelay:
                inserted = list.InsertDelay(position, stamp);
                break;
        }
        full = !inserted;
        return inserted ? std::optional<int>(selected) : std::nullopt;
    });
    if (full) {
        change.reason = MacroRefusal::kListFull;
        change.refusal = text::kEventListFull;
    }
    return change;
}

MacroChange DeleteMacroEvent(int macro_id, int position) {
    return EditEvents(macro_id, [&](MacroEventList& list) -> std::optional<int> {
        return list.DeleteEvent(position) ? std::optional<int>(-1) : std::nullopt;
    });
}

MacroChange ClearMacroEvents(int macro_id) {
    return EditEvents(macro_id, [](MacroEventList& list) -> std::optional<int> {
        list.ClearEvents();
        return -1;
    });
}

MacroChange MoveMacroEvent(int macro_id, int position, MoveDirection direction) {
    return EditEvents(macro_id, [&](MacroEventList& list) -> std::optional<int> {
        const int to = list.MoveEvent(position, direction);
        return to < 0 ? std::nullopt : std::optional<int>(to);
    });
}

MacroChange SetMacroDelay(int macro_id, int position, int milliseconds) {
    return EditEvents(macro_id, [&](MacroEventList& list) -> std::optional<int> {
        return list.SetDelay(position, milliseconds) ? std::optional<int>(position) : std::nullopt;
    });
}

MacroChange SetMacroEventKey(int macro_id, int position, int key_code, std::u16string_view name) {
    return EditEvents(macro_id, [&](MacroEventList& list) -> std::optional<int> {
        if (!InRange(list, position) ||
            !list.SetEventKey(StampOf(list, position), key_code, name)) {
            return std::nullopt;
        }
        return position;
    });
}

MacroChange SetMacroEventButton(int macro_id, int position, int button_bit) {
    return EditEvents(macro_id, [&](MacroEventList& list) -> std::optional<int> {
        if (!IsMouseButtonBit(button_bit) || !InRange(list, position) ||
            !list.SetEventButton(StampOf(list, position), button_bit)) {
            return std::nullopt;
        }
        return position;
    });
}

}  // namespace tessaly
