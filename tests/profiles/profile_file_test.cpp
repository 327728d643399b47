#include "profiles/profile_file.h"

#include <gmock/gmock.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "profiles_fixture.h"
#include "storage/macro_table.h"
#include "storage/settings_database.h"

namespace tessaly::test {
namespace {

using ::testing::HasSubstr;
using ::testing::IsEmpty;

class ProfileFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(store.opened); }
    std::u16string Export(int profile, const std::string& name, bool lighting = true) {
        const std::u16string path = store.Path(name);
        EXPECT_TRUE(WriteProfileFile(path, profile, profile, u"Profile \"1\" & more",
                                     {.lighting = lighting}));
        return path;
    }

    ProfileStore store;
};

TEST_F(ProfileFileTest, ExportThenImportReproducesTheProfile) {
    FillProfile(1);
    const std::u16string path = Export(1, "one.xml");
    ASSERT_TRUE(ReadProfileFile(path, 3, {.lighting = true}).stored);

    const std::vector<KeyAssignment> source = Keys(1);
    const std::vector<KeyAssignment> copy = Keys(3);
    ASSERT_EQ(copy.size(), source.size());
    for (size_t i = 0; i < source.size(); ++i) {
        EXPECT_EQ(copy[i].key_code, source[i].key_code);
        EXPECT_EQ(copy[i].layer, 0);
        EXPECT_EQ(copy[i].macro_type, source[i].macro_type);
        EXPECT_EQ(copy[i].macro_value, source[i].macro_value);
        EXPECT_EQ(copy[i].macro_value2, source[i].macro_value2);
        EXPECT_EQ(copy[i].macro_value3, source[i].macro_value3);
        EXPECT_EQ(copy[i].macro_desc, source[i].macro_desc);
    }
    const std::vector<LightSetting> lights = Lights(1);
    const std::vector<LightSetting> copied = Lights(3);
    ASSERT_EQ(copied.size(), lights.size());
    for (size_t i = 0; i < lights.size(); ++i) {
        EXPECT_EQ(copied[i].mode, lights[i].mode);
        EXPECT_EQ(copied[i].brightness, lights[i].brightness);
        EXPECT_EQ(copied[i].speed, lights[i].speed);
        EXPECT_EQ(copied[i].direction, lights[i].direction);
        EXPECT_EQ(copied[i].colorful, lights[i].colorful);
        EXPECT_EQ(copied[i].color_index, lights[i].color_index);
        EXPECT_EQ(copied[i].color_values, lights[i].color_values);
        EXPECT_EQ(copied[i].status, lights[i].status);
    }
    EXPECT_EQ(GetActiveLightMode(3), 2);
    for (std::u16string_view key : kProfileKeys) {
        EXPECT_EQ(Stored(3, key), Stored(1, key)) << ToUtf8(std::u16string(key));
    }
}

TEST_F(ProfileFileTest, TheFileHasTheSectionsInOrderAndIsWellFormed) {
    FillProfile(1);
    const std::u16string path = Export(1, "order.xml");
    const std::string text = store.Read(path);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile>\r\n", 0), 0u);
    EXPECT_THAT(text, HasSubstr("<profileinfo name=\"Profile &quot;1&quot; &amp; more\">\r\n"
                                "<keyitems>\r\n<item key_code=\"1\" macro_type=\"2\""));
    EXPECT_THAT(text, HasSubstr("macro_desc=\"a &lt;&quot;quoted&quot;&gt; &amp; &apos;b&apos;\""));
    std::vector<size_t> at;
    for (const char* section :
         {"<keyitems>", "<Lightitems lightmode=\"2\">", "<Mouse_DPI dpi_flag=", "<DPI1 value=",
          "<DPI6 value=", "<Mouse>", "<button_respondtime value=", "<report_rate ", "<sensor_flag ",
          "<liftoff_height ", "<scroll_flag ", "<e-sports_flag ", "<sleep_light ", "<move_wakeup ",
          "<move_closelight ", "</profileinfo>"}) {
        at.push_back(text.find(section));
        EXPECT_NE(at.back(), std::string::npos) << section;
    }
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
    EXPECT_THAT(text,
                HasSubstr("<item light_mode=\"2\" brightness=\"1\" speed=\"3\" "
                          "direction=\"1\" colorful=\"0\" colorindex=\"5\" color_value1=\"1\""));
    if (!HaveXmllint()) {
        GTEST_SKIP() << "xmllint is not installed";
    }
    EXPECT_EQ(Xmllint(path), 0);
}

