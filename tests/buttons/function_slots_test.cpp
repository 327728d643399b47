#include <gtest/gtest.h>

#include <vector>

#include "buttons/assignment_model.h"
#include "buttons/key_function_table.h"
#include "storage/key_table.h"
#include "storage/macro_table.h"
#include "storage/storage_fixture.h"

namespace tessaly {
namespace {

using Slot = ButtonFunctionTable::Slot;

KeyAssignment Row(int key_code, int category, int value, int value2 = 0) {
    return MakeAssignment(1, key_code, category, value, value2, u"shown");
}

Slot SlotOf(const KeyAssignment& row, std::vector<MacroInfo> macros = {}) {
    return SlotFor(row, {0xAA, 0xBB, 0xCC}, macros);
}

TEST(FunctionSlotTest, MouseFunctions) {
    const std::pair<int, Slot> cases[] = {
        {1, {0x10, 0x01, 0x00}},  {2, {0x10, 0x04, 0x00}},  {3, {0x10, 0x02, 0x00}},
        {4, {0x30, 0x32, 0x03}},  {5, {0x10, 0x10, 0x00}},  {6, {0x10, 0x08, 0x00}},
        {7, {0x20, 0x01, 0x00}},  {8, {0x20, 0xFF, 0x00}},  {9, {0x10, 0x00, 0xF5}},
        {10, {0x10, 0x00, 0xF6}}, {11, {0x10, 0x00, 0x00}},
    };
    for (const auto& [value, slot] : cases) {
        EXPECT_EQ(SlotOf(Row(3, kCategoryMouse, value)), slot) << value;
    }
}

TEST(FunctionSlotTest, KeyboardKeysAndTheModifierUsageRule) {
    EXPECT_EQ(SlotOf(Row(3, kCategoryKeyboard, 0x04, 0x03)), (Slot{0x70, 0x03, 0x04}));
    EXPECT_EQ(SlotOf(Row(3, kCategoryKeyboard, 0xE1, 0)), (Slot{0x70, 0x02, 0x00}));
    EXPECT_EQ(SlotOf(Row(3, kCategoryKeyboard, 0xE7, 0)), (Slot{0x70, 0x80, 0x00}));
    // With modifiers, a modifier usage is sent as its bit.
    EXPECT_EQ(SlotOf(Row(3, kCategoryKeyboard, 0xE2, 0x01)), (Slot{0x70, 0x01, 0x04}));
}

TEST(FunctionSlotTest, ConsumerUsagesInLittleEndianOrder) {
    EXPECT_EQ(SlotOf(Row(3, kCategoryMultimedia, 1)), (Slot{0x80, 0x83, 0x01}));
    EXPECT_EQ(SlotOf(Row(3, kCategoryMultimedia, 2)), (Slot{0x80, 0xCD, 0x00}));
    EXPECT_EQ(SlotOf(Row(3, kCategoryMultimedia, 8)), (Slot{0x80, 0xE2, 0x00}));
    EXPECT_EQ(SlotOf(Row(3, kCategoryMultimedia, 9)), (Slot{0x80, 0x00, 0x00}));
    EXPECT_EQ(SlotOf(Row(3, kCategoryShortcut, 5)), (Slot{0x80, 0x23, 0x02}));
    EXPECT_EQ(SlotOf(Row(3, kCategoryShortcut, 6)), (Slot{0x80, 0x8A, 0x01}));
    EXPECT_EQ(SlotOf(Row(3, kCategoryShortcut, 7)), (Slot{0x70, 0x08, 0x07}));
    EXPECT_EQ(SlotOf(Row(3, kCategoryShortcut, 11)), (Slot{0x70, 0x01, 0x1B}));
    EXPECT_EQ(SlotOf(Row(3, kCategoryShortcut, 12)), (Slot{0x80, 0x00, 0x00}));
}

TEST(FunctionSlotTest, DpiSpecialRepeatAndDisable) {
    EXPECT_EQ(SlotOf(Row(3, kCategoryDpi, 1)), (Slot{0x40, 0x02, 0x00}));
    EXPECT_EQ(SlotOf(Row(3, kCategoryDpi, 3)), (Slot{0x40, 0x01, 0x00}));
    EXPECT_EQ(SlotOf(Row(3, kCategoryDpi, 4)), (Slot{0x40, 0x00, 0x00}));
    EXPECT_EQ(SlotOf(Row(3, kCategorySpecial, 1)), (Slot{0x60, 0x04, 0x00}));
    EXPECT_EQ(SlotOf(Row(3, kCategorySpecial, 2)), (Slot{0x60, 0x01, 0x00}));
    EXPECT_EQ(SlotOf(Row(3, kCategorySpecial, 5)), (Slot{0x60, 0xBB, 0xCC}));
    EXPECT_EQ(SlotOf(Row(3, kCategoryRepeat, 300, 20)), (Slot{0x30, 0x2C, 0x14}));
    EXPECT_EQ(SlotOf(Row(3, kCategoryDisable, 1)), (Slot{0x60, 0x00, 0x00}));
}

TEST(FunctionSlotTest, MacroModesFromPlayTypeAndTimes) {
    auto macro = [](int play_type, int play_times) {
        MacroInfo info;
        info.macro_id = 7;
        info.play_type = play_type;
        info.play_times = play_times;
        return std::vector{info};
    };
    const KeyAssignment row = Row(5, kCategoryMacro, 7);
    EXPECT_EQ(SlotOf(row, macro(0, 3)), (Slot{0x90, 0x25, 0x03}));
    EXPECT_EQ(SlotOf(row, macro(1, 3)), (Slot{0x90, 0x15, 0x00}));
    EXPECT_EQ(SlotOf(row, macro(3, 0)), (Slot{0x90, 0x15, 0x00}));
    EXPECT_EQ(SlotOf(row, macro(2, 9)), (Slot{0x90, 0x45, 0x00}));
    EXPECT_EQ(SlotOf(row, macro(0, 0)), (Slot{0x90, 0x05, 0x00}));
    // No macro with the id: the slot keeps what it held.
    EXPECT_EQ(SlotOf(Row(5, kCategoryMacro, 8), macro(0, 3)), (Slot{0xAA, 0xBB, 0xCC}));
}

TEST(FunctionTableTest, DefaultsThenRowsInOrderAndNothingOutsideTheSlots) {
    const std::vector<KeyAssignment> rows = {
        Row(3, kCategoryDisable, 1),  Row(8, kCategoryMultimedia, 6), Row(7, kCategorySpecial, 4),
        Row(21, kCategoryDisable, 1), Row(400, kCategoryDisable, 1),  Row(-1, kCategoryDisable, 1),
    };
    const ButtonFunctionTable table = BuildKeyFunctionTable(rows, {});
    const std::vector<uint8_t> bytes(table.bytes().begin(), table.bytes().end());
    const std::vector<uint8_t> expected_start = {
        0x10, 0x01, 0x00, 0x10, 0x02, 0x00, 0x10, 0x04, 0x00, 0x60, 0x00, 0x00, 0x10, 0x10,
        0x00, 0x40, 0x01, 0x00, 0x60, 0x04, 0x00, 0x60, 0x04, 0x00, 0x80, 0xE9, 0x00};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 27), expected_start);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 27, bytes.end()),
              std::vector<uint8_t>(65 - 27, 0));
}

