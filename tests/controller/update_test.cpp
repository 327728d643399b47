// Updates and the settings page, end to end: the whole program on the
// headless toolkit, a virtual mouse, and a loopback update server.

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/language_state.h"
#include "base/text_format.h"
#include "platform/autostart.h"
#include "platform/shell_open.h"
#include "support/scoped_env.h"
#include "ui/dialogs/colour_values.h"
#include "ui/ids/information_page_ids.h"
#include "ui/ids/main_window_ids.h"
#include "ui/ids/popup_ids.h"
#include "ui/ids/settings_page_ids.h"
#include "ui/localisation/text_ids.h"
#include "ui/pages/control_table.h"
#include "ui/toolkit/controls/buttons.h"
#include "ui/toolkit/controls/item_lists.h"
#include "update/download_folder.h"
#include "update/firmware_reports.h"
#include "update/linux_package.h"
#include "update/test_http_server.h"
#include "update/update_texts.h"
#include "worker_fixture.h"

namespace tessaly::test {
namespace {

// The download folders under the data folder that are still there.
std::vector<std::filesystem::path> DownloadFolders(const std::filesystem::path& data) {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(data)) {
        if (entry.path().filename().string().rfind(kDownloadFolderPrefix, 0) == 0) {
            found.push_back(entry.path());
        }
    }
    return found;
}

using DUI::HeadlessBackend;
using emulator::MouseLink;

std::u16string Text(int number) {
    return LoadLanguageString(number);
}

class UpdateTest : public WorkerTest {
  protected:
    UpdateTest() : previous_languages_(LanguageSet()) {
        ClearLanguageSet();
        AddToLanguageSet(1033);
        AddToLanguageSet(2052);
        SetShellOpenInterceptor([this](const std::vector<std::string>& command) {
            std::lock_guard lock(mutex_);
            opened_.push_back(command);
        });
        SetProcessExitInterceptor([this](int code) {
            std::lock_guard lock(mutex_);
            exits_.push_back(code);
        });
        // Progress dialogs stay up until the worker closes them (or, for the
        // setup, until the process would have ended).
        session.backend().SetModalPolicy([this](DUI::MWindow& window) {
            if (window.GetTitle() != u"UpdateTipDlg" && window.GetTitle() != u"UpdateProcessDlg") {
                return DUI::ModalAnswer::FirstButton();
            }
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
            while (!window.IsModalEnded() && Exits().empty() &&
                   std::chrono::steady_clock::now() < deadline) {
                session.ProcessPending();
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
            return DUI::ModalAnswer::None();
        });
    }
    ~UpdateTest() override {
        SetShellOpenInterceptor({});
        ClearLanguageSet();
        for (int lcid : previous_languages_) {
            AddToLanguageSet(lcid);
        }
    }

    // The window and the mouse, without update checks against the shipped
    // addresses; then the test server's address.
    void OpenConnected() {
        {
            ScopedEnv off("TESSALY_NO_UPDATE_CHECK", "1");
            Plug(true, false);
            Open();
            ASSERT_TRUE(Connected());
        }
        ASSERT_TRUE(server.Running());
        dlg->Update().upgrade_address = FromUtf8(server.Address());
        dlg->Update().firmware_address = FromUtf8(server.Address() + "fw");
        // The settings page's controls take clicks only while it shows.
        ASSERT_TRUE(HeadlessBackend::Click(*dlg, main_id::kSettings));
        ASSERT_TRUE(dlg->settings_page->IsVisible());
    }
    DUI::MControl* SettingsControl(int id) { return ui::FindInPage(*dlg, dlg->settings_page, id); }
    template <typename T>
    T* SettingsControlAs(int id) {
        return dynamic_cast<T*>(SettingsControl(id));
    }
    bool ClickSetting(int id) {
        return DUI::Toolkit::Get().DeliverControlEvent(*SettingsControl(id), DUI::kEventActivated,
                                                       0);
    }
    std::vector<int> Exits() {
        std::lock_guard lock(mutex_);
        return exits_;
    }
    std::vector<std::vector<std::string>> Opened() {
        std::lock_guard lock(mutex_);
        return opened_;
    }
    std::vector<std::u16string> ModalTitles() {
        std::vector<std::u16string> titles;
        for (const DUI::ModalRecord& run : session.backend().ModalRuns()) {
            titles.push_back(run.title);
        }
        return titles;
    }

    ScopedEnv no_proxy_{"http_proxy", std::nullopt};
    ScopedEnv no_https_proxy_{"https_proxy", std::nullopt};
    TestHttpServer server;
    TempDir config_home;
    ScopedEnv xdg_config_{"XDG_CONFIG_HOME", config_home.path().string()};

  private:
    std::vector<int> previous_languages_;
    std::mutex mutex_;
    std::vector<int> exits_;
    std::vector<std::vector<std::string>> opened_;
};

TEST_F(UpdateTest, ANewerFirmwareIsOfferedDownloadedAndWrittenToTheMouse) {
    OpenConnected();
    std::vector<uint8_t> image(1000);
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 7 + 3);
    }
    std::filesystem::create_directories(server.Root().path() / "fw" / "mouse");
    server.Root().Write("fw/mouse/version", "107");
    ASSERT_TRUE(MakeZip((server.Root().path() / "fw/mouse/firmware-107.zip").string(),
                        {{"firmware     -107.bin", std::string(image.begin(), image.end())}}));

