#include <gtest/gtest.h>

#include "storage/key_table.h"
#include "storage/light_table.h"
#include "storage_fixture.h"

namespace tessaly {
namespace {

using KeyTableTest = test::StorageTest;
using LightTableTest = test::StorageTest;

KeyAssignment Assignment(int profile, int layer, int key_code, int value, int value2) {
    KeyAssignment row;
    row.profile = profile;
    row.layer = layer;
    row.key_code = key_code;
    row.layout_value = 7;
    row.layout_desc = u"\u5de6\u952e";
    row.macro_type = 3;
    row.macro_value = value;
    row.macro_value2 = value2;
    row.macro_value3 = 9;
    row.macro_desc = u"Ctrl+\u00c4";
    return row;
}

TEST_F(KeyTableTest, SaveReplacesTheButtonsRow) {
    KeyAssignment row = Assignment(1, 0, 4, 0x10, 0);
    const int first = SaveKeyAssignment(row);
    ASSERT_GT(first, 0);
    row.macro_value = 0x20;
    const int second = SaveKeyAssignment(row);
    EXPECT_GT(second, first);

    std::vector<KeyAssignment> rows;
    ASSERT_EQ(ListKeyAssignments(1, rows), 1);
    row.key_id = second;
    EXPECT_EQ(rows[0], row);
    KeyAssignment read;
    ASSERT_TRUE(GetKeyAssignment(1, 4, read));
    EXPECT_EQ(read, row);
}

TEST_F(KeyTableTest, ZeroValuesRemoveTheRow) {
    ASSERT_GT(SaveKeyAssignment(Assignment(1, 0, 4, 5, 0)), 0);
    ASSERT_GT(SaveKeyAssignment(Assignment(1, 0, 5, 0, 6)), 0);  // value 2 alone counts
    EXPECT_EQ(SaveKeyAssignment(Assignment(1, 0, 4, 0, 0)), 0);
    KeyAssignment read;
    EXPECT_FALSE(GetKeyAssignment(1, 4, read));
    EXPECT_TRUE(GetKeyAssignment(1, 5, read));
}

TEST_F(KeyTableTest, ReadsSeeLayerZeroOnly) {
    ASSERT_GT(SaveKeyAssignment(Assignment(1, 1, 4, 5, 0)), 0);
    KeyAssignment read;
    EXPECT_FALSE(GetKeyAssignment(1, 4, read));
    std::vector<KeyAssignment> rows(3);
    EXPECT_EQ(ListKeyAssignments(1, rows), 0);
    EXPECT_TRUE(rows.empty());
    EXPECT_TRUE(SetKeyMacroDescription(1, 4, u"not for layer 1"));
    // Saving layer 0 leaves the layer-1 row alone.
    ASSERT_GT(SaveKeyAssignment(Assignment(1, 0, 4, 5, 0)), 0);
    EXPECT_EQ(ListKeyAssignments(1, rows), 1);
    EXPECT_EQ(SaveKeyAssignment(Assignment(1, 1, 4, 0, 0)), 0);
    EXPECT_TRUE(GetKeyAssignment(1, 4, read));
}

TEST_F(KeyTableTest, DescriptionAndProfileDelete) {
    ASSERT_GT(SaveKeyAssignment(Assignment(1, 0, 4, 5, 0)), 0);
    ASSERT_GT(SaveKeyAssignment(Assignment(2, 0, 4, 5, 0)), 0);
    EXPECT_TRUE(SetKeyMacroDescription(1, 4, u"\u041c\u0430\u043a\u0440\u043e\u0441"));
    KeyAssignment read;
    ASSERT_TRUE(GetKeyAssignment(1, 4, read));
    EXPECT_EQ(read.macro_desc, u"\u041c\u0430\u043a\u0440\u043e\u0441");
    ASSERT_TRUE(GetKeyAssignment(2, 4, read));
    EXPECT_EQ(read.macro_desc, u"Ctrl+\u00c4");

    EXPECT_TRUE(DeleteProfileKeys(1));
    EXPECT_FALSE(GetKeyAssignment(1, 4, read));
    EXPECT_TRUE(GetKeyAssignment(2, 4, read));
}

LightSetting Light(int profile, int mode) {
    LightSetting light;
    light.profile = profile;
    light.name = u"\u547c\u5438";
    light.mode = mode;
    light.brightness = 80;
    light.speed = 3;
    light.direction = 1;
    light.colorful = 1;
    light.color_index = 2;
    light.color_values = {255, 65280, 16711680, 1, 2, 3, 4};
    light.config_func = 5;
    light.reserved = 6;
    light.status = 0;
    return light;
}

TEST_F(LightTableTest, InsertReadAndCount) {
    LightSetting light = Light(1, 2);
    light.light_id = InsertLight(light);
    ASSERT_GT(light.light_id, 0);
    InsertLight(Light(1, 3));
    InsertLight(Light(2, 2));
    EXPECT_EQ(CountLights(1), 2);
    EXPECT_EQ(CountLights(9), 0);

    LightSetting read;
    ASSERT_TRUE(GetLight(1, 2, read));
    EXPECT_EQ(read, light);
    EXPECT_FALSE(GetLight(1, 4, read));
    std::vector<LightSetting> lights(4);
    ASSERT_EQ(ListLights(1, lights), 2);
    EXPECT_EQ(lights[0], light);
    EXPECT_EQ(lights[1].mode, 3);
}

TEST_F(LightTableTest, UpdateUsesTheModeArgumentAndKeepsNameAndStatus) {
    InsertLight(Light(1, 2));
    InsertLight(Light(1, 3));
    ASSERT_TRUE(SetActiveLight(1, 2));

    LightSetting change = Light(1, 3);  // the row's own mode is not used
    change.name = u"renamed";
    change.status = 0;
    change.brightness = 10;
    change.color_values = {7, 6, 5, 4, 3, 2, 1};
    change.reserved = 99;
    EXPECT_TRUE(UpdateLight(2, change));

    LightSetting read;
    ASSERT_TRUE(GetLight(1, 2, read));
    EXPECT_EQ(read.brightness, 10);
    EXPECT_EQ(read.color_values, change.color_values);
    EXPECT_EQ(read.reserved, 99);
    EXPECT_EQ(read.name, u"\u547c\u5438");
    EXPECT_EQ(read.status, 1);
    ASSERT_TRUE(GetLight(1, 3, read));
    EXPECT_EQ(read, [] {
        LightSetting unchanged = Light(1, 3);
        unchanged.light_id = 2;
        return unchanged;
    }());
}

TEST_F(LightTableTest, UpdateOfMissingModeStoresNothing) {
    InsertLight(Light(1, 2));
    EXPECT_TRUE(UpdateLight(5, Light(1, 2)));
    EXPECT_EQ(CountLights(1), 1);
    LightSetting read;
    EXPECT_FALSE(GetLight(1, 5, read));
}

TEST_F(LightTableTest, ActiveModePerProfile) {
    InsertLight(Light(1, 2));
    InsertLight(Light(1, 3));
    InsertLight(Light(2, 3));
    EXPECT_EQ(GetActiveLightMode(1), 0);
    EXPECT_TRUE(SetActiveLight(1, 2));
    EXPECT_TRUE(SetActiveLight(2, 3));
    EXPECT_TRUE(SetActiveLight(1, 3));
    EXPECT_EQ(GetActiveLightMode(1), 3);
    EXPECT_EQ(GetActiveLightMode(2), 3);
    LightSetting read;
    ASSERT_TRUE(GetLight(1, 2, read));
    EXPECT_EQ(read.status, 0);

    // A mode without a row leaves the profile with none active.
    EXPECT_TRUE(SetActiveLight(1, 8));
    EXPECT_EQ(GetActiveLightMode(1), 0);
    EXPECT_EQ(GetActiveLightMode(2), 3);
}

TEST_F(LightTableTest, DeleteClearsOneProfile) {
    InsertLight(Light(1, 2));
    InsertLight(Light(2, 2));
    EXPECT_TRUE(DeleteLights(1));
    EXPECT_EQ(CountLights(1), 0);
    EXPECT_EQ(CountLights(2), 1);
}

}  // namespace
}  // namespace tessaly
