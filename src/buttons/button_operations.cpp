#include "buttons/button_operations.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "app/language_state.h"
#include "buttons/assignment_model.h"
#include "buttons/assignment_ranges.h"
#include "buttons/assignment_text.h"
#include "buttons/key_function_table.h"
#include "buttons/key_usage.h"
#include "catalogue/device_catalogue.h"
#include "storage/key_table.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

ButtonChange Refused(int text_id) {
    ButtonChange change;
    change.refusal = text_id;
    return change;
}

void QueueWrite(ButtonHost& host) {
    host.QueueTask(kTaskWriteButtonTable);
    host.ShowSaveWait();
}

// The row is sent even when the store kept nothing: the table then carries
// what the store still holds.
ButtonChange StoreAndSend(ButtonHost& host, const KeyAssignment& assignment) {
    ButtonChange change;
    change.ok = true;
    change.stored = assignment;
    if (StoreAssignment(assignment) > 0) {
        change.shown = assignment.macro_desc;
    } else {
        change.shown = ShownFunction(assignment.profile, assignment.key_code);
    }
    QueueWrite(host);
    return change;
}

std::optional<KeyAssignment> FactoryEntry(int key_code) {
    for (const KeyAssignment& entry : DeviceCatalogue::Instance().DefaultAssignments()) {
        if (entry.key_code == key_code) {
            return entry;
        }
    }
    return std::nullopt;
}

std::u16string FactoryText(int key_code) {
    const std::optional<KeyAssignment> entry = FactoryEntry(key_code);
    return entry ? DescribeFactory(*entry) : std::u16string();
}

}  // namespace

std::optional<KeyAssignment> CurrentFunction(int profile, int key_code) {
    KeyAssignment row;
    if (GetKeyAssignment(profile, key_code, row)) {
        return row;
    }
    return FactoryEntry(key_code);
}

std::u16string ShownFunction(int profile, int key_code) {
    KeyAssignment row;
    if (GetKeyAssignment(profile, key_code, row)) {
        return DescribeAssignment(row, CurrentLcid());
    }
    return FactoryText(key_code);
}

ButtonChange AssignFunction(ButtonHost& host, int key_code, int category, int value,
                            std::u16string_view description) {
    if (key_code == kLockedKeyCode) {
        return Refused(text::kPrimaryButtonLocked);
    }
    const KeyAssignment assignment =
        MakeAssignment(host.CurrentProfile(), key_code, category, value, 0, description);
    if (category == kCategoryMacro) {
        // The mouse would keep the slot but never get the events.
        if (!host.MacroFitsDevice(value)) {
            return Refused(text::kMacroTooLongForButton);
        }
        SetPendingMacroKey(key_code);
    }
    return StoreAndSend(host, assignment);
}

ButtonChange AssignCombination(ButtonHost& host, int key_code, const KeyCombination& combination) {
    if (key_code == kLockedKeyCode) {
        return Refused(text::kPrimaryButtonLocked);
    }
    const int usage = VirtualKeyToUsage(combination.virtual_key);
    const int modifiers =
        (combination.shift ? kModifierShift : 0) | (combination.ctrl ? kModifierCtrl : 0) |
        (combination.win ? kModifierWin : 0) | (combination.alt ? kModifierAlt : 0);
    if (usage == 0 && modifiers == 0) {
        ButtonChange nothing;
        nothing.ok = true;
        return nothing;
    }
    return StoreAndSend(
        host,
        MakeAssignment(host.CurrentProfile(), key_code, kCategoryKeyboard, usage, modifiers,
                       FormatKeyCombination(combination.shift, combination.ctrl, combination.win,
                                            combination.alt, combination.key_name)));
}

ButtonChange AssignRepeat(ButtonHost& host, int key_code, int first, int second) {
    if (key_code == kLockedKeyCode) {
        return Refused(text::kPrimaryButtonLocked);
    }
    const int kept_first = std::clamp(first, kRepeatFirstMin, kRepeatFirstMax);
    const int kept_second = std::clamp(second, kRepeatSecondMin, kRepeatSecondMax);
    ButtonChange change = StoreAndSend(
        host, MakeAssignment(host.CurrentProfile(), key_code, kCategoryRepeat, kept_first,
                             kept_second, LoadLanguageString(text::kRapidFire)));
    change.limited = kept_first != first || kept_second != second;
    return change;
}

ButtonChange DisableButton(ButtonHost& host, int key_code) {
    if (key_code == kLockedKeyCode) {
        return Refused(text::kPrimaryButtonLocked);
    }
    return StoreAndSend(host, MakeAssignment(host.CurrentProfile(), key_code, kCategoryDisable, 1,
                                             0, LoadLanguageString(text::kDisable)));
}

ButtonChange ResetButton(ButtonHost& host, int key_code) {
    ResetKey(host.CurrentProfile(), key_code);
    ButtonChange change;
    change.ok = true;
    change.stored = FactoryEntry(key_code).value_or(KeyAssignment{});
    change.stored.key_code = key_code;
    change.shown = FactoryText(key_code);
    QueueWrite(host);
    return change;
}

void ResetAllButtons(ButtonHost& host) {
    ResetAllKeys(host.CurrentProfile());
    QueueWrite(host);
}

}  // namespace tessaly
