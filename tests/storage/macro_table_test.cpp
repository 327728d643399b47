#include <gtest/gtest.h>

#include "storage/macro_table.h"
#include "storage_fixture.h"

namespace tessaly {
namespace {

using MacroTableTest = test::StorageTest;

MacroEvent Event(int macro_id, int record_index, std::u16string desc) {
    MacroEvent event;
    event.macro_id = macro_id;
    event.type = record_index % 2;
    event.record_index = record_index;
    event.value = 0x04 + record_index;
    event.delay_time = 10 * record_index;
    event.desc = std::move(desc);
    return event;
}

TEST_F(MacroTableTest, NewMacroPlaysOnceWithRecordedDelays) {
    const int id = AddMacro(u"\u914d\u7f6e 1");
    ASSERT_GT(id, 0);
    MacroInfo read;
    ASSERT_TRUE(GetMacro(id, read));
    MacroInfo expected;
    expected.macro_id = id;
    expected.name = u"\u914d\u7f6e 1";
    expected.play_type = 0;
    expected.play_times = 1;
    expected.delay_type = 1;
    expected.delay_time = 0;
    EXPECT_EQ(read, expected);
    EXPECT_FALSE(GetMacro(id + 1, read));
}

TEST_F(MacroTableTest, FullInsertUpdateRenameAndList) {
    MacroInfo macro;
    macro.name = u"\u041f\u043e\u043b\u044c\u0437\u043e\u0432\u0430\u0442\u0435\u043b\u044c";
    macro.play_type = 2;
    macro.play_times = 5;
    macro.delay_type = 3;
    macro.delay_time = 40;
    macro.macro_id = AddMacroFull(macro);
    ASSERT_GT(macro.macro_id, 0);
    const int other = AddMacro(u"other");

    std::vector<MacroInfo> macros(3);
    ASSERT_EQ(ListMacros(macros), 2);
    EXPECT_EQ(macros[0], macro);
    EXPECT_EQ(macros[1].macro_id, other);

    macro.play_times = 9;
    macro.delay_time = 1;
    macro.name = u"changed";
    EXPECT_TRUE(UpdateMacro(macro));
    EXPECT_TRUE(RenameMacro(other, u"\u00e9t\u00e9"));
    ListMacros(macros);
    EXPECT_EQ(macros[0], macro);
    EXPECT_EQ(macros[1].name, u"\u00e9t\u00e9");
}

TEST_F(MacroTableTest, EventsListInRecordIndexOrder) {
    const int id = AddMacro(u"m");
    const int other = AddMacro(u"n");
    const int first = InsertMacroEvent(Event(id, 2, u"\u5de6\u952e"));
    ASSERT_GT(first, 0);
    InsertMacroEvents(std::vector{Event(id, 0, u"A"), Event(other, 1, u"x"), Event(id, 1, u"B")});
    InsertMacroEvent(Event(id, -1, u""));

    std::vector<MacroEvent> events(2);
    ASSERT_EQ(ListMacroEvents(id, events), 4);
    std::vector<int> order;
    for (const MacroEvent& e : events)
        order.push_back(e.record_index);
    EXPECT_EQ(order, (std::vector{-1, 0, 1, 2}));
    MacroEvent expected = Event(id, 2, u"\u5de6\u952e");
    expected.record_id = first;
    EXPECT_EQ(events[3], expected);
    EXPECT_EQ(events[2].desc, u"B");
}

TEST_F(MacroTableTest, ReplacingEventsAndEmptyBulkInsert) {
    const int id = AddMacro(u"m");
    InsertMacroEvents(std::vector{Event(id, 0, u"a"), Event(id, 1, u"b")});
    EXPECT_TRUE(DeleteMacroEvents(id));
    InsertMacroEvents({});
    std::vector<MacroEvent> events;
    EXPECT_EQ(ListMacroEvents(id, events), 0);
    InsertMacroEvents(std::vector{Event(id, 5, u"c")});
    EXPECT_EQ(ListMacroEvents(id, events), 1);
    // The bracket was ended: a new write outside it works.
    EXPECT_GT(InsertMacroEvent(Event(id, 6, u"d")), 0);
}

TEST_F(MacroTableTest, DeleteRemovesMacroAndItsEventsOnly) {
    const int id = AddMacro(u"m");
    const int other = AddMacro(u"n");
    InsertMacroEvents(std::vector{Event(id, 0, u"a"), Event(other, 0, u"b")});
    EXPECT_TRUE(DeleteMacro(id));
    MacroInfo read;
    EXPECT_FALSE(GetMacro(id, read));
    std::vector<MacroEvent> events;
    EXPECT_EQ(ListMacroEvents(id, events), 0);
    EXPECT_EQ(ListMacroEvents(other, events), 1);
    EXPECT_TRUE(DeleteMacro(12345));
}

TEST_F(MacroTableTest, ClosedDatabaseGivesFailureValues) {
    const int id = AddMacro(u"m");
    SettingsDatabase::Instance().Close();
    EXPECT_EQ(AddMacro(u"x"), 0);
    EXPECT_EQ(InsertMacroEvent(Event(id, 0, u"a")), 0);
    InsertMacroEvents(std::vector{Event(id, 0, u"a")});
    EXPECT_FALSE(DeleteMacro(id));
    std::vector<MacroInfo> macros(1);
    EXPECT_EQ(ListMacros(macros), 0);
    EXPECT_TRUE(macros.empty());
    ASSERT_TRUE(Select(u"M100"));
    std::vector<MacroEvent> events;
    EXPECT_EQ(ListMacroEvents(id, events), 0);
    EXPECT_EQ(ListMacros(macros), 1);
}

}  // namespace
}  // namespace tessaly
