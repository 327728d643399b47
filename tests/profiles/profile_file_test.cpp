#include "profiles/profile_file.h"

#include <gmock/gmock.h>

#include <algorithm>

#include "profiles_fixture.h"

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
    ASSERT_TRUE(ReadProfileFile(path, 3, {.lighting = true}));

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
    ASSERT_TRUE(ReadProfileFile(Export(1, "lit.xml"), 2, {.lighting = false}));
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
    ASSERT_TRUE(ReadProfileFile(path, 2, {.lighting = true}));
    EXPECT_THAT(Keys(2), IsEmpty());
    // Sections the file lacks leave their settings alone.
    EXPECT_EQ(Stored(2, u"report_rate"), u"4");
}

TEST_F(ProfileFileTest, ButtonsBeyondTheTableAndEmptyAssignmentsAreNotStored) {
    const std::u16string path = store.Path("keys.xml");
    store.Write(path,
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<profile><profileinfo><keyitems>"
                "<item key_code=\"20\" macro_type=\"1\" macro_value=\"5\" macro_value2=\"0\" "
                "macro_value3=\"0\" macro_desc=\"ok\"/>"
                "<item key_code=\"21\" macro_type=\"1\" macro_value=\"5\" macro_value2=\"0\" "
                "macro_value3=\"0\" macro_desc=\"too far\"/>"
                "<item key_code=\"4\" macro_type=\"1\" macro_value=\"0\" macro_value2=\"0\" "
                "macro_value3=\"7\" macro_desc=\"empty\"/>"
                "</keyitems></profileinfo></profile>");
    ASSERT_TRUE(ReadProfileFile(path, 2, {.lighting = true}));
    const std::vector<KeyAssignment> keys = Keys(2);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].key_code, 20);
    EXPECT_EQ(keys[0].macro_desc, u"ok");
}

TEST_F(ProfileFileTest, StageTextsAreWrittenAsTheyStandAndMissingOnesEmpty) {
    const std::u16string path = store.Path("dpi.xml");
    store.Write(path,
                "<profile><profileinfo><Mouse_DPI dpi_index=\"9\" dpi_count=\"abc\">"
                "<DPI2 value=\"1200\" color=\"255\"/></Mouse_DPI>"
                "<Mouse><sleep_light value=\"30\"/></Mouse></profileinfo></profile>");
    const std::u16string stage0 = Stored(2, u"dpi_group0_value");
    ASSERT_TRUE(ReadProfileFile(path, 2, {.lighting = true}));
    EXPECT_EQ(Stored(2, u"dpi_index"), u"9");
    EXPECT_EQ(Stored(2, u"dpi_count"), u"abc");
    EXPECT_EQ(Stored(2, u"dpi_flag"), u"");
    EXPECT_EQ(Stored(2, u"dpi_group1_value"), u"1200");
    EXPECT_EQ(Stored(2, u"dpi_group1_rgb"), u"255");
    EXPECT_EQ(Stored(2, u"dpi_group0_value"), stage0);
    EXPECT_EQ(Stored(2, u"sleep_light"), u"30");
}

TEST_F(ProfileFileTest, AFileThatIsNoProfileChangesNothing) {
    SaveKeyAssignment(Key(2, 3, 1, 9, u"x"));
    const std::u16string broken = store.Path("broken.xml");
    store.Write(broken, "<profile><profileinfo><keyitems></profile>");
    EXPECT_FALSE(ReadProfileFile(broken, 2, {.lighting = true}));
    const std::u16string other = store.Path("macro.xml");
    store.Write(other, "<macro><keyitems/></macro>");
    EXPECT_FALSE(ReadProfileFile(other, 2, {.lighting = true}));
    EXPECT_FALSE(ReadProfileFile(store.Path("missing.xml"), 2, {.lighting = true}));
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