TEST_F(ProfileFileTest, WithoutTheLightingPageThereAreNoLightItems) {
    FillProfile(1);
    const std::u16string path = Export(1, "plain.xml", false);
    EXPECT_THAT(store.Read(path), ::testing::Not(HasSubstr("Lightitems")));
    LightSetting before;
    CreateDefaultLights(2, DeviceOptions{});
    ASSERT_TRUE(GetLight(2, 2, before));
    ASSERT_TRUE(ReadProfileFile(Export(1, "lit.xml"), 2, {.lighting = false}).stored);
    LightSetting after;
    ASSERT_TRUE(GetLight(2, 2, after));
    EXPECT_EQ(after, before);
}

TEST_F(ProfileFileTest, AnEmptyKeyItemsElementClearsTheAssignments) {
    SaveKeyAssignment(Key(2, 3, 1, 9, u"x"));
    ASSERT_EQ(Keys(2).size(), 1u);
    const std::u16string path = store.Path("empty.xml");
    store.Write(path,
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile>\r\n"
                "<profileinfo name=\"x\">\r\n<keyitems/>\r\n</profileinfo>\r\n</profile>\r\n");
    SetConfigValue(2, u"report_rate", u"4");
    ASSERT_TRUE(ReadProfileFile(path, 2, {.lighting = true}).stored);
    EXPECT_THAT(Keys(2), IsEmpty());
    // Sections the file lacks leave their settings alone.
    EXPECT_EQ(Stored(2, u"report_rate"), u"4");
}

TEST_F(ProfileFileTest, OnlyButtonRowsThePageCouldMakeAreStored) {
    const int macro_id = AddMacro(u"m");
    ASSERT_GT(macro_id, 0);
    const std::u16string path = store.Path("keys.xml");
    auto item = [](const std::string& code, int type, int value, int value2,
                   const std::string& desc) {
        return "<item key_code=\"" + code + "\" macro_type=\"" + std::to_string(type) +
               "\" macro_value=\"" + std::to_string(value) + "\" macro_value2=\"" +
               std::to_string(value2) + "\" macro_value3=\"0\" macro_desc=\"" + desc + "\"/>";
    };
    store.Write(
        path, "<profile><profileinfo><keyitems>" + item("20", 1, 5, 0, "last button") +
                  item("21", 1, 5, 0, "too far") + item("0", 1, 5, 0, "locked") +
                  item("-1", 1, 5, 0, "negative") + item("4", 1, 0, 0, "empty") +
                  item("3", 1, 11, 0, "no such click") +
                  item("3", 2, 0x04, 0x10, "right-hand modifier") +
                  item("6", 2, 0x04, 0x03, "Ctrl+Shift+A") + item("7", 7, 3, 0, "too few repeats") +
                  item("8", 12, 1, 0, "no category") + item("9", 4, macro_id + 1, 0, "gone macro") +
                  item("2", 4, macro_id, 0, "macro") + item("x1", 1, 1, 0, "no number") +
                  item("10", 9, 1, 0, "disabled") + "</keyitems></profileinfo></profile>");
    SaveKeyAssignment(Key(2, 3, 1, 9, u"cleared first"));
    const ProfileImport result = ReadProfileFile(path, 2, {.lighting = true});
    EXPECT_TRUE(result.stored);
    EXPECT_EQ(result.taken, 4);
    EXPECT_EQ(result.refused, 10);
    std::vector<std::u16string> stored;
    for (const KeyAssignment& key : Keys(2)) {
        stored.push_back(key.macro_desc);
    }
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, (std::vector<std::u16string>{u"Ctrl+Shift+A", u"disabled", u"last button",
                                                   u"macro"}));
}

