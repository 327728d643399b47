#include "ui/localisation/language_strings.h"

#include <atomic>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/language_state.h"
#include "base/unicode.h"
#include "platform/folders.h"
#include "support/temp_dir.h"
#include "ui/localisation/language_file.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

class LanguageStringsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Write(1033, "[LAN]\n17=Software version\n50=Not connected\n");
        Write(2052, "[LAN]\n17=\xE8\xBD\xAF\xE4\xBB\xB6\xE7\x89\x88\xE6\x9C\xAC\n50=x\n");
        SetProgramFolderOverride(dir_.u16(true));
        SetCurrentLcid(1033);
    }
    void TearDown() override {
        SetProgramFolderOverride(u"");
        ReloadLanguageFiles();
    }
    void Write(int lcid, const std::string& content) {
        dir_.Write("language/" + std::to_string(lcid) + ".lan", content);
    }

    test::TempDir dir_;
};

TEST_F(LanguageStringsTest, LooksUpTheFileOfTheCurrentLanguage) {
    EXPECT_EQ(LanguageFilePath(1033), dir_.u16(true) + u"language/1033.lan");
    EXPECT_EQ(LoadLanguageString(kLanguageSection, text::kSoftwareVersion), u"Software version");
    SetCurrentLcid(2052);
    EXPECT_EQ(LoadLanguageString(text::kSoftwareVersion), u"\u8F6F\u4EF6\u7248\u672C");
    SetCurrentLcid(1033);
    EXPECT_EQ(LoadLanguageString(text::kNotConnected), u"Not connected");
}

TEST_F(LanguageStringsTest, NoFallbackToAnotherLanguage) {
    SetCurrentLcid(1041);  // no file
    EXPECT_EQ(LoadLanguageString(text::kSoftwareVersion), u"");
    SetCurrentLcid(1033);
    EXPECT_EQ(LoadLanguageString(text::kWired), u"");  // missing key
    EXPECT_EQ(LoadLanguageString(u"OTHER", text::kSoftwareVersion), u"");
}

TEST_F(LanguageStringsTest, AFileIsReadAgainWhenTheLanguageChangesBack) {
    EXPECT_EQ(LoadLanguageString(text::kNotConnected), u"Not connected");
    Write(1033, "[LAN]\n50=Offline\n");
    // Still the same language: the parsed file is kept.
    EXPECT_EQ(LoadLanguageString(text::kNotConnected), u"Not connected");
    SetCurrentLcid(2052);
    EXPECT_EQ(LoadLanguageString(text::kNotConnected), u"x");
    SetCurrentLcid(1033);
    EXPECT_EQ(LoadLanguageString(text::kNotConnected), u"Offline");
    Write(1033, "[LAN]\n50=Reloaded\n");
    ReloadLanguageFiles();
    EXPECT_EQ(LoadLanguageString(text::kNotConnected), u"Reloaded");
}

TEST_F(LanguageStringsTest, VersionLine) {
    EXPECT_EQ(SoftwareVersionLine(u"1.0.0"), u"Software version: v1.0.0");
    Write(1033, "[LAN]\n50=no version text\n");
    ReloadLanguageFiles();
    EXPECT_EQ(SoftwareVersionLine(u"1.0.0"), u": v1.0.0");
}

TEST_F(LanguageStringsTest, LongTextsAreCut) {
    Write(1033, "[LAN]\n596=" + std::string(400, 'w') + "\n");
    ReloadLanguageFiles();
    EXPECT_EQ(LoadLanguageString(text::kUpgradeWarning), std::u16string(259, u'w'));
}

// The worker looks texts up while the UI thread switches the language: each
// lookup gives the text of one language or the other, never a torn one.
TEST_F(LanguageStringsTest, LookupsFromTwoThreadsWhileTheLanguageChanges) {
    std::atomic<bool> done{false};
    std::atomic<int> wrong{0};
    std::vector<std::thread> readers;
    for (int i = 0; i < 2; ++i) {
        readers.emplace_back([&] {
            while (!done) {
                const auto value = LoadLanguageString(text::kNotConnected);
                if (value != u"Not connected" && value != u"x")
                    ++wrong;
            }
        });
    }
    for (int i = 0; i < 200; ++i) {
        SetCurrentLcid(i % 2 == 0 ? 2052 : 1033);
        if (i % 10 == 0)
            ReloadLanguageFiles();
        std::this_thread::yield();
    }
    done = true;
    for (auto& reader : readers)
        reader.join();
    EXPECT_EQ(wrong, 0);
}

}  // namespace
}  // namespace tessaly
