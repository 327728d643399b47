// The real program, started twice: the second start hands over to the first.

#include <filesystem>

#include <gtest/gtest.h>

#include "program_environment.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace tessaly {
namespace {

using namespace std::chrono_literals;
using test::ChildProcess;
using test::RunProgram;
using test::TempDir;

const std::string kProgram = std::string(TESSALY_BINARY_DIR) + "/tessaly";

class TwoProcessTest : public ::testing::Test {
  protected:
    std::vector<std::string> Environment() const {
        return test::ProgramEnvironment(home_.path(), program_dir_);
    }
    TempDir home_;
    std::string program_dir_ = TESSALY_BINARY_DIR;
};

TEST_F(TwoProcessTest, SecondStartActivatesTheFirstAndExitEndsIt) {
    ChildProcess first(kProgram, {"-hide"}, Environment());
    ASSERT_TRUE(first.started());
    const auto banner = first.ReadLine(10s);
    ASSERT_TRUE(banner.has_value());
    EXPECT_NE(banner->find("hidden"), std::string::npos) << *banner;

    EXPECT_EQ(RunProgram(kProgram, {}, Environment()), 0);
    EXPECT_EQ(first.ReadLine(5s), "activate");

    EXPECT_EQ(RunProgram(kProgram, {"--send", "about"}, Environment()), 0);
    EXPECT_EQ(first.ReadLine(5s), "about");
    EXPECT_EQ(RunProgram(kProgram, {"--send", "exit"}, Environment()), 0);
    EXPECT_EQ(first.ReadLine(5s), "exit");
    EXPECT_EQ(first.Wait(5s), 0);

    // Nobody is left to answer.
    EXPECT_EQ(RunProgram(kProgram, {"--send", "exit"}, Environment()), 1);
    // The first run made its database folder.
    EXPECT_TRUE(std::filesystem::is_directory(home_.path() / "data" / "Tessaly Files" / "db"));
}

TEST_F(TwoProcessTest, DifferentCaptionsRunSideBySide) {
    ChildProcess first(kProgram, {}, Environment());
    ASSERT_TRUE(first.ReadLine(10s).has_value());

    TempDir other;
    other.Write("config.xml",
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<config>\r\n"
                "<software caption=\"Other Tool\"/>\r\n</config>\r\n");
    program_dir_ = other.path().string();
    ChildProcess second(kProgram, {}, Environment());
    const auto banner = second.ReadLine(10s);
    ASSERT_TRUE(banner.has_value());
    EXPECT_EQ(banner->rfind("Other Tool running", 0), 0u) << *banner;

    EXPECT_EQ(RunProgram(kProgram, {"--send", "exit"}, Environment()), 0);
    EXPECT_EQ(second.Wait(5s), 0);
    program_dir_ = TESSALY_BINARY_DIR;
    EXPECT_EQ(RunProgram(kProgram, {"--send", "exit"}, Environment()), 0);
    EXPECT_EQ(first.Wait(5s), 0);
}

TEST_F(TwoProcessTest, BadOptionsFailWithAMessage) {
    EXPECT_EQ(RunProgram(kProgram, {"--send", "reboot"}, Environment()), 2);
}

}  // namespace
}  // namespace tessaly