TEST_F(ProfileFileTest, ALongButtonTextIsCutWhenImported) {
    const std::u16string path = store.Path("long.xml");
    store.Write(path,
                "<profile><profileinfo><keyitems><item key_code=\"6\" macro_type=\"2\" "
                "macro_value=\"4\" macro_value2=\"3\" macro_value3=\"0\" macro_desc=\"" +
                    std::string(600, 'k') + "\"/></keyitems></profileinfo></profile>");
    ASSERT_TRUE(ReadProfileFile(path, 2, {.lighting = true}).stored);
    const std::vector<KeyAssignment> keys = Keys(2);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].macro_desc, std::u16string(255, u'k'));
}

// The profile's keys, lights and configuration rows, to compare before and after.
struct ProfileSnapshot {
    explicit ProfileSnapshot(int profile) : keys(Keys(profile)), lights(Lights(profile)) {
        for (std::u16string_view key : kProfileKeys) {
            values.push_back(Stored(profile, key));
        }
        active_light = GetActiveLightMode(profile);
    }
    bool operator==(const ProfileSnapshot& other) const {
        auto same_keys = [](const KeyAssignment& a, const KeyAssignment& b) {
            return a.key_code == b.key_code && a.macro_type == b.macro_type &&
                   a.macro_value == b.macro_value && a.macro_value2 == b.macro_value2 &&
                   a.macro_value3 == b.macro_value3 && a.macro_desc == b.macro_desc;
        };
        return std::equal(keys.begin(), keys.end(), other.keys.begin(), other.keys.end(),
                          same_keys) &&
               lights == other.lights && values == other.values &&
               active_light == other.active_light;
    }
    std::vector<KeyAssignment> keys;
    std::vector<LightSetting> lights;
    std::vector<std::u16string> values;
    int active_light = 0;
};

TEST_F(ProfileFileTest, ValuesOutsideThePagesRangesKeepTheProfilesOwn) {
    const std::u16string path = store.Path("dpi.xml");
    store.Write(path,
                "<profile><profileinfo><Mouse_DPI dpi_index=\"-5\" dpi_count=\"99\" "
                "dpi_flag=\"4\"><DPI2 value=\"1200\" color=\"255\"/>"
                "<DPI3 value=\"999999\" color=\"-1\"/><DPI4 value=\"12abc\"/></Mouse_DPI>"
                "<Mouse><button_respondtime value=\"21\"/><report_rate value=\"77\"/>"
                "<sensor_flag value=\"16\"/><liftoff_height value=\"3\"/>"
                "<sleep_light value=\"30\"/><move_wakeup value=\"0\"/></Mouse>"
                "</profileinfo></profile>");
    const std::u16string_view kept[] = {
        u"dpi_index",      u"dpi_count",        u"dpi_group2_value",
        u"dpi_group2_rgb", u"dpi_group3_value", u"report_rate",
        u"sleep_light",    u"liftoff_height",   u"button_respondtime"};
    std::vector<std::u16string> before;
    for (std::u16string_view key : kept) {
        before.push_back(Stored(2, key));
    }
    const ProfileImport result = ReadProfileFile(path, 2, {.lighting = true});
    EXPECT_TRUE(result.stored);
    EXPECT_EQ(result.taken, 5);
    EXPECT_EQ(result.refused, 9);
    for (size_t i = 0; i < std::size(kept); ++i) {
        EXPECT_EQ(Stored(2, kept[i]), before[i]) << ToUtf8(std::u16string(kept[i]));
    }
    EXPECT_EQ(Stored(2, u"dpi_flag"), u"4");
    EXPECT_EQ(Stored(2, u"dpi_group1_value"), u"1200");
    EXPECT_EQ(Stored(2, u"dpi_group1_rgb"), u"255");
    EXPECT_EQ(Stored(2, u"move_wakeup"), u"0");
    EXPECT_EQ(Stored(2, u"sensor_flag"), u"16");
}

