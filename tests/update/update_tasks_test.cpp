#include "update/update_tasks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/language_state.h"
#include "base/unicode.h"
#include "platform/folders.h"
#include "platform/process_exit.h"
#include "platform/shell_open.h"
#include "support/scoped_env.h"
#include "ui/localisation/language_strings.h"
#include "ui/localisation/text_ids.h"
#include "update/download_folder.h"
#include "update/linux_package.h"
#include "update/test_http_server.h"
#include "update/update_texts.h"

namespace tessaly::test {
namespace {

// Records what the tasks do to the window.
class RecordingHost : public UpdateHost {
  public:
    std::u16string SoftwareUpdateAddress() const override { return software_address; }
    std::u16string LocalSoftwareVersion() const override { return local_version; }
    std::u16string FirmwareAddress() const override { return firmware_address; }
    std::u16string DeviceVersion() const override { return device_version; }
    std::u16string NewSoftwareVersion() const override { return new_software; }
    void SetNewSoftwareVersion(std::u16string v) override { new_software = std::move(v); }
    std::u16string DownloadPageAddress() const override { return download_page; }
    std::u16string NewFirmwareVersion() const override { return new_firmware; }
    void SetNewFirmwareVersion(std::u16string v) override { new_firmware = std::move(v); }
    void ShowSoftwareStatus(TextBuilder build, std::u16string version, bool enabled) override {
        software_status.push_back({build(version), enabled});
    }
    void ShowFirmwareStatus(TextBuilder build, std::u16string version, bool enabled) override {
        firmware_status.push_back({build(version), enabled});
    }
    void PostUpdateAvailable(int kind) override { offers.push_back(kind); }
    void PostDownloadProgress(int percent) override { progress.push_back(percent); }
    void SetUpgradeProgress(int percent, int text) override {
        upgrade_steps.push_back({percent, text});
    }
    void CloseUpgradeDialog() override { ++upgrade_closed; }
    void UpgradeEnded(UpgradeOutcome outcome, bool downloaded) override {
        endings.push_back({outcome, downloaded});
    }
    void CloseDownloadDialog() override { ++download_closed; }
    void SoftwareDownloadEnded(SoftwareDownloadOutcome outcome,
                               const std::u16string& package) override {
        downloads.push_back({outcome, package});
    }
    void ReportFailure(int title, int message) override { failures.push_back({title, message}); }
    void Tell(int title, std::u16string message) override { told.push_back({title, message}); }
    // The fake desktop: records what it is given, starts what `can_open` allows.
    bool OpenWithDesktop(std::u16string_view target) override {
        handed.emplace_back(target);
        return can_open(target);
    }
    DeviceManager& Devices() override { return devices; }
    void Sleep(int) override {}

    std::u16string software_address, local_version = u"1.0.1", firmware_address, device_version;
    std::u16string new_software, new_firmware;
    std::vector<std::pair<std::u16string, bool>> software_status, firmware_status;
    std::vector<int> offers, progress;
    std::vector<std::pair<int, int>> upgrade_steps, failures;
    int upgrade_closed = 0, download_closed = 0;
    std::vector<std::pair<UpgradeOutcome, bool>> endings;
    std::vector<std::pair<SoftwareDownloadOutcome, std::u16string>> downloads;
    std::u16string download_page = u"https://www.example.invalid/";
    std::function<bool(std::u16string_view)> can_open = [](std::u16string_view) { return true; };
    std::vector<std::u16string> handed;
    std::vector<std::pair<int, std::u16string>> told;
    DeviceManager devices;
};

class UpdateTasksTest : public ::testing::Test {
  protected:
    UpdateTasksTest() {
        SetUserDataFolderOverride(user.u16(true));
        // Numbered texts, so a status can be told from another.
        std::string english = "[LAN]\n";
        for (int id : text::kAllTextIds) {
            english += std::to_string(id) + "=T" + std::to_string(id);
            // The update's outcomes name a file or an address.
            english += id >= text::kPackageHandedToInstaller && id <= text::kDownloadFromPage &&
                               id != text::kNoPackageForThisSystem
                           ? " %s\n"
                           : "\n";
        }
        program.Write("language/1033.lan", english);
        SetProgramFolderOverride(program.u16(true));
        SetCurrentLcid(1033);
        ReloadLanguageFiles();
        SetProcessExitInterceptor([this](int code) { exits.push_back(code); });
        SetShellOpenInterceptor(
            [this](const std::vector<std::string>& command) { opened.push_back(command); });
        host.software_address = FromUtf8(server.Address());
        host.firmware_address = FromUtf8(server.Address() + "fw");
    }
    ~UpdateTasksTest() override {
        SetUserDataFolderOverride(u"");
        SetProgramFolderOverride(u"");
        ReloadLanguageFiles();
        SetProcessExitInterceptor({});
        SetShellOpenInterceptor({});
    }
    // The folders downloads were made in that are still there.
    std::vector<std::filesystem::path> DownloadFolders() const {
        std::vector<std::filesystem::path> found;
        for (const auto& entry : std::filesystem::directory_iterator(user.path())) {
            if (entry.path().filename().string().rfind(kDownloadFolderPrefix, 0) == 0) {
                found.push_back(entry.path());
            }
        }
        return found;
    }

