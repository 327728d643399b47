// The update commands against a loopback update server: the program folder's
// config.xml and description file point at it. Only these commands ask it
// anything; the firmware upgrade writes the served image to the virtual
// mouse's upgrade interface.

#include <gmock/gmock.h>

#include <cstdio>
#include <cstdlib>

#include "cli_fixture.h"
#include "support/scoped_env.h"
#include "update/linux_package.h"
#include "update/test_http_server.h"

namespace tessaly::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class CliUpdateTest : public CliTest {
  protected:
    CliUpdateTest() {
        program = CopyProgramFolder();
        Point(server.Address());
    }
    // The software and the firmware address of the model, under `address`.
    void Point(const std::string& address) {
        const std::filesystem::path config = program / "config.xml";
        const std::filesystem::path model = program / "device" / "tx7w.xml";
        std::filesystem::copy_file(TESSALY_BINARY_DIR / std::filesystem::path("config.xml"), config,
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::copy_file(
            TESSALY_BINARY_DIR / std::filesystem::path("device") / "tx7w.xml", model,
            std::filesystem::copy_options::overwrite_existing);
        ASSERT_TRUE(
            ReplaceInFile(config, "https://update.example.invalid/tessaly/", address + "soft/"));
        ASSERT_TRUE(
            ReplaceInFile(model, "https://update.example.invalid/firmware/tx7w", address + "fw"));
    }
    CliResult Update(std::vector<std::string> args) {
        args.insert(args.begin(), {"--program-dir", program.string() + "/"});
        return Cli(args);
    }
    void Serve(const std::string& name, const std::string& content) const {
        const std::filesystem::path file = server.Root().path() / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }
    // A firmware image that cannot be mistaken for other traffic.
    static std::string Image() {
        std::string image(1000, '\0');
        for (size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<char>(i * 7 + 3);
        return image;
    }
    // As the HID trace writes bytes.
    static std::string Hex(const std::string& bytes) {
        std::string text;
        for (const char byte : bytes) {
            char pair[4];
            std::snprintf(pair, sizeof pair, "%02X", static_cast<unsigned char>(byte));
            text += (text.empty() ? "" : " ") + std::string(pair);
        }
        return text;
    }
    // Written reports on the upgrade interface (interface 1).
    std::vector<std::string> UpgradeWrites() const {
        std::vector<std::string> writes;
        std::ifstream trace(dir.path() / "hid.txt");
        for (std::string line; std::getline(trace, line);) {
            if (line.find(" W ") != std::string::npos && line.find(":1 ") != std::string::npos)
                writes.push_back(line);
        }
        return writes;
    }

    ScopedEnv no_proxy_{"http_proxy", std::nullopt};
    ScopedEnv no_https_proxy_{"https_proxy", std::nullopt};
    ScopedEnv no_upper_proxy_{"HTTP_PROXY", std::nullopt};
    TestHttpServer server;
    std::filesystem::path program;
};

TEST_F(CliUpdateTest, UpdateCheckAsksTheServerAndComparesWithTheInstalledVersion) {
    ASSERT_TRUE(server.Running());
    Serve("soft/version", "1.0.2");
    Serve("fw/mouse/version", "107");
    // Other commands leave the server alone, the connect sequence's
    // firmware check included.
    ASSERT_EQ(Update({"status"}).code, 0);
    EXPECT_EQ(server.Requests(), "");

    const CliResult newer = Update({"--json", "update", "check"});
    ASSERT_EQ(newer.code, 0) << newer.err;
    EXPECT_THAT(newer.out, HasSubstr("\"installed\": \"1.0.1\",\n  \"offered\": \"1.0.2\",\n"
                                     "  \"update_available\": true"));
    EXPECT_THAT(server.Requests(), HasSubstr("GET /soft/version "));
    EXPECT_THAT(server.Requests(), Not(HasSubstr("/fw/")));
    // The offer is not taken: nothing is downloaded.
    EXPECT_THAT(server.Requests(), Not(HasSubstr(".zip")));

    Serve("soft/version", "1.0.1");
    const CliResult same = Update({"update", "check"});
    ASSERT_EQ(same.code, 0) << same.err;
    EXPECT_THAT(same.out, HasSubstr("update_available  no"));
}

TEST_F(CliUpdateTest, FirmwareCheckComparesWithTheMousesVersion) {
    ASSERT_TRUE(server.Running());
    Serve("fw/mouse/version", "107");
    const CliResult newer = Update({"--json", "firmware", "check"});
    ASSERT_EQ(newer.code, 0) << newer.err;
    EXPECT_THAT(newer.out, HasSubstr("\"installed\": \"1.05\",\n  \"offered\": \"1.07\",\n"
                                     "  \"update_available\": true"));
    EXPECT_THAT(server.Requests(), HasSubstr("GET /fw/mouse/version "));
    EXPECT_THAT(server.Requests(), Not(HasSubstr(".zip")));

    Serve("fw/mouse/version", "105");
    EXPECT_THAT(Update({"firmware", "check"}).out, HasSubstr("update_available  no"));
}

TEST_F(CliUpdateTest, FirmwareUpgradeWritesTheServedImageToTheMouse) {
    ASSERT_TRUE(server.Running());
    Serve("fw/mouse/version", "107");
    ASSERT_TRUE(MakeZip((server.Root().path() / "fw/mouse/firmware-107.zip").string(),
                        {{"firmware     -107.bin", Image()}}));

    const CliResult asked = Update({"firmware", "upgrade"});
    EXPECT_EQ(asked.code, 2);
    EXPECT_THAT(asked.err, HasSubstr("firmware upgrade asks for confirmation: add --yes"));
    EXPECT_EQ(server.Requests(), "");

    const CliResult upgraded = Update({"--json", "--yes", "firmware", "upgrade"});
    ASSERT_EQ(upgraded.code, 0) << upgraded.err;
    EXPECT_THAT(upgraded.out, HasSubstr("\"offered\": \"1.07\""));
    EXPECT_THAT(upgraded.out, HasSubstr("\"upgraded\": true"));
    // Progress on stderr, as the progress dialog shows it.
    EXPECT_THAT(upgraded.err, HasSubstr("tessalyctl: Upgrading: "));
    EXPECT_THAT(upgraded.err, HasSubstr("tessalyctl: Upgrade complete: 100%"));
    EXPECT_THAT(server.Requests(), HasSubstr("GET /fw//mouse//firmware-107.zip "));
    // Start, the blocks, finish; the first and the last whole block of 16
    // bytes go out as they are in the image.
    EXPECT_GE(UpgradeWrites().size(), 3u);
    const std::string trace = dir.Read("hid.txt");
    EXPECT_THAT(trace, HasSubstr(Hex(Image().substr(0, 16))));
    EXPECT_THAT(trace, HasSubstr(Hex(Image().substr(976, 16))));

    // The mouse still reports its version, so a second run offers again;
    // without the archive (the server's 404 is no download) it fails.
    std::filesystem::remove(server.Root().path() / "fw/mouse/firmware-107.zip");
    const CliResult missing = Update({"--yes", "firmware", "upgrade"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_THAT(missing.err, HasSubstr("the firmware archive could not be downloaded from"));
}

TEST_F(CliUpdateTest, FirmwareUpgradeOfACurrentMouseDoesNothing) {
    ASSERT_TRUE(server.Running());
    Serve("fw/mouse/version", "105");
    const CliResult result = Update({"--json", "--yes", "firmware", "upgrade"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("\"upgraded\": false"));
    EXPECT_THAT(result.err, HasSubstr("firmware 1.05 is current"));
    EXPECT_TRUE(UpgradeWrites().empty());
}

TEST_F(CliUpdateTest, ABrokenArchiveOrNoServerIsAFailureWithItsReason) {
    ASSERT_TRUE(server.Running());
    Serve("fw/mouse/version", "107");
    Serve("fw/mouse/firmware-107.zip", "this is not a zip archive");
    const CliResult broken = Update({"--yes", "firmware", "upgrade"});
    EXPECT_EQ(broken.code, 1);
    EXPECT_THAT(broken.err, HasSubstr("not a zip archive holding one"));
    EXPECT_TRUE(UpgradeWrites().empty());

    // Nothing listens on port 9 of the loopback address.
    Point("http://127.0.0.1:9/");
    const CliResult software = Update({"update", "check"});
    EXPECT_EQ(software.code, 1);
    EXPECT_THAT(software.err, HasSubstr("no version from the update server"));
    const CliResult firmware = Update({"firmware", "check"});
    EXPECT_EQ(firmware.code, 1);
    EXPECT_THAT(firmware.err, HasSubstr("no firmware version from the update server"));
}

// The desktop's opener, as the download's host starts it: a stand-in on PATH
// that notes what it was given.
class CliDownloadTest : public CliUpdateTest {
  protected:
    CliDownloadTest() {
        const std::filesystem::path bin = dir.path() / "bin";
        std::filesystem::create_directories(bin);
        std::ofstream(bin / "xdg-open")
            << "#!/bin/sh\necho \"$1\" >> '" << (dir.path() / "opened.txt").string() << "'\n";
        std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
        extra_env = {"PATH=" + bin.string() + ":" + std::getenv("PATH")};
    }
    std::string Opened() const { return dir.Read("opened.txt"); }
    void ServeArchive(const std::vector<std::pair<std::string, std::string>>& entries) const {
        ASSERT_TRUE(
            MakeZip((server.Root().path() / "soft" / "Mouse-Setup-1.0.2.zip").string(), entries));
    }
};

TEST_F(CliDownloadTest, TheNewerVersionsPackageIsHandedToTheInstaller) {
    ASSERT_TRUE(server.Running());
    Serve("soft/version", "1.0.2");
    const std::string package = PackageFileName("1.0.2");
    ServeArchive({{"Mouse-Setup-1.0.2.exe", "MZ"}, {package, "!<arch>\n"}});
    EXPECT_EQ(Update({"update", "download"}).code, 2) << "the window asks first";

    const CliResult result = Update({"--json", "--yes", "update", "download"});
    ASSERT_EQ(result.code, 0) << result.err;
    EXPECT_THAT(result.out, HasSubstr("\"offered\": \"1.0.2\""));
    EXPECT_THAT(result.out, HasSubstr("\"handed_to_installer\": true"));
    EXPECT_THAT(result.err, HasSubstr("tessalyctl: Downloading: 100%"));
    // The package stays where the installer was told it is.
    const std::string opened = Opened();
    ASSERT_THAT(opened, ::testing::EndsWith(package + "\n"));
    EXPECT_TRUE(std::filesystem::exists(opened.substr(0, opened.size() - 1)));
    EXPECT_THAT(result.out, HasSubstr("\"package\": \"" + opened.substr(0, opened.size() - 1)));
    EXPECT_THAT(server.Requests(), HasSubstr("GET /soft///Mouse-Setup-1.0.2.zip "));
}

TEST_F(CliDownloadTest, ADownloadThatBringsNothingInstallableFails) {
    ASSERT_TRUE(server.Running());
    Serve("soft/version", "1.0.2");
    const CliResult missing = Update({"--json", "--yes", "update", "download"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_THAT(missing.err, HasSubstr("could not be downloaded from"));
    EXPECT_EQ(missing.out, "") << "a failed command prints no result";
    EXPECT_EQ(Opened(), "");

    // Only another system's setup: the download page is opened instead, and
    // that is no install.
    ServeArchive({{"Mouse-Setup-1.0.2.exe", "MZ"}});
    const CliResult foreign = Update({"--yes", "update", "download"});
    EXPECT_EQ(foreign.code, 1);
    EXPECT_THAT(foreign.err,
                HasSubstr("holds no package for this machine (" + PackageFileName("1.0.2") + ")"));
    EXPECT_THAT(Opened(), ::testing::StartsWith("http"));
}

TEST_F(CliDownloadTest, ACurrentProgramIsNotDownloaded) {
    ASSERT_TRUE(server.Running());
    Serve("soft/version", "1.0.1");
    const CliResult current = Update({"--yes", "update", "download"});
    ASSERT_EQ(current.code, 0) << current.err;
    EXPECT_THAT(current.err, HasSubstr("the program 1.0.1 is current"));
    EXPECT_THAT(current.out, HasSubstr("handed_to_installer  no"));
    EXPECT_THAT(server.Requests(), Not(HasSubstr(".zip")));

    Point("http://127.0.0.1:9/");
    const CliResult unreachable = Update({"--yes", "update", "download"});
    EXPECT_EQ(unreachable.code, 1);
    EXPECT_THAT(unreachable.err, HasSubstr("no version from the update server"));
}

}  // namespace
}  // namespace tessaly::test