TEST_F(ProfileFileTest, StageAndRateLimitsAreTheMousesOwn) {
    const std::u16string path = store.Path("limits.xml");
    store.Write(path,
                "<profile><profileinfo><Mouse_DPI dpi_count=\"2\"><DPI1 value=\"30000\"/>"
                "</Mouse_DPI><Mouse><report_rate value=\"64\"/></Mouse></profileinfo></profile>");
    SetConfigValue(2, u"dpi_index", u"4");
    // Until the mouse says otherwise: 50 … 26000 DPI, rates up to 1000 Hz.
    ProfileImport result = ReadProfileFile(path, 2, {.lighting = true});
    EXPECT_EQ(result.refused, 2);
    EXPECT_EQ(Stored(2, u"dpi_count"), u"2");
    // The current stage follows the lower count, as on the page.
    EXPECT_EQ(Stored(2, u"dpi_index"), u"1");
    EXPECT_NE(Stored(2, u"dpi_group0_value"), u"30000");
    EXPECT_NE(Stored(2, u"report_rate"), u"64");

    ProfileImportLimits fast;
    fast.sensor.min_dpi = 100;
    fast.sensor.max_dpi = 30000;
    fast.report_capability = 7;
    result = ReadProfileFile(path, 2, {.lighting = true}, fast);
    EXPECT_EQ(result.refused, 0);
    EXPECT_EQ(Stored(2, u"dpi_group0_value"), u"30000");
    EXPECT_EQ(Stored(2, u"report_rate"), u"64");
}

TEST_F(ProfileFileTest, LightingValuesAreHeldToTheSlidersAndColours) {
    CreateDefaultLights(2, DeviceOptions{});
    SetActiveLight(2, 1);
    LightSetting before;
    ASSERT_TRUE(GetLight(2, 2, before));
    const std::u16string path = store.Path("lights.xml");
    store.Write(path,
                "<profile><profileinfo><Lightitems lightmode=\"9\">"
                "<item light_mode=\"2\" brightness=\"9\" speed=\"1\" color_value1=\"-1\" "
                "color_value2=\"65280\" color_value3=\"16777216\"/>"
                "<item light_mode=\"7\" brightness=\"1\"/>"
                "</Lightitems></profileinfo></profile>");
    const ProfileImport result = ReadProfileFile(path, 2, {.lighting = true});
    EXPECT_TRUE(result.stored);
    EXPECT_EQ(result.taken, 2);
    EXPECT_EQ(result.refused, 5);
    LightSetting after;
    ASSERT_TRUE(GetLight(2, 2, after));
    EXPECT_EQ(after.brightness, before.brightness);
    EXPECT_EQ(after.speed, 1);
    EXPECT_EQ(after.color_values[0], before.color_values[0]);
    EXPECT_EQ(after.color_values[1], 65280);
    EXPECT_EQ(after.color_values[2], before.color_values[2]);
    EXPECT_EQ(GetActiveLightMode(2), 1);
}

TEST_F(ProfileFileTest, AFileWhoseEveryValueIsRefusedChangesNothing) {
    FillProfile(2);
    const ProfileSnapshot before(2);
    const std::u16string path = store.Path("hostile.xml");
    store.Write(path,
                "<profile><profileinfo><keyitems><item key_code=\"99\" macro_type=\"1\" "
                "macro_value=\"1\"/></keyitems><Mouse_DPI dpi_index=\"-5\" dpi_count=\"99\"/>"
                "<Mouse><report_rate value=\"77\"/></Mouse></profileinfo></profile>");
    const ProfileImport result = ReadProfileFile(path, 2, {.lighting = true});
    EXPECT_TRUE(result.loaded);
    EXPECT_FALSE(result.stored);
    EXPECT_EQ(result.taken, 0);
    EXPECT_EQ(result.refused, 4);
    EXPECT_TRUE(ProfileSnapshot(2) == before);
}