    // The information page's check button (its page need not show).
    ASSERT_EQ(dlg->OnMessage(information_id::kMouseFirmwareCheck, DUI::kEventActivated, 0, 0), 1);
    ASSERT_TRUE(WaitFor([&] {
        const auto titles = ModalTitles();
        return std::count(titles.begin(), titles.end(), u"UpdateTipDlg") == 1;
    }));
    ASSERT_TRUE(Settled());

    const emulator::UpgradeLoader loader = mouse->Loader(MouseLink::kCable);
    EXPECT_TRUE(loader.Started());
    EXPECT_TRUE(loader.Finished());
    EXPECT_EQ(loader.Errors(), 0);
    EXPECT_TRUE(loader.Contiguous());
    std::vector<uint8_t> padded = image;
    padded.resize((image.size() + 15) / 16 * 16, 0xFF);
    EXPECT_EQ(loader.Image(), padded);

    const auto runs = session.backend().ModalRuns();
    ASSERT_GE(runs.size(), 2u);
    // The offer names the version as major.minor, and the dialog was closed.
    EXPECT_EQ(runs[0].title, u"MessageBox");
    EXPECT_NE(
        std::find(runs[0].texts.begin(), runs[0].texts.end(),
                  Text(text::kNewVersionFound) + u":V1.07, " + Text(text::kUpdateNowQuestion)),
        runs[0].texts.end());
    EXPECT_EQ(runs[1].title, u"UpdateTipDlg");
    EXPECT_EQ(runs[1].result, 1);
    auto* tip = dynamic_cast<DUI::MDialog*>(dlg->firmware_progress.get());
    ASSERT_NE(tip, nullptr);
    auto* status = HeadlessBackend::FindAs<DUI::MControlFont>(*tip, update_tip_id::kText, 1);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->GetTitle(), Text(text::kUpgradeComplete) + u": 100%");
    EXPECT_EQ(Title(information_id::kMouseStatus), Text(text::kNewVersionFound) + u": V1.07");
    EXPECT_TRUE(DownloadFolders(user.path()).empty());
}

TEST_F(UpdateTest, AFirmwareCheckWithoutAServerIsRefusedInABoxAndAsksNothing) {
    OpenConnected();
    dlg->Update().firmware_address.clear();
    const size_t before = session.backend().ModalRuns().size();
    ASSERT_EQ(dlg->OnMessage(information_id::kMouseFirmwareCheck, DUI::kEventActivated, 0, 0), 1);
    ASSERT_TRUE(Settled());
    const auto runs = session.backend().ModalRuns();
    ASSERT_EQ(runs.size(), before + 1);
    EXPECT_EQ(runs.back().title, u"MessageBox");
    EXPECT_NE(std::ranges::find(runs.back().texts, Text(text::kMouseFirmware)),
              runs.back().texts.end());
    EXPECT_NE(std::ranges::find(runs.back().texts, Text(text::kNoMouseFirmwareOffered)),
              runs.back().texts.end());
    EXPECT_EQ(Title(information_id::kMouseStatus), Text(text::kNotCheckedYet));
}

