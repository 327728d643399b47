#include <gtest/gtest.h>

#include "base/decimal.h"
#include "storage/config_defaults.h"
#include "storage/config_store.h"
#include "storage/profile_table.h"
#include "storage_fixture.h"

namespace tessaly {
namespace {

using test::NamedProfile;
using ConfigStoreTest = test::StorageTest;
using ProfileTableTest = test::StorageTest;

std::u16string Value(int profile, std::u16string_view key) {
    std::u16string value = u"stale";
    if (!GetConfigValue(profile, key, value)) {
        EXPECT_TRUE(value.empty());
    }
    return value;
}

TEST_F(ConfigStoreTest, NewProfileHasEveryDefault) {
    const int id = AddProfile(NamedProfile(u"one"));
    ASSERT_GT(id, 0);
    EXPECT_EQ(Value(id, u"dpi_group5_value"), u"26000");
    EXPECT_EQ(Value(id, u"dpi_group6_rgb"), u"16712191");
    EXPECT_EQ(Value(id, u"version"), u"1.0.1");
    EXPECT_EQ(Value(id, u"e-sports_flag"), u"0");
    EXPECT_EQ(Value(id, u"doubleclick_time"), u"550");
    EXPECT_EQ(ConfigDefaults().size(), 39u);
    for (const ConfigDefault& row : ConfigDefaults())
        EXPECT_EQ(ToUtf8(Value(id, FromUtf8(row.key))), row.value) << row.key;
    // The store holds no other keys.
    EXPECT_EQ(Value(id, u"dpi_group8_value"), u"");
    EXPECT_EQ(Value(id, u"dpi_group9_rgb"), u"");
}

TEST_F(ConfigStoreTest, WritesStayWithTheirProfile) {
    const int first = AddProfile(NamedProfile(u"one"));
    const int second = AddProfile(NamedProfile(u"two"));
    ASSERT_NE(first, second);
    EXPECT_TRUE(SetConfigValue(second, u"dpi_index", u"4"));
    EXPECT_EQ(Value(second, u"dpi_index"), u"4");
    EXPECT_EQ(Value(first, u"dpi_index"), u"1");
    EXPECT_EQ(DecimalToInt(Value(second, u"sensor_flag")), 53);
}

TEST_F(ConfigStoreTest, MissingKeyOrProfileStoresNothing) {
    const int id = AddProfile(NamedProfile(u"one"));
    std::u16string value = u"stale";
    // Nothing was kept, so the write reports a failure.
    EXPECT_FALSE(SetConfigValue(id, u"no_such_key", u"7"));
    EXPECT_FALSE(GetConfigValue(id, u"no_such_key", value));
    EXPECT_TRUE(value.empty());
    EXPECT_FALSE(SetConfigValue(id + 1, u"dpi_index", u"3"));
    EXPECT_FALSE(GetConfigValue(id + 1, u"dpi_index", value));
    // A missing key reads as 0 through the decimal conversion.
    EXPECT_EQ(DecimalToInt(Value(id, u"no_such_key")), 0);
}

TEST_F(ConfigStoreTest, ClosedDatabaseFailsQuietly) {
    const int id = AddProfile(NamedProfile(u"one"));
    SettingsDatabase::Instance().Close();
    std::u16string value = u"stale";
    EXPECT_FALSE(SetConfigValue(id, u"dpi_index", u"3"));
    EXPECT_FALSE(GetConfigValue(id, u"dpi_index", value));
    EXPECT_TRUE(value.empty());
    EXPECT_EQ(AddProfile(NamedProfile(u"none")), 0);
}

TEST_F(ProfileTableTest, AddRenameAndListWithNonAsciiNames) {
    ProfileInfo info = NamedProfile(u"\u914d\u7f6e 1");
    info.app = u"ignored app";
    const int first = AddProfile(info);
    const int second =
        AddProfile(NamedProfile(u"\u041f\u043e\u043b\u044c\u0437\u043e\u0432\u0430"
                                u"\u0442\u0435\u043b\u044c"));
    EXPECT_EQ(second, first + 1);

    std::u16string name = u"stale";
    EXPECT_TRUE(GetProfileName(first, name));
    EXPECT_EQ(name, u"\u914d\u7f6e 1");
    EXPECT_TRUE(RenameProfile(first, u"\U0001F5B1 mouse"));
    EXPECT_TRUE(GetProfileName(first, name));
    EXPECT_EQ(name, u"\U0001F5B1 mouse");
    EXPECT_FALSE(GetProfileName(second + 1, name));
    EXPECT_TRUE(name.empty());

    std::vector<ProfileInfo> profiles(5, NamedProfile(u"old entry"));
    ASSERT_EQ(ListProfiles(profiles), 2);
    ASSERT_EQ(profiles.size(), 2u);
    EXPECT_EQ(profiles[0].id, first);
    EXPECT_EQ(profiles[0].name, u"\U0001F5B1 mouse");
    EXPECT_EQ(profiles[0].app, u"ignored app");
    EXPECT_EQ(profiles[0].status, 0);
    EXPECT_EQ(profiles[0].type, 0);
    EXPECT_EQ(profiles[1].id, second);
    EXPECT_EQ(profiles[1].name,
              u"\u041f\u043e\u043b\u044c\u0437\u043e\u0432\u0430\u0442\u0435\u043b\u044c");
}

TEST_F(ProfileTableTest, ExactlyOneActiveProfile) {
    for (int i = 0; i < 4; ++i)
        AddProfile(NamedProfile(u"p"));
    EXPECT_EQ(GetActiveProfile(), 0);
    EXPECT_TRUE(SetActiveProfile(1));
    EXPECT_TRUE(SetActiveProfile(3));
    EXPECT_EQ(GetActiveProfile(), 3);
    std::vector<ProfileInfo> profiles;
    ASSERT_EQ(ListProfiles(profiles), 4);
    int active = 0;
    for (const ProfileInfo& p : profiles)
        active += p.status;
    EXPECT_EQ(active, 1);
    EXPECT_EQ(profiles[2].status, 1);
}

}  // namespace
}  // namespace tessaly
