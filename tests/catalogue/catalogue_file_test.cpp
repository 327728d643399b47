// config.xml's device and software sections as the catalogue reads them.

#include "catalogue/catalogue_file.h"

#include <gtest/gtest.h>

#include "catalogue/button_description.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

class CatalogueFileTest : public ::testing::Test {
  protected:
    CatalogueFile Read(const std::string& xml) {
        temp.Write("config.xml", xml);
        return ReadCatalogueFile((temp.u16(true) + u"config.xml"), u"/skins/default/device/");
    }
    test::TempDir temp;
};

TEST(HexToIntTest, OptionalPrefixAndStopAtFirstNonHexCharacter) {
    EXPECT_EQ(HexToInt(u"1a2b"), 0x1A2B);
    EXPECT_EQ(HexToInt(u"0x1a2b"), 0x1A2B);
    EXPECT_EQ(HexToInt(u"0X1A2B"), 0x1A2B);
    EXPECT_EQ(HexToInt(u"1a2g"), 0x1A2);
    EXPECT_EQ(HexToInt(u""), 0);
    EXPECT_EQ(HexToInt(u"0x"), 0);
    EXPECT_EQ(HexToInt(u"zz"), 0);
    // Larger than a signed 32-bit id: saturates instead of wrapping negative.
    EXPECT_EQ(HexToInt(u"1FFFFFFFF"), 0x7FFFFFFF);
}

TEST(ButtonRectTest, CutAtEachFirstHash) {
    EXPECT_EQ(ParseButtonRect(u"10#80#45"), (ButtonRect{10, 80, 45}));
    EXPECT_EQ(ParseButtonRect(u"10#80"), (ButtonRect{10, 80, 0}));
    EXPECT_EQ(ParseButtonRect(u"10"), (ButtonRect{10, 0, 0}));
    EXPECT_EQ(ParseButtonRect(u"10#80#45#9"), (ButtonRect{10, 80, 45}));
    EXPECT_EQ(ParseButtonRect(u"#x#7"), (ButtonRect{0, 0, 7}));
    EXPECT_EQ(ParseButtonRect(u""), (ButtonRect{}));
}

TEST_F(CatalogueFileTest, TwoModesGiveOneModelAndTwoIdentities) {
    const CatalogueFile file = Read(R"(<config><device>
<mouse name="M" device_type="7" device_attr="m7" image="m7.png">
<mode value="0" desc="cable" vid="1a2b" pid="0x0701" dev_id="ABCD" hid_interface="1"/>
<mode value="1" desc="receiver" vid="0x1a2b" pid="0702" dev_id="ABCE"/>
</mouse></device></config>)");
    ASSERT_TRUE(file.loaded);
    ASSERT_EQ(file.models.size(), 1u);
    const DeviceDescription& model = file.models[0];
    EXPECT_EQ(model.name, u"M");
    EXPECT_EQ(model.device_type, 7);
    EXPECT_EQ(model.device_attribute, u"m7");
    EXPECT_EQ(model.image, u"/skins/default/device/m7.png");
    // The model list keeps the connection fields at their initial values.
    EXPECT_EQ(model.vendor_id, 0);
    EXPECT_TRUE(model.device_id.empty());

    ASSERT_EQ(file.identities.size(), 2u);
    EXPECT_EQ(file.identities[0].mode, 0);
    EXPECT_EQ(file.identities[0].product_id, 0x0701);
    EXPECT_EQ(file.identities[0].hid_interface, u"1");
    EXPECT_EQ(file.identities[1].mode, 1);
    EXPECT_EQ(file.identities[1].vendor_id, 0x1A2B);
    EXPECT_EQ(file.identities[1].product_id, 0x0702);
    EXPECT_EQ(file.identities[1].device_id, u"ABCE");
    EXPECT_EQ(file.identities[1].description, u"receiver");
    // Every identity carries its mouse's fields; a missing attribute is empty.
    EXPECT_EQ(file.identities[1].name, u"M");
    EXPECT_EQ(file.identities[1].device_type, 7);
    EXPECT_TRUE(file.identities[1].hid_interface.empty());
}

TEST_F(CatalogueFileTest, ModelsAndModesKeepFileOrderAndSkipOtherElements) {
    const CatalogueFile file = Read(R"(<config><device>
<mouse name="A" device_type="x1"><note/><mode value="0" vid="1" pid="2"/></mouse>
<other/>
<mouse name="B" device_type="2"/>
<mouse name="C" device_type="3"><mode value="1" vid="3" pid="4"/></mouse>
</device></config>)");
    ASSERT_EQ(file.models.size(), 3u);
    EXPECT_EQ(file.models[0].device_type, 0);  // not a number
    EXPECT_EQ(file.models[1].name, u"B");
    EXPECT_EQ(file.models[2].name, u"C");
    // B has no mode: listed, but never looked for.
    ASSERT_EQ(file.identities.size(), 2u);
    EXPECT_EQ(file.identities[0].name, u"A");
    EXPECT_EQ(file.identities[1].name, u"C");
}

TEST_F(CatalogueFileTest, SoftwareLinksAreSearchedInTheirOrder) {
    const CatalogueFile file = Read(R"(<config><device/>
<software caption="T" version="2.3.4">
<feedback url="f"/><website url="w"/><qa url="q"/><store url="s"/>
<upgrade url="u/"/><copyright info="c"/><website url="late"/>
</software></config>)");
    ASSERT_TRUE(file.software);
    EXPECT_EQ(file.software->version, u"2.3.4");
    EXPECT_EQ(file.software->website, u"w");
    // Placed before website, so the search has already passed it.
    EXPECT_TRUE(file.software->feedback.empty());
    EXPECT_EQ(file.software->qa, u"q");
    EXPECT_EQ(file.software->store, u"s");
    EXPECT_EQ(file.software->upgrade, u"u/");
    EXPECT_EQ(file.software->copyright, u"c");
}

TEST_F(CatalogueFileTest, SoftwareBeforeDeviceIsNotFound) {
    const CatalogueFile file =
        Read(R"(<config><software version="1"/><device><mouse name="A"/></device></config>)");
    EXPECT_EQ(file.models.size(), 1u);
    EXPECT_FALSE(file.software);
}

TEST_F(CatalogueFileTest, MissingOrBrokenFileReadsNothing) {
    EXPECT_FALSE(ReadCatalogueFile(temp.u16(true) + u"absent.xml", u"").loaded);
    const CatalogueFile broken = Read(R"(<config><device><mouse name="A"></device></config>)");
    EXPECT_FALSE(broken.loaded);
    EXPECT_TRUE(broken.models.empty());
    const CatalogueFile other_root =
        Read(R"(<settings><device><mouse name="A"/></device></settings>)");
    EXPECT_TRUE(other_root.loaded);
    EXPECT_TRUE(other_root.models.empty());
}

}  // namespace
}  // namespace tessaly
