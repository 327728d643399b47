// A model's description file as model selection reads it.

#include "catalogue/description_file.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tessaly {
namespace {

class DescriptionFileTest : public ::testing::Test {
  protected:
    std::optional<DescriptionFile> Read(const std::string& xml) {
        temp.Write("m.xml", xml);
        return ReadDescriptionFile(temp.u16(true) + u"m.xml");
    }
    test::TempDir temp;
};

TEST_F(DescriptionFileTest, FlashSizeIsAPlainByteCountUpToTheBlockNumbersReach) {
    auto flash = [this](const std::string& attribute) {
        const auto file = Read("<mouse><firmware url=\"http://fw\" " + attribute + "/></mouse>");
        return file ? file->flash_size : std::optional<uint32_t>(0);
    };
    EXPECT_EQ(flash("flash_size=\"262144\""), 262144u);
    EXPECT_EQ(flash("flash_size=\"1048576\""), 1048576u);
    EXPECT_EQ(flash(""), std::nullopt);
    for (const char* bad : {"0", "1048577", "-1", "1e6", "64k", " 4096", "99999999999"})
        EXPECT_EQ(flash("flash_size=\"" + std::string(bad) + "\""), std::nullopt) << bad;
}

TEST_F(DescriptionFileTest, EverySectionInOrder) {
    const auto file = Read(R"(<mouse>
<image_file mouse_img="m.png"/>
<menu light="0"/>
<custom show_dpitips="1" show_savetips="0" show_lod="1" show_sensor="2"/>
<firmware url="http://fw"/>
<mouse_key>
<key name="106" key_value="0" direction="1" rect="10#80#45" func_desc="106" func_type="1" func_value="1"/>
<key name=" 142" key_value="5" rect="1#2#3" func_desc="x" func_type="5" func_value="3"/>
</mouse_key>
<mouse_info><light_info><light_1 enable="1"/><light_6 enable="0"/></light_info></mouse_info>
</mouse>)");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->mouse_img, u"m.png");
    EXPECT_EQ(file->lighting_page, false);
    ASSERT_TRUE(file->custom);
    EXPECT_TRUE(file->custom->show_dpi_tips);
    EXPECT_FALSE(file->custom->show_save_tips);
    EXPECT_TRUE(file->custom->show_lift_off);
    EXPECT_FALSE(file->custom->show_sensor);  // only 1 means on
    EXPECT_EQ(file->firmware_address, u"http://fw");

    ASSERT_TRUE(file->buttons);
    ASSERT_EQ(file->buttons->size(), 2u);
    EXPECT_EQ((*file->buttons)[0], (ButtonDescription{106, 0, 1, 10, 80, 45, 106, 1, 1}));
    EXPECT_EQ((*file->buttons)[1].name, 142);
    EXPECT_EQ((*file->buttons)[1].func_desc, 0);

    ASSERT_EQ(file->default_assignments.size(), 2u);
    const KeyAssignment& dpi = file->default_assignments[1];
    EXPECT_EQ(dpi.key_code, 5);
    EXPECT_EQ(dpi.layout_value, 5);
    // The layout and function descriptions are the attribute texts as written.
    EXPECT_EQ(dpi.layout_desc, u" 142");
    EXPECT_EQ(dpi.macro_desc, u"x");
    EXPECT_EQ(dpi.macro_type, 5);
    EXPECT_EQ(dpi.macro_value, 3);
    EXPECT_EQ(dpi.key_id, 0);
    EXPECT_EQ(dpi.profile, 0);

    EXPECT_EQ(file->lights[0], true);
    EXPECT_FALSE(file->lights[1]);  // absent elements change nothing
    EXPECT_EQ(file->lights[5], false);
}

TEST_F(DescriptionFileTest, AbsentSectionsStayUnset) {
    const auto file = Read(R"(<mouse><firmware url=""/></mouse>)");
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->mouse_img);
    EXPECT_FALSE(file->lighting_page);
    EXPECT_FALSE(file->custom);
    EXPECT_EQ(file->firmware_address, u"");
    EXPECT_FALSE(file->buttons);
    for (const auto& light : file->lights) {
        EXPECT_FALSE(light);
    }
}

TEST_F(DescriptionFileTest, CustomWithoutShowLodTurnsItOff) {
    const auto file =
        Read(R"(<mouse><custom show_dpitips="1" show_savetips="1" show_sensor="1"/></mouse>)");
    ASSERT_TRUE(file && file->custom);
    EXPECT_FALSE(file->custom->show_lift_off);
    EXPECT_TRUE(file->custom->show_sensor);
}

// image_file is found behind the others, and the search for menu and custom
// then starts after it.
TEST_F(DescriptionFileTest, SectionsOutOfOrderAreNotFound) {
    const auto file =
        Read(R"(<mouse><custom show_lod="1"/><menu light="1"/><image_file mouse_img="a"/>
<mouse_key><key key_value="3"/></mouse_key></mouse>)");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->mouse_img, u"a");
    EXPECT_FALSE(file->lighting_page);
    EXPECT_FALSE(file->custom);
    ASSERT_TRUE(file->buttons);
    EXPECT_EQ(file->buttons->size(), 1u);
}

// Each light element is searched after the last one found: with light_3
// placed before light_2, light_2 is found behind it, and light_3, searched
// only after light_2, is not.
TEST_F(DescriptionFileTest, LightsAreSearchedForwardOnly) {
    const auto file = Read(R"(<mouse><mouse_info><light_info>
<light_1 enable="1"/><light_3 enable="1"/><light_2 enable="0"/><light_4 enable="1"/>
</light_info></mouse_info></mouse>)");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->lights[0], true);
    EXPECT_EQ(file->lights[1], false);
    EXPECT_FALSE(file->lights[2]);
    EXPECT_EQ(file->lights[3], true);
    EXPECT_FALSE(file->lights[4]);
}

TEST_F(DescriptionFileTest, EmptyKeyListIsStillAKeyList) {
    const auto file = Read(R"(<mouse><mouse_key/></mouse>)");
    ASSERT_TRUE(file && file->buttons);
    EXPECT_TRUE(file->buttons->empty());
}

TEST_F(DescriptionFileTest, UnusableFilesGiveNothing) {
    EXPECT_FALSE(ReadDescriptionFile(temp.u16(true) + u"absent.xml"));
    EXPECT_FALSE(Read(R"(<mouse><menu light="1"></mouse>)"));
    EXPECT_FALSE(Read(R"(<device><menu light="1"/></device>)"));
}

}  // namespace
}  // namespace tessaly
