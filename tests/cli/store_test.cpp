// What the tool says when the store does not keep a change, cannot be used,
// or was damaged: a change that was not kept is not sent and exits 1.

#include <gmock/gmock.h>

#include "cli_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::HasSubstr;

class CliStoreTest : public CliTest {
  protected:
    bool RateWritten() const {
        for (const std::string& write : Writes()) {
            if (write.rfind("00 02 ", 0) == 0)
                return true;
        }
        return false;
    }
    // The tool with the data folder mounted read-only in a private mount
    // namespace: as root, file permissions would not stop a write.
    CliResult ReadOnlyCli(std::vector<std::string> args) {
        const std::string data = (dir.path() / "data").string();
        std::vector<std::string> line{
            "/usr/bin/unshare",
            "-m",
            "/bin/sh",
            "-c",
            "mount --bind -o ro \"$0\" \"$0\" 2>/dev/null || exit 77; exec \"$@\"",
            data,
            std::string(TESSALY_BINARY_DIR) + "/tessalyctl",
            "--emulate",
            "--data-dir",
            data + "/",
            "--emulator-state",
            (dir.path() / "mouse.state").string(),
            "--hid-trace",
            (dir.path() / "hid.txt").string()};
        line.insert(line.end(), args.begin(), args.end());
        return Spawn(line);
    }
};

TEST_F(CliStoreTest, AChangeTheStoreCannotKeepIsNotSentAndFails) {
    ASSERT_EQ(Cli({"status"}).code, 0);
    ClearTrace();
    const CliResult result = ReadOnlyCli({"rate", "500"});
    if (result.code == 77)
        GTEST_SKIP() << "no private mount namespace here";
    EXPECT_EQ(result.code, 1) << result.err;
    EXPECT_THAT(result.err, HasSubstr("could not be saved"));
    EXPECT_FALSE(RateWritten());
    EXPECT_EQ(Stored("report_rate"), "1");
}

TEST_F(CliStoreTest, AnUnusableStoreSaysWhatIsWrongAndSendsNothing) {
    std::filesystem::create_directories(DatabasePath());
    const CliResult result = Cli({"rate", "500"});
    EXPECT_EQ(result.code, 1);
    EXPECT_THAT(result.err, HasSubstr("is a folder"));
    EXPECT_FALSE(RateWritten());
}

TEST_F(CliStoreTest, ADamagedFileKeptAsideIsNamed) {
    std::filesystem::create_directories(dir.path() / "data" / "db");
    std::ofstream(DatabasePath()) << std::string(4096, 'x');
    const CliResult result = Cli({"rate", "500"});
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_THAT(result.err, HasSubstr("kept as " + DatabasePath() + ".corrupt-"));
    EXPECT_EQ(Stored("report_rate"), "2");
}

}  // namespace
}  // namespace tessaly::test