// "Update now" on this system: the archive's package goes to the desktop's
// installer through xdg-open, the window says so and the program stays.
TEST_F(UpdateTest, TheSoftwareUpdateHandsItsPackageToTheInstallerAndStays) {
    OpenConnected();
    server.Root().Write("version", "1.0.2");
    const std::string package = PackageFileName("1.0.2");
    ASSERT_TRUE(MakeZip(
        (server.Root().path() / "Mouse-Setup-1.0.2.zip").string(),
        {{"Mouse-Setup-1.0.2.exe", std::string(30000, 's')}, {package, std::string(30000, 'd')}}));
    ASSERT_TRUE(ClickSetting(settings_id::kUpdateCheck));
    ASSERT_TRUE(WaitFor([&] { return ModalTitles().size() == 3; }));
    ASSERT_TRUE(Settled());

    EXPECT_TRUE(Exits().empty());
    const std::vector<std::filesystem::path> folders = DownloadFolders(user.path());
    ASSERT_EQ(folders.size(), 1u);
    const std::string path = (folders[0] / package).string();
    EXPECT_EQ(Opened(), (std::vector<std::vector<std::string>>{{"xdg-open", path}}));
    const auto runs = session.backend().ModalRuns();
    const auto told = std::ranges::count_if(runs, [&](const DUI::ModalRecord& r) {
        return r.title == u"MessageBox" &&
               std::ranges::find(r.texts, Format(Text(text::kPackageHandedToInstaller),
                                                 FromUtf8(path))) != r.texts.end();
    });
    EXPECT_EQ(told, 1);
    auto* status = SettingsControlAs<DUI::MControlFont>(settings_id::kVersionStatus);
    EXPECT_EQ(status->GetTitle(), Text(text::kNewVersionFound) + u": v1.0.2");
    EXPECT_TRUE(SettingsControl(settings_id::kUpdateCheck)->IsEnabled());
    // The progress dialog followed the download to its end.
    ASSERT_TRUE(WaitFor([&] {
        auto* progress = dynamic_cast<DUI::MDialog*>(dlg->update_progress.get());
        auto* text = progress ? HeadlessBackend::FindAs<DUI::MControlFont>(
                                    *progress, update_progress_id::kStatus)
                              : nullptr;
        return text && text->GetTitle() == Text(text::kDownloading) + u": 100%";
    }));
}

TEST_F(UpdateTest, AFailedSoftwareDownloadClosesItsDialogAndSaysSo) {
    OpenConnected();
    server.Root().Write("version", "1.0.3");  // but no archive
    ASSERT_TRUE(ClickSetting(settings_id::kUpdateCheck));
    ASSERT_TRUE(WaitFor([&] { return ModalTitles().size() == 3; }));
    ASSERT_TRUE(Settled());
    // The offer, the progress dialog closed by the worker, and the failure
    // box (which may run while the dialog's run is winding down).
    const auto runs = session.backend().ModalRuns();
    const auto progress = std::find_if(runs.begin(), runs.end(), [](const DUI::ModalRecord& r) {
        return r.title == u"UpdateProcessDlg";
    });
    ASSERT_NE(progress, runs.end());
    EXPECT_EQ(progress->result, 1);
    const auto boxes = std::count_if(runs.begin(), runs.end(), [](const DUI::ModalRecord& r) {
        return r.title == u"MessageBox" && !r.texts.empty() &&
               r.texts[0] == Text(text::kSoftwareUpdateTitle);
    });
    EXPECT_EQ(boxes, 2);
    EXPECT_TRUE(Exits().empty());
    EXPECT_TRUE(Opened().empty());
}

TEST_F(UpdateTest, ACurrentSoftwareIsNotOffered) {
    OpenConnected();
    auto* status = SettingsControlAs<DUI::MControlFont>(settings_id::kVersionStatus);
    // "Not checked yet" is not drawn as a success.
    EXPECT_NE(status->GetTextColor(), kSuccessGreen);
    server.Root().Write("version", "1.0.1");
    ASSERT_TRUE(ClickSetting(settings_id::kUpdateCheck));
    ASSERT_TRUE(Settled());
    EXPECT_TRUE(WaitFor([&] { return status->GetTitle() == Text(text::kLatestVersion); }));
    EXPECT_EQ(status->GetTextColor(), kSuccessGreen);
    EXPECT_FALSE(SettingsControl(settings_id::kUpdateCheck)->IsEnabled());
    EXPECT_TRUE(ModalTitles().empty());
}