    ScopedEnv no_proxy{"http_proxy", std::nullopt};
    ScopedEnv checks_on{"TESSALY_NO_UPDATE_CHECK", std::nullopt};
    TempDir user;
    TempDir program;
    TestHttpServer server;
    RecordingHost host;
    std::vector<int> exits;
    std::vector<std::vector<std::string>> opened;
};

TEST_F(UpdateTasksTest, SoftwareCheckOffersOnlyANewerOrDifferentVersion) {
    ASSERT_TRUE(server.Running());
    server.Root().Write("version", "1.0.2");
    RunSoftwareCheck(host);
    EXPECT_EQ(host.new_software, u"1.0.2");
    ASSERT_EQ(host.software_status.size(), 1u);
    EXPECT_TRUE(host.software_status[0].second);
    EXPECT_NE(host.software_status[0].first.find(u": v1.0.2"), std::u16string::npos);
    EXPECT_EQ(host.offers, std::vector<int>{1});

    server.Root().Write("version", "0.9.9");
    RunSoftwareCheck(host);
    EXPECT_FALSE(host.software_status.back().second);
    EXPECT_EQ(host.offers, std::vector<int>{1});
}

TEST_F(UpdateTasksTest, AnErrorPageOrADeadServerIsSaidAndOffersNothing) {
    ASSERT_TRUE(server.Running());
    const std::u16string unreachable = LoadLanguageString(text::kUpdateServerUnreachable);
    ASSERT_NE(unreachable, LoadLanguageString(text::kLatestVersion));
    RunSoftwareCheck(host);  // 404: a page longer than ten characters
    host.firmware_address = FromUtf8(server.Address() + "nothing");
    host.device_version = u"105";
    RunFirmwareCheck(host);
    host.software_address = u"http://update.tessaly.invalid/";
    RunSoftwareCheck(host);
    // Never "latest" without an answer, and the button stays for a retry.
    ASSERT_EQ(host.software_status.size(), 2u);
    for (const auto& [status, enabled] : host.software_status) {
        EXPECT_EQ(status, unreachable);
        EXPECT_TRUE(enabled);
    }
    ASSERT_EQ(host.firmware_status.size(), 1u);
    EXPECT_EQ(host.firmware_status[0].first, unreachable);
    EXPECT_TRUE(host.offers.empty());
    EXPECT_TRUE(host.new_software.empty());
    EXPECT_TRUE(host.new_firmware.empty());
}

TEST_F(UpdateTasksTest, AnswersAreTrimmedAndWhatIsNoVersionIsNoAnswer) {
    ASSERT_TRUE(server.Running());
    server.Root().Write("version", "1.0.2\n");
    std::filesystem::create_directories(server.Root().path() / "fw" / "mouse");
    server.Root().Write("fw/mouse/version", " 107\r\n");
    host.device_version = u"105";
    RunSoftwareCheck(host);
    RunFirmwareCheck(host);
    EXPECT_EQ(host.new_software, u"1.0.2");
    EXPECT_EQ(host.new_firmware, u"107");
    EXPECT_EQ(host.offers, (std::vector<int>{1, 2}));

    // Short enough, but not a version: as if the server had said nothing.
    server.Root().Write("version", "1;rm -rf");
    server.Root().Write("fw/mouse/version", "../../");
    RunSoftwareCheck(host);
    RunFirmwareCheck(host);
    EXPECT_TRUE(host.new_software.empty());
    EXPECT_TRUE(host.new_firmware.empty());
    EXPECT_EQ(host.offers, (std::vector<int>{1, 2}));
    ASSERT_EQ(host.software_status.size(), 2u);
    ASSERT_EQ(host.firmware_status.size(), 2u);
    EXPECT_EQ(host.software_status[1].first, LoadLanguageString(text::kUpdateServerUnreachable));
}

TEST_F(UpdateTasksTest, TheChecksCanBeSwitchedOff) {
    ASSERT_TRUE(server.Running());
    server.Root().Write("version", "1.0.2");
    ScopedEnv off{"TESSALY_NO_UPDATE_CHECK", "1"};
    RunSoftwareCheck(host);
    EXPECT_TRUE(host.new_software.empty());
    EXPECT_TRUE(server.Requests().empty());
}

TEST_F(UpdateTasksTest, FirmwareCheckReadsMouseVersionAndShowsMajorAndMinor) {
    ASSERT_TRUE(server.Running());
    std::filesystem::create_directories(server.Root().path() / "fw" / "mouse");
    server.Root().Write("fw/mouse/version", "107");
    host.device_version = u"105";
    RunFirmwareCheck(host);
    EXPECT_EQ(host.new_firmware, u"107");
    ASSERT_EQ(host.firmware_status.size(), 1u);
    EXPECT_NE(host.firmware_status[0].first.find(u": V1.07"), std::u16string::npos);
    EXPECT_TRUE(host.firmware_status[0].second);
    EXPECT_EQ(host.offers, std::vector<int>{2});

    // Without a device version nothing is compared.
    host.device_version.clear();
    RunFirmwareCheck(host);
    EXPECT_EQ(host.firmware_status.size(), 1u);
    // Ten characters are too many for a firmware version.
    host.device_version = u"105";
    server.Root().Write("fw/mouse/version", "1234567890");
    RunFirmwareCheck(host);
    EXPECT_TRUE(host.new_firmware.empty());
    EXPECT_EQ(host.offers, std::vector<int>{2});
}

// The archive's package for this system goes to the desktop's installer and
// the program stays; the folder stays for the installer to read.
TEST_F(UpdateTasksTest, TheUpdatesPackageIsHandedToTheInstallerAndTheProgramStays) {
    ASSERT_TRUE(server.Running());
    host.new_software = u"1.0.2";
    const std::string package = PackageFileName("1.0.2");
    ASSERT_TRUE(MakeZip((server.Root().path() / "Mouse-Setup-1.0.2.zip").string(),
                        {{"Mouse-Setup-1.0.2.exe", "MZ"},
                         {"tessaly_1.0.1_" + std::string(PackageArchitecture()) + ".deb", "old"},
                         {package, "!<arch>\n"}}));
    RunSoftwareDownload(host);
    const std::vector<std::filesystem::path> folders = DownloadFolders();
    ASSERT_EQ(folders.size(), 1u);
    const std::u16string path = FromUtf8((folders[0] / package).string());
    EXPECT_TRUE(std::filesystem::exists(folders[0] / package));
    EXPECT_FALSE(std::filesystem::exists(folders[0] / "Mouse-Setup-1.0.2.zip"));
    EXPECT_EQ(host.handed, std::vector<std::u16string>{path});
    EXPECT_EQ(host.told, (std::vector<std::pair<int, std::u16string>>{
                             {text::kSoftwareUpdateTitle, u"T728 " + path}}));
    EXPECT_EQ(host.downloads, (std::vector<std::pair<SoftwareDownloadOutcome, std::u16string>>{
                                  {SoftwareDownloadOutcome::kHandedToInstaller, path}}));
    EXPECT_TRUE(exits.empty());
    EXPECT_TRUE(opened.empty()) << "nothing is started but through the host";
    EXPECT_EQ(host.progress.back(), 100);
    EXPECT_EQ(host.download_closed, 1);
    EXPECT_TRUE(host.failures.empty());
    EXPECT_NE(server.Requests().find("GET ///Mouse-Setup-1.0.2.zip"), std::string::npos);
}

TEST_F(UpdateTasksTest, WithoutAPackageThatCanBeInstalledTheDownloadPageIsOpened) {
    ASSERT_TRUE(server.Running());
    host.new_software = u"1.0.2";
    const std::u16string page = host.download_page;
    const auto serve = [&](std::vector<std::pair<std::string, std::string>> entries) {
        ASSERT_TRUE(MakeZip((server.Root().path() / "Mouse-Setup-1.0.2.zip").string(), entries));
    };
    const std::string other_arch =
        PackageArchitecture() == "arm64" ? "tessaly_1.0.2_amd64.deb" : "tessaly_1.0.2_arm64.deb";
    // Only a Windows setup and another machine's package.
    serve({{"Mouse-Setup-1.0.2.exe", "MZ"}, {other_arch, "x"}});
    RunSoftwareDownload(host);
    EXPECT_EQ(host.handed, std::vector<std::u16string>{page});
    ASSERT_EQ(host.told.size(), 1u);
    EXPECT_EQ(host.told[0].second, u"T729\nT731 " + page);
    ASSERT_EQ(host.downloads.size(), 1u);
    EXPECT_EQ(host.downloads[0].first, SoftwareDownloadOutcome::kNoPackage);

    // A package, but no installer starts for it.
    serve({{PackageFileName("1.0.2"), "!<arch>\n"}});
    host.handed.clear();
    host.can_open = [](std::u16string_view target) { return target.starts_with(u"https://"); };
    RunSoftwareDownload(host);
    ASSERT_EQ(host.handed.size(), 2u);
    EXPECT_TRUE(host.handed[0].ends_with(FromUtf8(PackageFileName("1.0.2"))));
    EXPECT_EQ(host.handed[1], page);
    ASSERT_EQ(host.told.size(), 2u);
    EXPECT_EQ(host.told[1].second, u"T730 " + host.handed[0] + u"\nT731 " + page);
    ASSERT_EQ(host.downloads.size(), 2u);
    EXPECT_EQ(host.downloads[1],
              std::make_pair(SoftwareDownloadOutcome::kInstallerNotStarted, host.handed[0]));

    // Nothing can be opened: the address is given to copy.
    host.can_open = [](std::u16string_view) { return false; };
    RunSoftwareDownload(host);
    ASSERT_EQ(host.told.size(), 3u);
    EXPECT_TRUE(host.told[2].second.ends_with(u"\nT732 " + page));

    EXPECT_TRUE(exits.empty());
    EXPECT_TRUE(DownloadFolders().empty());
    EXPECT_EQ(host.download_closed, 3);
    EXPECT_TRUE(host.failures.empty());
}

TEST_F(UpdateTasksTest, AFailedSoftwareDownloadClosesTheDialogAndSaysSo) {
    ASSERT_TRUE(server.Running());
    host.new_software = u"1.0.3";
    RunSoftwareDownload(host);  // no archive on the server
    EXPECT_TRUE(exits.empty());
    ASSERT_EQ(host.downloads.size(), 1u);
    EXPECT_EQ(host.downloads[0].first, SoftwareDownloadOutcome::kNotDownloaded);
    EXPECT_TRUE(host.handed.empty());
    EXPECT_TRUE(host.told.empty());
    EXPECT_TRUE(DownloadFolders().empty());
    EXPECT_EQ(host.download_closed, 1);
    EXPECT_EQ(
        host.failures,
        (std::vector<std::pair<int, int>>{{text::kSoftwareUpdateTitle, kDownloadFailedText}}));
}

TEST_F(UpdateTasksTest, FirmwareUpdateWithoutTheMouseEndsWithTheFailureText) {
    ASSERT_TRUE(server.Running());
    host.new_firmware = u"107";
    std::filesystem::create_directories(server.Root().path() / "fw" / "mouse");
    ASSERT_TRUE(MakeZip((server.Root().path() / "fw/mouse/firmware-107.zip").string(),
                        {{"firmware     -107.bin", std::string(100, 'f')}}));
    // A folder the program did not make is not its to remove, whatever its
    // name; the download's own folder goes with the image.
    std::filesystem::create_directories(user.path() / "temp");
    const auto other = user.path() / "temp" / "users-file.txt";
    std::ofstream(other) << "keep";
    RunFirmwareUpdate(host);
    EXPECT_TRUE(std::filesystem::exists(other));
    EXPECT_TRUE(DownloadFolders().empty());
    EXPECT_EQ(host.upgrade_steps, (std::vector<std::pair<int, int>>{{5, text::kDownloading},
                                                                    {7, text::kPreparingUpgrade},
                                                                    {10, text::kPreparingUpgrade},
                                                                    {10, kUpgradeFailedText}}));
    EXPECT_EQ(host.upgrade_closed, 1);
    EXPECT_EQ(host.failures,
              (std::vector<std::pair<int, int>>{{text::kMouseFirmware, kUpgradeFailedText}}));
    EXPECT_NE(server.Requests().find("GET /fw//mouse//firmware-107.zip"), std::string::npos);
    // Downloaded, but no mouse took it.
    EXPECT_EQ(host.endings,
              (std::vector<std::pair<UpgradeOutcome, bool>>{{UpgradeOutcome::kNoInterface, true}}));
}

TEST_F(UpdateTasksTest, AFirmwareArchiveNotOnTheServerEndsUndownloaded) {
    ASSERT_TRUE(server.Running());
    host.new_firmware = u"108";
    RunFirmwareUpdate(host);
    EXPECT_EQ(host.upgrade_closed, 1);
    EXPECT_EQ(host.failures,
              (std::vector<std::pair<int, int>>{{text::kMouseFirmware, kUpgradeFailedText}}));
    EXPECT_EQ(host.endings,
              (std::vector<std::pair<UpgradeOutcome, bool>>{{UpgradeOutcome::kNoImage, false}}));
    EXPECT_TRUE(DownloadFolders().empty());
}

}  // namespace
}  // namespace tessaly::test
