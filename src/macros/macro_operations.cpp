#include "macros/macro_operations.h"

#include <algorithm>

#include "buttons/assignment_model.h"
#include "macros/macro_change_results.h"
#include "macros/macro_limits.h"
#include "macros/macro_names.h"
#include "storage/key_table.h"
#include "storage/macro_table.h"

namespace tessaly {

MacroChange RefusedChange(MacroRefusal reason, int text) {
    MacroChange change;
    change.reason = reason;
    change.refusal = text;
    return change;
}

bool LoadStored(int macro_id, MacroChange& change) {
    if (macro_id <= 0 || !GetMacro(macro_id, change.macro)) {
        return false;
    }
    ListMacroEvents(macro_id, change.events);
    return true;
}

std::vector<MacroEntry> ListMacroEntries() {
    std::vector<MacroInfo> macros;
    ListMacros(macros);
    std::vector<MacroEntry> entries;
    entries.reserve(macros.size());
    for (MacroInfo& macro : macros) {
        std::vector<MacroEvent> events;
        const int count = ListMacroEvents(macro.macro_id, events);
        std::u16string shown = ShownMacroName(macro.name);
        entries.push_back({std::move(macro), std::move(shown), count});
    }
    return entries;
}

MacroChange CreateMacro() {
    std::vector<MacroInfo> macros;
    const int id = AddMacro(NewMacroName(ListMacros(macros)));
    MacroChange change;
    if (id == 0 || !LoadStored(id, change)) {
        return RefusedChange(MacroRefusal::kStoreFailed);
    }
    change.ok = true;
    return change;
}

MacroChange EraseMacro(int macro_id) {
    MacroChange change;
    if (!LoadStored(macro_id, change)) {
        return RefusedChange(MacroRefusal::kNoMacro);
    }
    if (!DeleteMacro(macro_id)) {
        change.reason = MacroRefusal::kStoreFailed;
        return change;
    }
    change.ok = true;
    change.events.clear();
    return change;
}

MacroChange RenameMacroTo(MacroHost& host, int macro_id, std::u16string_view name) {
    MacroChange change;
    if (!LoadStored(macro_id, change)) {
        return RefusedChange(MacroRefusal::kNoMacro);
    }
    if (name.empty()) {
        change.reason = MacroRefusal::kEmptyName;
        return change;
    }
    // The name first: when the store refuses it, no button shows a name the
    // macro does not have.
    if (!RenameMacro(macro_id, name)) {
        change.reason = MacroRefusal::kStoreFailed;
        return change;
    }
    change.macro.name = std::u16string(name);
    const int profile = host.CurrentProfile();
    std::vector<KeyAssignment> keys;
    ListKeyAssignments(profile, keys);
    for (KeyAssignment& key : keys) {
        if (key.macro_type == kCategoryMacro && key.macro_value == macro_id &&
            SetKeyMacroDescription(profile, key.key_code, name)) {
            key.macro_desc = std::u16string(name);
            change.renamed_buttons.push_back(std::move(key));
        }
    }
    change.ok = true;
    return change;
}

MacroChange ChangeMacroSettings(MacroHost& host, int macro_id, const MacroSettings& settings) {
    MacroChange change;
    if (!LoadStored(macro_id, change)) {
        return RefusedChange(MacroRefusal::kNoMacro);
    }
    if (settings.play_type < kPlayTypeCounted || settings.play_type > kLastFilePlayType ||
        settings.delay_type < kDelayModeNone || settings.delay_type > kDelayModeFixed) {
        change.reason = MacroRefusal::kOutOfRange;
        return change;
    }
    MacroInfo macro = change.macro;
    macro.play_type = settings.play_type;
    macro.delay_type = settings.delay_type;
    macro.play_times =
        settings.play_type == kPlayTypeCounted
            ? std::clamp(settings.play_times, 1, MaxPlayCount(host.CurrentDeviceId()))
            : 1;
    macro.delay_time = settings.delay_type == kDelayModeFixed
                           ? std::clamp(settings.delay_time, kMinDelay, kMaxDelay)
                           : 0;
    if (!UpdateMacro(macro)) {
        change.reason = MacroRefusal::kStoreFailed;
        return change;
    }
    change.macro = macro;
    change.ok = true;
    return change;
}

}  // namespace tessaly
