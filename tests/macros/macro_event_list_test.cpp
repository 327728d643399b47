#include "macros/macro_event_list.h"

#include <gmock/gmock.h>

#include "macros/macro_event_texts.h"
#include "storage/macro_table.h"
#include "storage/storage_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::ElementsAre;

constexpr int kKeyA = 65;

std::vector<int> Types(const MacroEventList& list) {
    std::vector<int> types;
    for (const MacroEvent& event : list.events()) {
        types.push_back(event.type);
    }
    return types;
}

std::vector<int> Stamps(const MacroEventList& list) {
    std::vector<int> stamps;
    for (const MacroEvent& event : list.events()) {
        stamps.push_back(event.delay_time);
    }
    return stamps;
}

TEST(MacroEventListTest, KeyInsertionIsPressDelayReleaseDelayWithSharedStamps) {
    MacroEventList list;
    ASSERT_TRUE(list.InsertKeyEvents(list.InsertPosition(-1), kKeyA, u"A", 500));
    EXPECT_THAT(Types(list),
                ElementsAre(kEventKeyPress, kEventDelay, kEventKeyRelease, kEventDelay));
    EXPECT_THAT(Stamps(list), ElementsAre(500, 501, 500, 502));
    EXPECT_EQ(list.events()[0].desc, u"\u2193  A");
    EXPECT_EQ(list.events()[1].desc, u"10 ms");
    EXPECT_EQ(list.events()[2].desc, u"\u2191  A");
    EXPECT_EQ(list.events()[3].value, 10);
}

TEST(MacroEventListTest, InsertionLandsAfterTheSelectionOrAtTheEnd) {
    MacroEventList list;
    list.InsertDelay(list.InsertPosition(-1), 1);
    list.InsertDelay(list.InsertPosition(-1), 2);
    list.InsertMouseClick(list.InsertPosition(0), kMouseButtonMiddle, 100);
    EXPECT_THAT(Stamps(list), ElementsAre(1, 100, 101, 100, 102, 2));
    EXPECT_EQ(list.events()[1].desc, u"\u2193  MB");
    EXPECT_EQ(list.events()[3].desc, u"\u2191  MB");
    EXPECT_EQ(list.InsertPosition(99), list.size());
}

TEST(MacroEventListTest, InsertionIsRefusedFromTwoHundredItems) {
    MacroEventList list;
    for (int i = 0; i < 49; ++i) {
        ASSERT_TRUE(list.InsertKeyEvents(list.size(), kKeyA, u"A", i * 3));
    }
    ASSERT_TRUE(list.InsertDelay(list.size(), 1000));
    ASSERT_TRUE(list.InsertKeyEvents(list.size(), kKeyA, u"A", 2000));  // 197 -> 201
    EXPECT_EQ(list.size(), 201);
    EXPECT_FALSE(list.InsertDelay(list.size(), 3000));
    EXPECT_FALSE(list.InsertKeyEvents(0, kKeyA, u"A", 3000));
    EXPECT_EQ(list.size(), 201);
}

TEST(MacroEventListTest, MovingFollowsTheEvent) {
    MacroEventList list;
    for (uint32_t stamp = 1; stamp <= 4; ++stamp) {
        list.InsertDelay(list.size(), stamp);
    }
    EXPECT_EQ(list.MoveEvent(0, MoveDirection::kUp), 0);
    EXPECT_EQ(list.MoveEvent(3, MoveDirection::kDown), 3);
    EXPECT_THAT(Stamps(list), ElementsAre(1, 2, 3, 4));
    EXPECT_EQ(list.MoveEvent(1, MoveDirection::kDown), 2);
    EXPECT_THAT(Stamps(list), ElementsAre(1, 3, 2, 4));
    EXPECT_EQ(list.MoveEvent(3, MoveDirection::kTop), 0);
    EXPECT_THAT(Stamps(list), ElementsAre(4, 1, 3, 2));
    EXPECT_EQ(list.MoveEvent(1, MoveDirection::kBottom), 3);
    EXPECT_THAT(Stamps(list), ElementsAre(4, 3, 2, 1));
    EXPECT_EQ(list.MoveEvent(2, MoveDirection::kUp), 1);
    EXPECT_THAT(Stamps(list), ElementsAre(4, 2, 3, 1));
    EXPECT_EQ(list.MoveEvent(4, MoveDirection::kUp), -1);
}

TEST(MacroEventListTest, ChangingEvents) {
    MacroEventList list;
    list.InsertKeyEvents(0, kKeyA, u"A", 10);
    list.InsertMouseClick(list.size(), kMouseButtonLeft, 20);

    EXPECT_TRUE(list.SetDelay(1, 0));
    EXPECT_EQ(list.events()[1].value, 1);
    EXPECT_TRUE(list.SetDelay(1, 20000));
    EXPECT_EQ(list.events()[1].desc, u"10000 ms");
    EXPECT_FALSE(list.SetDelay(0, 50));  // a key press, not a delay
    EXPECT_EQ(list.events()[0].value, kKeyA);

    EXPECT_FALSE(list.SetEventKey(10, 66, u""));
    EXPECT_TRUE(list.SetEventKey(10, 66, u"B"));
    EXPECT_EQ(list.events()[0].value, 66);
    EXPECT_EQ(list.events()[0].desc, u"\u2193  B");
    EXPECT_EQ(list.events()[2].desc, u"\u2191  B");
    EXPECT_EQ(list.events()[4].value, kMouseButtonLeft);  // the click's stamp differs

    EXPECT_TRUE(list.SetEventButton(20, kMouseButtonForward));
    EXPECT_EQ(list.events()[4].desc, u"\u2193  Forward");
    EXPECT_EQ(list.events()[6].desc, u"\u2191  Forward");
    EXPECT_EQ(list.events()[6].value, kMouseButtonForward);
    EXPECT_FALSE(list.SetEventButton(10, kMouseButtonBack));  // the key's stamp

    EXPECT_TRUE(list.DeleteEvent(0));
    EXPECT_FALSE(list.DeleteEvent(list.size()));
    EXPECT_EQ(list.size(), 7);
}

class SaveEventListTest : public StorageTest {};

TEST_F(SaveEventListTest, ReplacesTheStoredEventsInListOrder) {
    const int macro = AddMacro(u"Jump");
    ASSERT_GT(macro, 0);
    MacroEventList list;
    list.InsertKeyEvents(0, kKeyA, u"A", 7);
    SaveEventList(macro, list.events());
    list.MoveEvent(2, MoveDirection::kTop);
    list.DeleteEvent(3);
    SaveEventList(macro, list.events());

    std::vector<MacroEvent> stored;
    ASSERT_EQ(ListMacroEvents(macro, stored), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(stored[i].macro_id, macro);
        EXPECT_EQ(stored[i].record_index, i);
        EXPECT_EQ(stored[i].type, list.events()[i].type);
        EXPECT_EQ(stored[i].delay_time, list.events()[i].delay_time);
        EXPECT_EQ(stored[i].desc, list.events()[i].desc);
    }
    EXPECT_EQ(stored[0].type, kEventKeyRelease);
}

}  // namespace
}  // namespace tessaly::test
