#include "buttons/key_function_table.h"

#include <optional>
#include <vector>

#include "buttons/assignment_model.h"
#include "device/commands/command_builders.h"
#include "device/commands/command_sender.h"
#include "storage/key_table.h"
#include "storage/macro_table.h"

namespace tessaly {
namespace {

using Slot = ButtonFunctionTable::Slot;

constexpr Slot kBuiltInDefaults[] = {
    {0x10, 0x01, 0x00}, {0x10, 0x02, 0x00}, {0x10, 0x04, 0x00}, {0x10, 0x08, 0x00},
    {0x10, 0x10, 0x00}, {0x40, 0x01, 0x00}, {0x60, 0x04, 0x00}, {0x60, 0x04, 0x00},
};

struct ValueSlot {
    int value;
    Slot slot;
};

constexpr ValueSlot kMouseSlots[] = {
    {1, {0x10, 0x01, 0x00}},  {2, {0x10, 0x04, 0x00}}, {3, {0x10, 0x02, 0x00}},
    {4, {0x30, 0x32, 0x03}},  {5, {0x10, 0x10, 0x00}}, {6, {0x10, 0x08, 0x00}},
    {7, {0x20, 0x01, 0x00}},  {8, {0x20, 0xFF, 0x00}}, {9, {0x10, 0x00, 0xF5}},
    {10, {0x10, 0x00, 0xF6}},
};
constexpr ValueSlot kDpiSlots[] = {
    {1, {0x40, 0x02, 0x00}},
    {2, {0x40, 0x03, 0x00}},
    {3, {0x40, 0x01, 0x00}},
};
constexpr ValueSlot kShortcutKeySlots[] = {
    {7, {0x70, 0x08, 0x07}},  {8, {0x70, 0x08, 0x2B}},  {9, {0x70, 0x01, 0x06}},
    {10, {0x70, 0x01, 0x19}}, {11, {0x70, 0x01, 0x1B}},
};

struct ValueUsage {
    int value;
    uint16_t usage;
};

// Consumer-page usages.
constexpr ValueUsage kMultimediaUsages[] = {
    {1, 0x0183}, {2, 0x00CD}, {3, 0x00B7}, {4, 0x00B6},
    {5, 0x00B5}, {6, 0x00E9}, {7, 0x00EA}, {8, 0x00E2},
};
constexpr ValueUsage kShortcutUsages[] = {
    {1, 0x006F}, {2, 0x0070}, {3, 0x0192}, {4, 0x0194}, {5, 0x0223}, {6, 0x018A},
};

uint8_t Low(int value) {
    return static_cast<uint8_t>(value & 0xFF);
}

Slot FromTable(std::span<const ValueSlot> table, int value, const Slot& otherwise) {
    for (const ValueSlot& row : table) {
        if (row.value == value) {
            return row.slot;
        }
    }
    return otherwise;
}

std::optional<Slot> ConsumerSlot(std::span<const ValueUsage> table, int value) {
    for (const ValueUsage& row : table) {
        if (row.value == value) {
            return Slot{0x80, Low(row.usage), static_cast<uint8_t>(row.usage >> 8)};
        }
    }
    return std::nullopt;
}

bool IsModifierUsage(int usage) {
    return usage >= 0xE0 && usage <= 0xE7;
}

Slot KeyboardSlot(int usage, int modifiers) {
    if (IsModifierUsage(usage)) {
        const uint8_t bit = Low(1 << (usage - 0xE0));
        // A modifier alone goes in the modifier byte; with others, its bit
        // stands for the key.
        return modifiers == 0 ? Slot{0x70, bit, 0x00} : Slot{0x70, Low(modifiers), bit};
    }
    return Slot{0x70, Low(modifiers), Low(usage)};
}

Slot MacroSlot(const KeyAssignment& row, const Slot& previous, std::span<const MacroInfo> macros) {
    for (const MacroInfo& macro : macros) {
        if (macro.macro_id != row.macro_value) {
            continue;
        }
        const uint8_t key = Low(row.key_code);
        switch (macro.play_type) {
            case 1:
            case 3:
                return {0x90, static_cast<uint8_t>(key | 0x10), 0x00};
            case 2:
                return {0x90, static_cast<uint8_t>(key | 0x40), 0x00};
            default:
                if (macro.play_times > 0) {
                    return {0x90, static_cast<uint8_t>(key | 0x20), Low(macro.play_times)};
                }
                return {0x90, key, 0x00};
        }
    }
    return previous;
}

PendingMacroUpload& InstalledUpload() {
    static PendingMacroUpload upload;
    return upload;
}

}  // namespace

Slot SlotFor(const KeyAssignment& row, const Slot& previous, std::span<const MacroInfo> macros) {
    switch (row.macro_type) {
        case kCategoryMouse:
            return FromTable(kMouseSlots, row.macro_value, {0x10, 0x00, 0x00});
        case kCategoryKeyboard:
            return KeyboardSlot(row.macro_value, row.macro_value2);
        case kCategoryMultimedia:
            return ConsumerSlot(kMultimediaUsages, row.macro_value).value_or(Slot{0x80, 0, 0});
        case kCategoryMacro:
            return MacroSlot(row, previous, macros);
        case kCategoryDpi:
            return FromTable(kDpiSlots, row.macro_value, {0x40, 0x00, 0x00});
        case kCategorySpecial:
            if (row.macro_value == 1) {
                return {0x60, 0x04, 0x00};
            }
            if (row.macro_value == 2) {
                return {0x60, 0x01, 0x00};
            }
            return {0x60, previous[1], previous[2]};
        case kCategoryRepeat:
            return {0x30, Low(row.macro_value), Low(row.macro_value2)};
        case kCategoryShortcut:
            if (auto slot = ConsumerSlot(kShortcutUsages, row.macro_value)) {
                return *slot;
            }
            return FromTable(kShortcutKeySlots, row.macro_value, {0x80, 0x00, 0x00});
        case kCategoryDisable:
            return {0x60, 0x00, 0x00};
        default:
            return previous;
    }
}

ButtonFunctionTable BuildKeyFunctionTable(std::span<const KeyAssignment> rows,
                                          std::span<const MacroInfo> macros) {
    ButtonFunctionTable table;
    for (int key = 0; key < static_cast<int>(std::size(kBuiltInDefaults)); ++key) {
        table.SetSlot(key, kBuiltInDefaults[key]);
    }
    for (const KeyAssignment& row : rows) {
        if (row.key_code < 0 || row.key_code > kLastSlotKeyCode) {
            continue;
        }
        table.SetSlot(row.key_code, SlotFor(row, table.GetSlot(row.key_code), macros));
    }
    return table;
}

ButtonFunctionTable BuildKeyFunctionTable(int profile) {
    std::vector<KeyAssignment> rows;
    ListKeyAssignments(profile, rows);
    std::vector<MacroInfo> macros;
    ListMacros(macros);
    return BuildKeyFunctionTable(rows, macros);
}

void SetPendingMacroUpload(PendingMacroUpload upload) {
    InstalledUpload() = std::move(upload);
}

bool WriteButtonTable(HidInterface* mouse, int profile) {
    return WriteButtonTable(mouse, profile, InstalledUpload());
}

bool WriteButtonTable(HidInterface* mouse, int profile, const PendingMacroUpload& upload) {
    const int pending = TakePendingMacroKey();
    // A table pointing the button at a macro the mouse does not hold would
    // play whatever its macro memory holds.
    if (pending >= 0 && upload && !upload(mouse, profile, pending)) {
        SetPendingMacroKey(pending);
        return false;
    }
    return SendCommand(mouse, BuildButtonTable(BuildKeyFunctionTable(profile))).ok();
}

}  // namespace tessaly
