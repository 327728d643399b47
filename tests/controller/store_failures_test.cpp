// A change the store did not keep never reaches the mouse, and the user is
// told; a store that cannot be used sends nothing at all.

#include <filesystem>
#include <fstream>

#include "base/text_format.h"
#include "performance/change_operations.h"
#include "storage/store_health.h"
#include "ui/localisation/text_ids.h"
#include "worker_fixture.h"

namespace tessaly::test {
namespace {

class StoreFailures : public WorkerTest {
  protected:
    void ReadOnlyStore(bool read_only) {
        SettingsDatabase::Instance().Lock().db().Execute(read_only ? "PRAGMA query_only = 1"
                                                                   : "PRAGMA query_only = 0");
    }
    int MessagesShown(std::u16string_view message) {
        int shown = 0;
        for (const DUI::ModalRecord& run : session.backend().ModalRuns()) {
            for (const std::u16string& text : run.texts) {
                shown += text == message ? 1 : 0;
            }
        }
        return shown;
    }
    std::vector<uint8_t> MouseSetting(uint8_t code) { return mouse->State().settings.at(code); }
};

TEST_F(StoreFailures, AChangeNotStoredIsNotSentAndToldOncePerBurst) {
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    const auto rate = MouseSetting(0x02);
    const auto sleep = MouseSetting(0x07);
    ReadOnlyStore(true);
    SetReportRate(controller->Performance(), 8);
    SetSleepTime(controller->Performance(), 120);
    SetMoveWakeup(controller->Performance(), false);
    EXPECT_TRUE(controller->Tasks().Empty()) << "nothing queued";
    ASSERT_TRUE(Settled());
    const std::u16string message = LoadLanguageString(text::kSettingsNotSaved);
    ASSERT_FALSE(message.empty());
    EXPECT_TRUE(WaitFor([&] { return MessagesShown(message) == 1; }));
    EXPECT_EQ(MouseSetting(0x02), rate);
    EXPECT_EQ(MouseSetting(0x07), sleep);
    EXPECT_EQ(Stored(1, u"report_rate"), u"1");

    // Stored again: sent again; a later failure is a new burst.
    ReadOnlyStore(false);
    SetReportRate(controller->Performance(), 8);
    ASSERT_TRUE(Settled());
    EXPECT_EQ(MouseSetting(0x02), std::vector<uint8_t>{8});
    ReadOnlyStore(true);
    SetReportRate(controller->Performance(), 4);
    ASSERT_TRUE(Settled());
    EXPECT_TRUE(WaitFor([&] { return MessagesShown(message) == 2; }));
    EXPECT_EQ(MouseSetting(0x02), std::vector<uint8_t>{8});
    ReadOnlyStore(false);
}

TEST_F(StoreFailures, NothingIsSentFromAStoreThatCannotBeUsed) {
    // The settings file is a folder: the model's store cannot be opened.
    const std::filesystem::path db = user.path() / "db" / "tx7w_data.db";
    std::filesystem::create_directories(db);
    Plug(true, false);
    Open();
    ASSERT_TRUE(Settled());
    EXPECT_FALSE(SettingsDatabase::Instance().IsOpened());
    EXPECT_NE(SettingsDatabase::Instance().Problem().find("is a folder"), std::string::npos);
    const std::u16string told = Format(LoadLanguageString(text::kSettingsUnusable),
                                       FromUtf8(SettingsDatabase::Instance().Problem()));
    EXPECT_TRUE(WaitFor([&] { return MessagesShown(told) >= 1; }));

    const auto before = mouse->State().settings;
    for (int code : {5, 6, 9, 10, 11, 12, 13}) {
        dlg->QueueTask(code);
    }
    ASSERT_TRUE(Settled());
    EXPECT_EQ(mouse->State().settings, before) << "no zeros reach the mouse";
}

TEST_F(StoreFailures, ADamagedFileKeptAsideIsNamedToTheUser) {
    std::filesystem::create_directories(user.path() / "db");
    std::ofstream(user.path() / "db" / "tx7w_data.db") << std::string(4096, 'x');
    Plug(true, false);
    Open();
    ASSERT_TRUE(Connected());
    std::string kept;
    for (const StoreNotice& notice : StoreHealth::Instance().Notices()) {
        if (notice.kind == StoreNoticeKind::kReplaced) {
            kept = notice.detail;
        }
    }
    ASSERT_FALSE(kept.empty());
    EXPECT_TRUE(std::filesystem::exists(kept));
    const std::u16string told =
        Format(LoadLanguageString(text::kSettingsFileReplaced), FromUtf8(kept));
    EXPECT_TRUE(WaitFor([&] { return MessagesShown(told) == 1; }));
}

}  // namespace
}  // namespace tessaly::test