TEST_F(UpdateTest, ACheckThatReachesNoVersionIsNotShownAsASuccess) {
    OpenConnected();
    auto* status = SettingsControlAs<DUI::MControlFont>(settings_id::kVersionStatus);
    ASSERT_TRUE(ClickSetting(settings_id::kUpdateCheck));  // the server has no version
    ASSERT_TRUE(Settled());
    EXPECT_TRUE(
        WaitFor([&] { return status->GetTitle() == Text(text::kUpdateServerUnreachable); }));
    EXPECT_NE(status->GetTextColor(), kSuccessGreen);
    EXPECT_TRUE(SettingsControl(settings_id::kUpdateCheck)->IsEnabled());
}

TEST_F(UpdateTest, StartWithTheDesktopControlsStartMinimised) {
    OpenConnected();
    auto* start = SettingsControlAs<DUI::CCheckButton>(settings_id::kStartWithSystem);
    auto* minimised = SettingsControlAs<DUI::CCheckButton>(settings_id::kStartMinimised);
    ASSERT_FALSE(start->GetCheck());
    ASSERT_FALSE(minimised->IsEnabled());

    ASSERT_TRUE(ClickSetting(settings_id::kStartWithSystem));
    EXPECT_TRUE(start->GetCheck());
    EXPECT_TRUE(minimised->IsEnabled());
    EXPECT_TRUE(AutorunEntryPresent());
    EXPECT_EQ(ReadAutorunCommandLine(), AutorunCommandLine(ExecutablePath()));

    ASSERT_TRUE(ClickSetting(settings_id::kStartMinimised));
    EXPECT_EQ(ReadRegistryNumber(kValueAutorunMinimize), 1);

    ASSERT_TRUE(ClickSetting(settings_id::kStartWithSystem));
    EXPECT_FALSE(start->GetCheck());
    EXPECT_FALSE(minimised->GetCheck());
    EXPECT_FALSE(minimised->IsEnabled());
    EXPECT_FALSE(AutorunEntryPresent());
}

TEST_F(UpdateTest, AnAutorunEntryTooLongForItsBufferReadsAsAbsent) {
    ASSERT_TRUE(WriteAutorunEntry(u"/opt/" + std::u16string(300, u'x') + u"/tessaly"));
    ASSERT_TRUE(ReadAutorunCommandLine().has_value());
    OpenConnected();
    EXPECT_FALSE(SettingsControlAs<DUI::CCheckButton>(settings_id::kStartWithSystem)->GetCheck());
    EXPECT_FALSE(SettingsControl(settings_id::kStartMinimised)->IsEnabled());
}

TEST_F(UpdateTest, TheExitRadioButtonsStoreTheCloseBehaviour) {
    OpenConnected();
    EXPECT_TRUE(SettingsControlAs<DUI::CRadioButton>(settings_id::kCloseExits)->GetCheck());
    ASSERT_TRUE(ClickSetting(settings_id::kCloseHidesToTray));
    EXPECT_EQ(ReadRegistryNumber(kValueExitMode), 1);
    EXPECT_FALSE(SettingsControlAs<DUI::CRadioButton>(settings_id::kCloseExits)->GetCheck());
    ASSERT_TRUE(ClickSetting(settings_id::kCloseExits));
    EXPECT_EQ(ReadRegistryNumber(kValueExitMode), 0);
    EXPECT_EQ(CurrentRegistryStore()->ReadValue(ProgramKey(), kValueExitMode), u"0");
}

