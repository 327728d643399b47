#include "ui/localisation/language_change.h"

#include <memory>

#include <gtest/gtest.h>

#include "app/language_state.h"
#include "app/registry_values.h"
#include "platform/folders.h"
#include "platform/ini_registry_store.h"
#include "support/temp_dir.h"
#include "ui/localisation/known_languages.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

class LanguageChangeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_.Write("language/1033.lan", "[LAN]\n600=Language\n");
        dir_.Write("language/1049.lan", "[LAN]\n600=\xD0\xAF\xD0\xB7\xD1\x8B\xD0\xBA\n");
        SetProgramFolderOverride(dir_.u16(true));
        SetRegistryStore(
            std::make_shared<IniRegistryStore>((dir_.path() / "registry.ini").string()));
        // Start-up reads the stored choice first, which creates the program key.
        ASSERT_EQ(ReadStoredLanguage(), 0);
        SetCurrentLcid(1033);
    }
    void TearDown() override {
        SetApplyLanguageHandler({});
        SetRegistryStore(nullptr);
        SetProgramFolderOverride(u"");
        ReloadLanguageFiles();
    }

    test::TempDir dir_;
};

TEST_F(LanguageChangeTest, SetsTheLanguageStoresItAndSetsTheFonts) {
    EXPECT_EQ(LoadLanguageString(text::kLanguage), u"Language");
    ChangeLanguage(1049);
    EXPECT_EQ(CurrentLcid(), 1049);
    EXPECT_EQ(ReadStoredLanguage(), 1049);
    EXPECT_EQ(LoadLanguageString(text::kLanguage), u"\u042F\u0437\u044B\u043A");
    EXPECT_EQ(ToolkitDefaultFontName(), u"Open Sans Semibold");
    EXPECT_EQ(StateFontName(), u"Open Sans Semibold");
    EXPECT_EQ(ButtonFontName(), u"Open Sans Semibold");
}

TEST_F(LanguageChangeTest, TheMainWindowReappliesItsTextsInTheNewLanguage) {
    int calls = 0;
    std::u16string seen;
    SetApplyLanguageHandler([&] {
        ++calls;
        seen = LoadLanguageString(text::kLanguage);
    });
    ChangeLanguage(1049);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(seen, u"\u042F\u0437\u044B\u043A");
    // Choosing the same language again re-reads an edited file.
    dir_.Write("language/1049.lan", "[LAN]\n600=edited\n");
    ChangeLanguage(1049);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(seen, u"edited");
}

TEST(KnownLanguages, OfferedInTheFixedOrderWhateverTheConfigOrder) {
    ClearLanguageSet();
    for (int lcid : {1049, 1033, 9999, 2052})
        AddToLanguageSet(lcid);
    const auto offered = OfferedLanguages();
    ASSERT_EQ(offered.size(), 3u);
    EXPECT_EQ(offered[0].lcid, 2052);
    EXPECT_EQ(offered[1].lcid, 1033);
    EXPECT_EQ(offered[2].lcid, 1049);
    EXPECT_EQ(LanguageDisplayName(9999), u"");
    ClearLanguageSet();
    EXPECT_TRUE(OfferedLanguages().empty());
}

TEST(KnownLanguages, EachIsNamedInItsOwnLanguage) {
    EXPECT_EQ(LanguageDisplayName(2052), u"\u7B80\u4F53\u4E2D\u6587");  // 简体中文
    EXPECT_EQ(LanguageDisplayName(1033), u"English");
    EXPECT_EQ(LanguageDisplayName(1028), u"\u7E41\u9AD4\u4E2D\u6587");  // 繁體中文
    EXPECT_EQ(LanguageDisplayName(1041), u"\u65E5\u672C\u8A9E");        // 日本語
    EXPECT_EQ(LanguageDisplayName(1042), u"\uD55C\uAD6D\uC5B4");        // 한국어
    EXPECT_EQ(LanguageDisplayName(1058),
              u"\u0423\u043A\u0440\u0430\u0457\u043D\u0441\u044C\u043A\u0430");
    EXPECT_EQ(LanguageDisplayName(1049), u"\u0420\u0443\u0441\u0441\u043A\u0438\u0439");
}

}  // namespace
}  // namespace tessaly
