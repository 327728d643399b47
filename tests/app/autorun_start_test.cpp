// A start from the autostart entry ("-autorun") honours the settings page's
// "start minimised" box; offscreen there is no tray, so the window stays
// visible and the banner says why.

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/ini_registry_store.h"
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

class AutorunStartTest : public ::testing::Test {
  protected:
    std::vector<std::string> Environment() const {
        std::vector<std::string> env =
            test::ProgramEnvironment(home_.path(), std::string(TESSALY_BINARY_DIR));
        env.insert(env.end(), {"QT_QPA_PLATFORM=offscreen", "TESSALY_NO_UPDATE_CHECK=1"});
        return env;
    }
    // What the settings page stores when the box is ticked or not.
    void StoreMinimised(const char16_t* value) {
        IniRegistryStore store((home_.path() / "config" / "Tessaly" / "registry.ini").string());
        ASSERT_TRUE(store.CreateKey(u"SOFTWARE\\Tessaly"));
        ASSERT_TRUE(store.WriteValue(u"SOFTWARE\\Tessaly", u"autorun_minimize", value));
    }
    // The first line the program prints, then it is asked to exit.
    std::string Banner(const std::vector<std::string>& arguments) {
        ChildProcess program(kProgram, arguments, Environment());
        EXPECT_TRUE(program.started());
        const auto banner = program.ReadLine(20s);
        EXPECT_EQ(RunProgram(kProgram, {"--send", "exit"}, Environment()), 0);
        EXPECT_EQ(program.Wait(10s), 0);
        return banner.value_or("<nothing>");
    }
    TempDir home_;
};

TEST_F(AutorunStartTest, TickedBoxStartsHiddenOrShownWithoutATray) {
    StoreMinimised(u"1");
    const std::string banner = Banner({"-autorun"});
    EXPECT_NE(banner.find("running, hidden (no tray: window shown)"), std::string::npos) << banner;
}

TEST_F(AutorunStartTest, UntickedBoxOrAPlainStartShowsTheWindow) {
    StoreMinimised(u"0");
    std::string banner = Banner({"-autorun"});
    EXPECT_NE(banner.find("running"), std::string::npos) << banner;
    EXPECT_EQ(banner.find("hidden"), std::string::npos) << banner;

    // The box only applies to starts from the autostart entry.
    StoreMinimised(u"1");
    banner = Banner({});
    EXPECT_NE(banner.find("running"), std::string::npos) << banner;
    EXPECT_EQ(banner.find("hidden"), std::string::npos) << banner;
}

}  // namespace
}  // namespace tessaly