TEST(FunctionTableTest, TheWriteSendsThePendingMacroFirstAndClearsTheMark) {
    std::vector<int> uploads;
    const PendingMacroUpload upload = [&](HidInterface*, int profile, int key_code) {
        uploads.push_back(profile * 100 + key_code);
        return true;
    };
    SetPendingMacroKey(5);
    // Without a mouse the table write fails.
    EXPECT_FALSE(WriteButtonTable(nullptr, 2, upload));
    EXPECT_FALSE(WriteButtonTable(nullptr, 2, upload));
    EXPECT_EQ(uploads, std::vector<int>{205});
    EXPECT_EQ(TakePendingMacroKey(), -1);
}

TEST(FunctionTableTest, AMacroTheMouseDidNotTakeKeepsTheTableBackAndTheMark) {
    int uploads = 0;
    const PendingMacroUpload refused = [&](HidInterface*, int, int) {
        ++uploads;
        return false;
    };
    SetPendingMacroKey(5);
    EXPECT_FALSE(WriteButtonTable(nullptr, 2, refused));
    // The next write tries the macro again.
    EXPECT_FALSE(WriteButtonTable(nullptr, 2, refused));
    EXPECT_EQ(uploads, 2);
    EXPECT_EQ(TakePendingMacroKey(), 5);
}

class AssignmentStoreTest : public test::StorageTest {};

TEST_F(AssignmentStoreTest, StoringReplacesTheRowAndZeroNumbersRemoveIt) {
    EXPECT_GT(StoreAssignment(Row(3, kCategoryKeyboard, 0x04, 0x01)), 0);
    EXPECT_GT(StoreAssignment(Row(3, kCategoryDisable, 1)), 0);
    KeyAssignment stored;
    ASSERT_TRUE(GetKeyAssignment(1, 3, stored));
    EXPECT_EQ(stored.macro_type, kCategoryDisable);
    EXPECT_EQ(stored.macro_value, 1);
    EXPECT_EQ(StoreAssignment(Row(3, kCategoryKeyboard, 0, 0)), 0);
    EXPECT_FALSE(GetKeyAssignment(1, 3, stored));
}

TEST_F(AssignmentStoreTest, ResetsRemoveOneOrEveryRowOfTheProfile) {
    StoreAssignment(Row(2, kCategoryDisable, 1));
    StoreAssignment(Row(3, kCategoryDisable, 1));
    KeyAssignment other = Row(3, kCategoryDisable, 1);
    other.profile = 2;
    StoreAssignment(other);
    ResetKey(1, 2);
    KeyAssignment stored;
    EXPECT_FALSE(GetKeyAssignment(1, 2, stored));
    EXPECT_TRUE(GetKeyAssignment(1, 3, stored));
    ResetAllKeys(1);
    std::vector<KeyAssignment> rows;
    EXPECT_EQ(ListKeyAssignments(1, rows), 0);
    EXPECT_EQ(ListKeyAssignments(2, rows), 1);
}

TEST_F(AssignmentStoreTest, TheProfilesTableComesFromItsRowsAndMacros) {
    MacroInfo macro;
    macro.name = u"M";
    macro.play_times = 3;
    const int id = AddMacroFull(macro);
    ASSERT_GT(id, 0);
    StoreAssignment(Row(5, kCategoryMacro, id));
    StoreAssignment(Row(3, kCategoryDisable, 1));
    const ButtonFunctionTable table = BuildKeyFunctionTable(1);
    EXPECT_EQ(table.GetSlot(5), (Slot{0x90, 0x25, 0x03}));
    EXPECT_EQ(table.GetSlot(3), (Slot{0x60, 0x00, 0x00}));
    EXPECT_EQ(table.GetSlot(0), (Slot{0x10, 0x01, 0x00}));
}

}  // namespace
}  // namespace tessaly
