#include "ui/localisation/unit_texts.h"

#include <gtest/gtest.h>

#include "app/language_state.h"
#include "platform/folders.h"
#include "support/temp_dir.h"
#include "ui/localisation/language_strings.h"

namespace tessaly {
namespace {

class UnitTextsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_.Write("language/1033.lan", "[LAN]\n752=%1Hz\n753=%1mm\n754=%1 ms\n");
        dir_.Write("language/1049.lan",
                   "[LAN]\n752=%1 \xD0\x93\xD1\x86\n754=%1 \xD0\xBC\xD1\x81\n");
        // Broken translations: no place for the number, two places, a
        // printf directive.
        dir_.Write("language/1058.lan", "[LAN]\n752=Hz\n753=%1%1\n754=%s %n %1\n");
        SetProgramFolderOverride(dir_.u16(true));
    }
    void TearDown() override {
        SetProgramFolderOverride(u"");
        Use(1033);
    }
    static void Use(int lcid) {
        SetCurrentLcid(lcid);
        ReloadLanguageFiles();
    }

    test::TempDir dir_;
};

TEST_F(UnitTextsTest, TheLanguageWritesTheUnit) {
    Use(1033);
    EXPECT_EQ(WithUnit(Unit::kHertz, 1000), u"1000Hz");
    EXPECT_EQ(WithUnit(Unit::kMillimetre, u"1.0"), u"1.0mm");
    EXPECT_EQ(WithUnit(Unit::kMillisecond, 25), u"25 ms");
    EXPECT_EQ(UnitName(Unit::kMillisecond), u"ms");
    Use(1049);
    EXPECT_EQ(WithUnit(Unit::kHertz, 125), u"125 \u0413\u0446");
    EXPECT_EQ(UnitName(Unit::kMillisecond), u"\u043C\u0441");
    // A text the language lacks is the English one.
    EXPECT_EQ(WithUnit(Unit::kMillimetre, u"2.0"), u"2.0mm");
}

TEST_F(UnitTextsTest, ABrokenTranslationNeverLosesTheNumber) {
    Use(1058);
    EXPECT_EQ(WithUnit(Unit::kHertz, 500), u"500Hz");
    EXPECT_EQ(WithUnit(Unit::kMillimetre, u"1.0"), u"1.0mm");
    // Only "%1" is replaced; anything else stays text.
    EXPECT_EQ(WithUnit(Unit::kMillisecond, 7), u"%s %n 7");
}

}  // namespace
}  // namespace tessaly
