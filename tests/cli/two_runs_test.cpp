// Two runs at once, as two scripts or a script and the window start them:
// what shares the data folder or the mouse takes turns, the rest runs side
// by side, and whoever gives up says what it waited for.

#include <gmock/gmock.h>

#include <chrono>
#include <thread>

#include "cli_fixture.h"

namespace tessaly::test {
namespace {

using namespace std::chrono_literals;
using ::testing::ContainsRegex;
using ::testing::HasSubstr;
using ::testing::Not;

// The start-up read's first six answers come late (each within the time an
// answer may take), so the run holds its locks some ten seconds: long
// enough for the other run to meet them even on a loaded machine.
constexpr const char* kSlowMouse =
    "TESSALY_EMULATE_FAULTS=10=late:1500,11=late:1500,12=late:1500,13=late:1500,"
    "14=late:1500,15=late:1500";

class TwoRunsTest : public CliTest {
  protected:
    std::vector<std::string> Line(const std::string& data, const std::string& state,
                                  std::vector<std::string> args) const {
        std::vector<std::string> line{std::string(TESSALY_BINARY_DIR) + "/tessalyctl",
                                      "--emulate",
                                      "--data-dir",
                                      (dir.path() / data).string() + "/",
                                      "--emulator-state",
                                      (dir.path() / state).string()};
        line.insert(line.end(), args.begin(), args.end());
        return line;
    }
    Started StartWith(std::vector<std::string> env, std::vector<std::string> line,
                      const std::string& name) {
        const std::vector<std::string> saved = extra_env;
        extra_env.insert(extra_env.end(), env.begin(), env.end());
        Started started = Start(std::move(line), name);
        extra_env = saved;
        return started;
    }
    // Until some lock file in the runtime folder names the process.
    bool Holding(const Started& started, const std::string& program = "tessalyctl") const {
        const std::string line = program + " " + std::to_string(started.pid);
        for (auto until = std::chrono::steady_clock::now() + 20s;
             std::chrono::steady_clock::now() < until; std::this_thread::sleep_for(20ms)) {
            for (const auto& entry : std::filesystem::directory_iterator(dir.path() / "run")) {
                if (entry.path().extension() == ".lock" &&
                    dir.Read(std::filesystem::relative(entry.path(), dir.path()).string())
                            .rfind(line, 0) == 0)
                    return true;
            }
        }
        return false;
    }
    // Until the window's first line is out.
    bool WindowUp(const Started& window) const {
        for (auto until = std::chrono::steady_clock::now() + 60s;
             std::chrono::steady_clock::now() < until; std::this_thread::sleep_for(50ms)) {
            if (dir.Read(window.name + ".out").find("running") != std::string::npos)
                return true;
        }
        return false;
    }
    static bool StillRunning(const Started& started) {
        int status = 0;
        return waitpid(started.pid, &status, WNOHANG) == 0;
    }
    static std::string Pid(const Started& started) {
        return "(pid " + std::to_string(started.pid) + ")";
    }
    static bool WindowBuilt() {
        return std::filesystem::exists(std::string(TESSALY_BINARY_DIR) + "/tessaly");
    }
    Started StartWindow(std::vector<std::string> env, const std::string& data,
                        const std::string& state) {
        env.push_back("QT_QPA_PLATFORM=offscreen");
        return StartWith(
            env,
            {std::string(TESSALY_BINARY_DIR) + "/tessaly", "--emulate", "--data-dir",
             (dir.path() / data).string() + "/", "--emulator-state", (dir.path() / state).string()},
            "window");
    }
};

TEST_F(TwoRunsTest, RunsOnOneDataFolderTakeTurns) {
    const Started first =
        StartWith({kSlowMouse}, Line("data", "mouse.state", {"dpi", "count", "2"}), "first");
    ASSERT_TRUE(Holding(first));
    const CliResult second =
        Finish(Start(Line("data", "mouse.state", {"--json", "rate", "500"}), "second"));
    const CliResult first_result = Finish(first);
    EXPECT_EQ(first_result.code, 0) << first_result.err;
    ASSERT_EQ(second.code, 0) << second.err;
    EXPECT_THAT(second.err,
                HasSubstr("waiting for tessalyctl " + Pid(first) + ", which uses the data folder"));
    // The second started once the first had finished: it met its stages.
    EXPECT_THAT(second.out, HasSubstr("\"stage_count\": 2,"));
    EXPECT_EQ(Stored("dpi_count"), "2");
    EXPECT_EQ(Stored("report_rate"), "2");
}

TEST_F(TwoRunsTest, AWaitTooLongEndsTheRunAndNamesWhatItWaitedFor) {
    const Started first =
        StartWith({kSlowMouse}, Line("data", "mouse.state", {"dpi", "count", "2"}), "first");
    ASSERT_TRUE(Holding(first));
    const CliResult second = Finish(
        StartWith({"TESSALY_LOCK_WAIT=1"}, Line("data", "mouse.state", {"rate", "500"}), "second"));
    EXPECT_TRUE(StillRunning(first));
    EXPECT_EQ(Finish(first).code, 0);
    EXPECT_EQ(second.code, 1);
    EXPECT_THAT(second.err,
                HasSubstr("tessalyctl: tessalyctl " + Pid(first) + " still uses the data folder " +
                          (dir.path() / "data").string() + "/ after 1 s"));
    EXPECT_TRUE(second.out.empty()) << second.out;
    EXPECT_NE(Stored("report_rate"), "2");
}

TEST_F(TwoRunsTest, RunsThatShareNothingRunAtOnceAndOneMouseIsShared) {
    const Started first =
        StartWith({kSlowMouse}, Line("one", "one.state", {"dpi", "count", "2"}), "first");
    ASSERT_TRUE(Holding(first));
    const CliResult apart = Finish(Start(Line("two", "two.state", {"rate", "500"}), "apart"));
    EXPECT_EQ(apart.code, 0) << apart.err;
    EXPECT_THAT(apart.err, Not(HasSubstr("waiting")));
    EXPECT_TRUE(StillRunning(first));

    // Another data folder, but the same virtual mouse.
    const CliResult same_mouse =
        Finish(Start(Line("three", "one.state", {"rate", "250"}), "same_mouse"));
    EXPECT_EQ(same_mouse.code, 0) << same_mouse.err;
    EXPECT_THAT(same_mouse.err, HasSubstr("waiting for tessalyctl " + Pid(first) +
                                          ", which uses the virtual mouse of"));
    EXPECT_EQ(Finish(first).code, 0);
}

TEST_F(TwoRunsTest, AWindowWaitsForARunThenKeepsRunsOnItsFolderOut) {
    if (!WindowBuilt())
        GTEST_SKIP() << "the window is not built";
    const Started run =
        StartWith({kSlowMouse}, Line("data", "mouse.state", {"dpi", "count", "3"}), "first");
    ASSERT_TRUE(Holding(run));
    const Started window = StartWindow({}, "data", "mouse.state");
    EXPECT_EQ(Finish(run).code, 0);
    ASSERT_TRUE(WindowUp(window)) << dir.Read("window.err");
    EXPECT_THAT(dir.Read("window.err"), HasSubstr("tessaly: waiting for tessalyctl " + Pid(run) +
                                                  ", which uses the data folder"));
    ASSERT_TRUE(Holding(window, "tessaly"));

    // The window is not left to be surprised by a run on its folder.
    const CliResult refused =
        Finish(Start(Line("data", "other.state", {"dpi", "count", "4"}), "refused"));
    EXPECT_EQ(refused.code, 1);
    EXPECT_THAT(refused.err,
                HasSubstr("Tessaly is running " + Pid(window) + " and uses the data folder"));
    // It runs on another virtual mouse, so the window does not take it either.
    EXPECT_THAT(refused.err, HasSubstr("it takes only runs on its own folders and mouse"));
    EXPECT_THAT(refused.err, HasSubstr("--emulate / --emulator-state: the window has the virtual "
                                       "mouse of " +
                                       (dir.path() / "mouse.state").string()));
    EXPECT_THAT(refused.err, HasSubstr("run with its options or close it"));
    // A run that shares nothing with it goes ahead.
    const CliResult apart = Finish(Start(Line("apart", "apart.state", {"status"}), "apart"));
    EXPECT_EQ(apart.code, 0) << apart.err;

    EXPECT_EQ(Spawn({std::string(TESSALY_BINARY_DIR) + "/tessaly", "--send", "exit"}).code, 0);
    EXPECT_EQ(Finish(window).code, 0);
    EXPECT_EQ(Stored("dpi_count"), "3");
}

TEST_F(TwoRunsTest, ARunOnTheWindowsFoldersAndMouseGoesToTheWindow) {
    if (!WindowBuilt())
        GTEST_SKIP() << "the window is not built";
    const Started window = StartWindow({}, "data", "mouse.state");
    ASSERT_TRUE(WindowUp(window)) << dir.Read("window.err");
    const CliResult changed =
        Finish(Start(Line("data", "mouse.state", {"--json", "dpi", "count", "4"}), "changed"));
    EXPECT_EQ(changed.code, 0) << changed.err;
    EXPECT_THAT(changed.out, HasSubstr("\"stage_count\": 4,"));
    EXPECT_EQ(Stored("dpi_count"), "4");
    // What the window refuses comes back with its exit code.
    const CliResult refused = Finish(
        Start(Line("data", "mouse.state", {"--profile", "9", "dpi", "count", "3"}), "refused"));
    EXPECT_EQ(refused.code, 2);
    EXPECT_THAT(refused.err, HasSubstr("tessalyctl: profile 9 is not stored (see profile list)\n"
                                       "usage: tessalyctl"));
    // The window's own state answers the next run: it kept the change.
    const CliResult shown =
        Finish(Start(Line("data", "mouse.state", {"show", "performance"}), "shown"));
    EXPECT_EQ(shown.code, 0) << shown.err;
    EXPECT_THAT(shown.out, ContainsRegex("stage_count +4\n"));
    EXPECT_TRUE(StillRunning(window));
    EXPECT_EQ(Spawn({std::string(TESSALY_BINARY_DIR) + "/tessaly", "--send", "exit"}).code, 0);
    EXPECT_EQ(Finish(window).code, 0);
}

TEST_F(TwoRunsTest, AWindowThatWaitedTooLongSaysWhyItDoesNotStart) {
    if (!WindowBuilt())
        GTEST_SKIP() << "the window is not built";
    const Started run =
        StartWith({kSlowMouse}, Line("data", "mouse.state", {"dpi", "count", "3"}), "first");
    ASSERT_TRUE(Holding(run));
    const CliResult window = Finish(StartWindow({"TESSALY_LOCK_WAIT=1"}, "data", "mouse.state"));
    EXPECT_EQ(window.code, 1);
    EXPECT_THAT(window.err, HasSubstr("tessaly: not started: tessalyctl " + Pid(run) +
                                      " still uses the data folder"));
    EXPECT_THAT(window.out, Not(HasSubstr("running")));
    EXPECT_EQ(Finish(run).code, 0);
}

}  // namespace
}  // namespace tessaly::test