TEST_F(ProfileFileTest, AnImportThatFailsHalfWayLeavesTheProfileAsItWas) {
    FillProfile(1);
    const std::u16string path = Export(1, "full.xml");
    SaveKeyAssignment(Key(2, 3, 1, 9, u"mine"));
    SetConfigValue(2, u"report_rate", u"1");
    const ProfileSnapshot before(2);
    // A write fails after n rows, for every n the import reaches.
    int rows = 0;
    ProfileImportLimits counting;
    counting.before_write = [&rows] { return ++rows, true; };
    ASSERT_TRUE(ReadProfileFile(path, 4, {.lighting = true}, counting).stored);
    ASSERT_GT(rows, 10);
    for (int n = 0; n < rows; ++n) {
        int written = 0;
        ProfileImportLimits failing;
        failing.before_write = [&written, n] { return written++ < n; };
        EXPECT_FALSE(ReadProfileFile(path, 2, {.lighting = true}, failing).stored) << n;
        EXPECT_TRUE(ProfileSnapshot(2) == before) << "after " << n << " rows";
    }
}

TEST_F(ProfileFileTest, AnImportKilledHalfWayLeavesTheProfileAsItWas) {
    FillProfile(1);
    const std::u16string path = Export(1, "full.xml");
    SaveKeyAssignment(Key(2, 3, 1, 9, u"mine"));
    const ProfileSnapshot before(2);
    for (int n : {1, 3, 8, 20}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            int written = 0;
            ProfileImportLimits dying;
            dying.before_write = [&written, n] {
                if (written++ == n) {
                    ::_exit(9);
                }
                return true;
            };
            ReadProfileFile(path, 2, {.lighting = true}, dying);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 9) << "the import ended before row " << n;
        // The next start opens the file anew and finds the journal.
        SettingsDatabase::Instance().Close();
        ASSERT_TRUE(SettingsDatabase::Instance().OpenForModel(UserDataFolder(), u"P100"));
        EXPECT_TRUE(ProfileSnapshot(2) == before) << "killed at row " << n;
    }
}

TEST_F(ProfileFileTest, AFileThatIsNoProfileChangesNothing) {
    SaveKeyAssignment(Key(2, 3, 1, 9, u"x"));
    const std::u16string broken = store.Path("broken.xml");
    store.Write(broken, "<profile><profileinfo><keyitems></profile>");
    EXPECT_FALSE(ReadProfileFile(broken, 2, {.lighting = true}).loaded);
    const std::u16string other = store.Path("macro.xml");
    store.Write(other, "<macro><keyitems/></macro>");
    EXPECT_FALSE(ReadProfileFile(other, 2, {.lighting = true}).loaded);
    EXPECT_FALSE(ReadProfileFile(store.Path("missing.xml"), 2, {.lighting = true}).stored);
    EXPECT_EQ(Keys(2).size(), 1u);
}

TEST(ProfileNameFromPathTest, DropsTheFolderAndAnXmlEndingOnly) {
    EXPECT_EQ(ProfileNameFromPath(u"/home/u/Work.xml"), u"Work");
    EXPECT_EQ(ProfileNameFromPath(u"/home/u/Work.XmL"), u"Work");
    EXPECT_EQ(ProfileNameFromPath(u"/home/u/Work"), u"Work");
    EXPECT_EQ(ProfileNameFromPath(u"games.v2.xml"), u"games.v2");
    EXPECT_EQ(ProfileNameFromPath(u"/a.xml/b"), u"b");
}

}  // namespace
}  // namespace tessaly::test