TEST_F(UpdateTest, TheLanguageListHoldsOfferedLanguagesAndAChoiceReappliesTexts) {
    OpenConnected();
    auto* languages = SettingsControlAs<DUI::MComboBox>(settings_id::kLanguage);
    std::vector<intptr_t> listed;
    for (int i = 0; i < languages->GetItemCount(); ++i) {
        listed.push_back(languages->GetItemData(i));
    }
    // In the order of the known languages, only those offered.
    EXPECT_EQ(listed, (std::vector<intptr_t>{2052, 1033}));
    EXPECT_EQ(languages->GetCurData(), 1033);
    const std::u16string english =
        SettingsControlAs<DUI::MControlFont>(settings_id::kUpdateCheck)->GetTitle();

    ASSERT_TRUE(DUI::Toolkit::Get().DeliverControlEvent(*languages, DUI::kEventActivated, 0));
    EXPECT_EQ(CurrentLcid(), 2052);
    EXPECT_EQ(ReadStoredLanguage(), 2052);
    EXPECT_TRUE(WaitFor([&] {
        return SettingsControlAs<DUI::MControlFont>(settings_id::kUpdateCheck)->GetTitle() ==
               Text(text::kCheckForUpdates);
    }));
    EXPECT_NE(Text(text::kCheckForUpdates), english);
    EXPECT_EQ(SettingsControlAs<DUI::MControlFont>(settings_id::kStartWithSystem)->GetTitle(),
              Text(text::kStartWithSystem));
    EXPECT_EQ(Title(main_id::kDeviceState), Text(51));
}

TEST_F(UpdateTest, ReturnLeavesTheSettingsPage) {
    OpenConnected();
    ASSERT_TRUE(ClickSetting(settings_id::kReturn));
    EXPECT_FALSE(dlg->settings_page->IsVisible());
}

TEST_F(UpdateTest, FactoryResetAsksThenResetsAndRereadsOnTheNextConnection) {
    OpenConnected();
    SetConfigValue(1, u"dpi_group0_value", u"1234");
    session.backend().SetModalAnswer(DUI::ModalAnswer::SecondButton());
    session.backend().SetModalPolicy({});
    ASSERT_TRUE(ClickSetting(settings_id::kFactoryReset));
    ASSERT_TRUE(Settled());
    EXPECT_EQ(Stored(1, u"dpi_group0_value"), u"1234");
    EXPECT_TRUE(controller->Device().WasRead(kWirelessType));

    session.backend().SetModalAnswer(DUI::ModalAnswer::FirstButton());
    ASSERT_TRUE(ClickSetting(settings_id::kFactoryReset));
    EXPECT_FALSE(controller->Device().WasRead(kWirelessType));
    ASSERT_NE(dlg->wait_dialog, nullptr);
    EXPECT_TRUE(dlg->wait_dialog->IsVisible());
    ASSERT_TRUE(Settled());
    EXPECT_NE(Stored(1, u"dpi_group0_value"), u"1234");
    const auto runs = session.backend().ModalRuns();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[1].texts,
              (std::vector<std::u16string>{Text(text::kFactoryResetTitle),
                                           Text(text::kFactoryResetQuestion), Text(23), Text(25)}));
}

TEST_F(UpdateTest, FactoryResetWithoutTheMouseOnlySaysSo) {
    {
        ScopedEnv off("TESSALY_NO_UPDATE_CHECK", "1");
        Open();
        ASSERT_TRUE(Settled());
    }
    ASSERT_TRUE(HeadlessBackend::Click(*dlg, main_id::kSettings));
    ASSERT_TRUE(ClickSetting(settings_id::kFactoryReset));
    ASSERT_TRUE(Settled());
    const auto runs = session.backend().ModalRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].texts[0], Text(text::kNoticeTitle));
    EXPECT_EQ(runs[0].texts[1], Text(text::kDeviceNotConnected));
    EXPECT_EQ(dlg->wait_dialog, nullptr);
}

TEST_F(UpdateTest, TheLinksOpenTheirAddresses) {
    OpenConnected();
    for (int id : {settings_id::kWebsiteLink, settings_id::kFeedbackLink, settings_id::kQaLink}) {
        ASSERT_TRUE(ClickSetting(id));
    }
    EXPECT_EQ(Opened(), (std::vector<std::vector<std::string>>{
                            {"xdg-open", ToUtf8(dlg->Update().website_address)},
                            {"xdg-open", ToUtf8(dlg->Update().feedback_address)},
                            {"xdg-open", ToUtf8(dlg->Update().qa_address)}}));
    EXPECT_EQ(dlg->Update().feedback_address, u"https://www.example.invalid/feedback/");
}

}  // namespace
}  // namespace tessaly::test
