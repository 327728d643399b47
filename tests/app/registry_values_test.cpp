#include "app/registry_values.h"

#include <map>

#include <gtest/gtest.h>

#include "app/language_choice.h"
#include "app/language_state.h"
#include "platform/registry_store.h"

namespace tessaly {
namespace {

// An in-memory store whose key can be made unreadable or uncreatable.
class FakeStore : public RegistryStore {
  public:
    bool key_exists = false;
    bool unreadable = false;
    bool creation_fails = false;
    std::map<std::u16string, std::u16string> values;

    KeyOpen OpenKey(std::u16string_view) override {
        if (unreadable)
            return KeyOpen::kFailed;
        return key_exists ? KeyOpen::kOpened : KeyOpen::kMissing;
    }
    bool CreateKey(std::u16string_view) override {
        if (creation_fails)
            return false;
        key_exists = true;
        return true;
    }
    std::optional<std::u16string> ReadValue(std::u16string_view,
                                            std::u16string_view name) override {
        auto it = values.find(std::u16string(name));
        if (it == values.end())
            return std::nullopt;
        return it->second;
    }
    bool WriteValue(std::u16string_view, std::u16string_view name,
                    std::u16string_view text) override {
        if (!key_exists)
            return false;
        values[std::u16string(name)] = text;
        return true;
    }
};

class RegistryValuesTest : public ::testing::Test {
  protected:
    void SetUp() override { SetRegistryStore(store_); }
    void TearDown() override { SetRegistryStore(nullptr); }
    std::shared_ptr<FakeStore> store_ = std::make_shared<FakeStore>();
};

TEST_F(RegistryValuesTest, ReadNumberCreatesAMissingKeyAndGivesZero) {
    EXPECT_EQ(ReadRegistryNumber(kValueExitMode), 0);
    EXPECT_TRUE(store_->key_exists);
    store_->values[u"exit_mode"] = u"1";
    EXPECT_EQ(ReadRegistryNumber(kValueExitMode), 1);
    store_->values[u"exit_mode"] = u"2";  // behaves as exit on close for the caller
    EXPECT_EQ(ReadRegistryNumber(kValueExitMode), 2);
    store_->values[u"exit_mode"] = u"yes";
    EXPECT_EQ(ReadRegistryNumber(kValueExitMode), 0);
    store_->unreadable = true;
    EXPECT_EQ(ReadRegistryNumber(kValueExitMode), 0);
}

TEST_F(RegistryValuesTest, WritesNeedAnOpenableKey) {
    WriteRegistryText(kValueAutorunMinimize, u"1");
    EXPECT_TRUE(store_->values.empty());
    store_->key_exists = true;
    WriteRegistryText(kValueAutorunMinimize, u"1");
    WriteDeviceType(101);
    EXPECT_EQ(store_->values[u"autorun_minimize"], u"1");
    EXPECT_EQ(store_->values[u"DeviceType"], u"101");
}

TEST_F(RegistryValuesTest, DeviceTypeReadDoesNotCreateTheKey) {
    EXPECT_EQ(ReadDeviceType(), 0);
    EXPECT_FALSE(store_->key_exists);
    store_->key_exists = true;
    store_->values[u"DeviceType"] = u"205";
    EXPECT_EQ(ReadDeviceType(), 205);
}

TEST_F(RegistryValuesTest, StoredLanguageFallbacks) {
    EXPECT_EQ(ReadStoredLanguage(), 0);  // missing key: created, 0
    EXPECT_TRUE(store_->key_exists);
    store_->values[u"LCID"] = u"1041";
    EXPECT_EQ(ReadStoredLanguage(), 1041);
    store_->unreadable = true;
    EXPECT_EQ(ReadStoredLanguage(), 2052);
    store_->unreadable = false;
    store_->key_exists = false;
    store_->creation_fails = true;
    EXPECT_EQ(ReadStoredLanguage(), 2052);
}

TEST(ProgramKey, IsNamedAfterTheApplication) {
    EXPECT_EQ(ProgramKey(), u"SOFTWARE\\Tessaly");
}

class LanguageChoiceTest : public RegistryValuesTest {
  protected:
    void Offer(std::initializer_list<int> ids) {
        ClearLanguageSet();
        for (int id : ids)
            AddToLanguageSet(id);
    }
};

TEST_F(LanguageChoiceTest, FirstStartTakesTheUsersLanguageOrEnglish) {
    Offer({1033, 2052});
    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    ChooseLanguageAtStart();
    EXPECT_EQ(CurrentLcid(), 1033);
    EXPECT_EQ(store_->values[u"LCID"], u"1033");

    store_->values.clear();
    ::setenv("LC_ALL", "zh_CN.UTF-8", 1);
    ChooseLanguageAtStart();
    EXPECT_EQ(CurrentLcid(), 2052);
    EXPECT_EQ(store_->values[u"LCID"], u"2052");
    ::unsetenv("LC_ALL");
}

TEST_F(LanguageChoiceTest, StoredChoiceNotOfferedFallsBackToEnglish) {
    Offer({1033, 2052});
    store_->key_exists = true;
    store_->values[u"LCID"] = u"1049";
    ChooseLanguageAtStart();
    EXPECT_EQ(CurrentLcid(), 1033);
    EXPECT_EQ(store_->values[u"LCID"], u"1033");
}

TEST_F(LanguageChoiceTest, UnreadableKeyMeansChineseWhenOffered) {
    Offer({1033, 2052});
    store_->unreadable = true;
    ChooseLanguageAtStart();
    EXPECT_EQ(CurrentLcid(), 2052);
}

TEST_F(LanguageChoiceTest, NoOfferedLanguageForcesEnglish) {
    Offer({});
    store_->key_exists = true;
    store_->values[u"LCID"] = u"2052";
    ChooseLanguageAtStart();
    EXPECT_EQ(CurrentLcid(), 1033);
}

TEST(LocaleNames, MapToLanguageIdentifiers) {
    EXPECT_EQ(LcidFromLocaleName("zh_CN.UTF-8"), 2052);
    EXPECT_EQ(LcidFromLocaleName("zh_SG"), 2052);
    EXPECT_EQ(LcidFromLocaleName("zh_TW.UTF-8"), 1028);
    EXPECT_EQ(LcidFromLocaleName("zh_HK"), 1028);
    EXPECT_EQ(LcidFromLocaleName("ja_JP.UTF-8"), 1041);
    EXPECT_EQ(LcidFromLocaleName("ko_KR"), 1042);
    EXPECT_EQ(LcidFromLocaleName("uk_UA.UTF-8"), 1058);
    EXPECT_EQ(LcidFromLocaleName("ru_RU"), 1049);
    EXPECT_EQ(LcidFromLocaleName("de_AT@euro"), 1031);
    EXPECT_EQ(LcidFromLocaleName("fr_FR"), 1036);
    EXPECT_EQ(LcidFromLocaleName("es_ES"), 3082);
    EXPECT_EQ(LcidFromLocaleName("C"), 1033);
    EXPECT_EQ(LcidFromLocaleName("POSIX"), 1033);
    EXPECT_EQ(LcidFromLocaleName("jav_ID"), 1033);  // not Japanese
}

}  // namespace
}  // namespace tessaly
