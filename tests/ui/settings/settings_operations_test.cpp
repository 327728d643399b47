#include "ui/settings/settings_operations.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

#include "../dialogs/numbered_language.h"
#include "app/language_state.h"
#include "base/task.h"
#include "platform/autostart.h"
#include "platform/folders.h"
#include "support/scoped_env.h"
#include "support/temp_dir.h"
#include "ui/localisation/text_ids.h"

namespace tessaly {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SettingsOperationsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ClearLanguageSet();
        AddToLanguageSet(1033);
        AddToLanguageSet(2052);
        SetCurrentLcid(1033);
    }

    test::TempDir config;
    test::ScopedEnv xdg{"XDG_CONFIG_HOME", config.path().string()};
    test::NumberedLanguage language;
};

TEST_F(SettingsOperationsTest, OnlyAnOfferedLanguageIsTaken) {
    EXPECT_TRUE(SetLanguage(2052).ok());
    EXPECT_EQ(CurrentLcid(), 2052);
    // Known but not offered by config.xml, and offered but not known.
    AddToLanguageSet(4242);
    for (int lcid : {1049, 4242, 0}) {
        EXPECT_EQ(SetLanguage(lcid).refusal, SettingsRefusal::kLanguageNotOffered) << lcid;
        EXPECT_EQ(CurrentLcid(), 2052) << lcid;
    }
}

TEST_F(SettingsOperationsTest, StartingWithTheSessionAndMinimisedGoTogether) {
    StoredCloseMode();  // the page reads its values first, which makes the program key
    EXPECT_FALSE(StoredAutostart().with_session);
    // Starting hidden waits for the session to start the program at all.
    EXPECT_EQ(SetStartMinimised(true).refusal, SettingsRefusal::kNotStartingWithSession);
    EXPECT_TRUE(SetStartMinimised(false).ok());
    EXPECT_FALSE(StoredAutostart().minimised);
    ASSERT_TRUE(SetStartWithSession(true).ok());
    EXPECT_FALSE(StoredAutostart().minimised);
    EXPECT_TRUE(AutorunEntryPresent());
    ASSERT_TRUE(SetStartMinimised(true).ok());
    EXPECT_TRUE(StoredAutostart().minimised);

    ASSERT_TRUE(SetStartWithSession(false).ok());
    EXPECT_FALSE(AutorunEntryPresent());
    EXPECT_FALSE(StoredAutostart().minimised);
    // Turned on again, it does not start minimised from before.
    ASSERT_TRUE(SetStartWithSession(true).ok());
    EXPECT_TRUE(StoredAutostart().with_session);
    EXPECT_FALSE(StoredAutostart().minimised);
}

TEST_F(SettingsOperationsTest, TheEntryStartsTheProgramItIsGiven) {
    ASSERT_TRUE(SetStartWithSession(true, u"/opt/tessaly/bin/tessaly").ok());
    EXPECT_EQ(ReadAutorunCommandLine(), u"/opt/tessaly/bin/tessaly -autorun");
    ASSERT_TRUE(SetStartWithSession(true).ok());
    EXPECT_EQ(ReadAutorunCommandLine(), AutorunCommandLine(ExecutablePath()));
}

TEST_F(SettingsOperationsTest, TheCloseModeIsKept) {
    EXPECT_EQ(StoredCloseMode(), CloseMode::kExit);
    SetCloseMode(CloseMode::kHideToTray);
    EXPECT_EQ(StoredCloseMode(), CloseMode::kHideToTray);
    SetCloseMode(CloseMode::kExit);
    EXPECT_EQ(StoredCloseMode(), CloseMode::kExit);
}

class FakeResetHost : public FactoryResetHost {
  public:
    bool DeviceOnline() const override { return online; }
    void ClearReadSet() override { steps.push_back("clear"); }
    void QueueTask(int32_t code) override { steps.push_back("task " + std::to_string(code)); }
    void ShowSaveWait() override { steps.push_back("wait"); }

    bool online = true;
    std::vector<std::string> steps;
};

TEST(FactoryResetTest, AsksOnlyWithTheMouseOnlineAndResetsOnlyOnAYes) {
    FakeResetHost host;
    int asked = 0;
    host.online = false;
    const SettingsChange offline = FactoryReset(host, [&] { return ++asked, true; });
    EXPECT_EQ(offline.refusal, SettingsRefusal::kNotConnected);
    EXPECT_EQ(offline.refusal_text, text::kDeviceNotConnected);
    EXPECT_EQ(asked, 0);
    EXPECT_THAT(host.steps, IsEmpty());

    host.online = true;
    EXPECT_EQ(FactoryReset(host, [&] { return ++asked, false; }).refusal,
              SettingsRefusal::kNotConfirmed);
    EXPECT_EQ(asked, 1);
    EXPECT_THAT(host.steps, IsEmpty());

    EXPECT_TRUE(FactoryReset(host, [&] { return ++asked, true; }).ok());
    EXPECT_THAT(
        host.steps,
        ElementsAre("clear", "task " + std::to_string(kTaskRestoreFactorySettings), "wait"));
}

}  // namespace
}  // namespace tessaly
