#include "app/app_config.h"

#include <gtest/gtest.h>

#include "app/language_state.h"
#include "base/application_name.h"
#include "base/unicode.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

using test::TempDir;

class AppConfigTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetApplicationName(kDefaultApplicationName);
        SetCurrentLcid(0);
        AddToLanguageSet(9999);  // must be emptied by every read
    }
    void TearDown() override { SetApplicationName(kDefaultApplicationName); }

    void Read(const std::string& xml) {
        dir_.Write("config.xml", xml);
        ReadAppConfig(dir_.u16() + u"/config.xml");
    }
    TempDir dir_;
};

TEST_F(AppConfigTest, ReadsLanguagesAndCaption) {
    Read(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<config>\r\n"
        "<language.info default_lan=\"2052\">\r\n<lan value=\"2052\"/>\r\n"
        "<lan value=\"1033\"/>\r\n<lan value=\"2052\"/>\r\n<lan value=\"1041\"/>\r\n"
        "</language.info>\r\n<device/>\r\n"
        "<software caption=\"Mouse \xe9\x85\x8d\xe7\xbd\xae\" version=\"1.2.3\"/>\r\n"
        "</config>\r\n");
    EXPECT_EQ(CurrentLcid(), 2052);
    EXPECT_EQ(LanguageSet(), (std::vector<int>{2052, 1033, 1041}));  // duplicates collapse
    EXPECT_EQ(ApplicationName(), u"Mouse \u914d\u7f6e");
}

TEST_F(AppConfigTest, SoftwareBeforeLanguageInfoIsNotFound) {
    Read(
        "<config><software caption=\"Early\"/>"
        "<language.info default_lan=\"1033\"><lan value=\"1033\"/></language.info></config>");
    EXPECT_EQ(CurrentLcid(), 1033);
    EXPECT_EQ(ApplicationName(), kDefaultApplicationName);
}

TEST_F(AppConfigTest, SoftwareIsFoundWithoutLanguageInfo) {
    Read("<config><device/><software caption=\"Alone\"/></config>");
    EXPECT_TRUE(LanguageSet().empty());
    EXPECT_EQ(ApplicationName(), u"Alone");
}

TEST_F(AppConfigTest, LanguageInfoWithoutLanOffersNothing) {
    Read("<config><language.info default_lan=\"1049\"/><software caption=\"X\"/></config>");
    EXPECT_EQ(CurrentLcid(), 1049);
    EXPECT_TRUE(LanguageSet().empty());
    EXPECT_EQ(ApplicationName(), u"X");
}

TEST_F(AppConfigTest, MissingOrEmptyCaptionKeepsTheDefaultName) {
    Read("<config><software version=\"1\"/></config>");
    EXPECT_EQ(ApplicationName(), kDefaultApplicationName);
    Read("<config><software caption=\"\"/></config>");
    EXPECT_EQ(ApplicationName(), kDefaultApplicationName);
}

TEST_F(AppConfigTest, MissingOrIllFormedFileChangesNothingButTheSet) {
    ReadAppConfig(dir_.u16() + u"/absent.xml");
    EXPECT_TRUE(LanguageSet().empty());
    EXPECT_EQ(CurrentLcid(), 0);
    Read("<config><language.info default_lan=\"2052\"><lan value=\"2052\"></config>");
    EXPECT_EQ(CurrentLcid(), 0);
    EXPECT_EQ(ApplicationName(), kDefaultApplicationName);
    Read("<other><software caption=\"Y\"/></other>");
    EXPECT_EQ(ApplicationName(), kDefaultApplicationName);
}

TEST(ShippedConfig, OffersTheSevenLanguagesAndNamesTheProgram) {
    ReadAppConfig(FromUtf8(std::string(TESSALY_SOURCE_DIR) + "/data/config.xml"));
    EXPECT_EQ(LanguageSet(), (std::vector<int>{2052, 1033, 1028, 1041, 1042, 1058, 1049}));
    EXPECT_EQ(ApplicationName(), u"Tessaly");
}

}  // namespace
}  // namespace tessaly
