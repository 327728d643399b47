// The real tessalyctl on the mocked kernel, without --emulate: the helper
// program holds the testbed with the virtual mouse that --emulate mimics and
// runs the tool as its child. Output and HID reports must be those of the
// same command with --emulate (paths and times aside).

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace tessaly::test {
namespace {

struct ToolRun {
    int code = -1;
    std::string out;
    std::string err;
    std::vector<std::string> reports;  // "W <hex>" / "R <hex>" in the order traced
};

std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Interface paths differ: the virtual mouse's names and hidraw nodes.
std::string WithoutPaths(const std::string& text) {
    static const std::regex path(R"((virtual:[A-Za-z0-9:]+|/dev/hidraw[0-9]+))");
    return std::regex_replace(text, path, "<path>");
}

class EndToEnd : public ::testing::Test {
  protected:
    // Runs `words` with fresh folders of its own under `name`.
    ToolRun Start(const std::string& name, std::vector<std::string> words) {
        const auto home = dir.path() / name;
        for (const char* sub : {"run", "config", "data"})
            std::filesystem::create_directories(home / sub);
        // Another uid may run the tool here (the permission case).
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
            ::chmod(entry.path().c_str(), 0777);
        ::chmod(dir.path().c_str(), 0777);
        std::vector<std::string> env{"XDG_RUNTIME_DIR=" + (home / "run").string(),
                                     "XDG_CONFIG_HOME=" + (home / "config").string(),
                                     "ASAN_OPTIONS=detect_leaks=0"};
        for (char** entry = environ; *entry; ++entry) {
            const std::string text = *entry;
            if (text.rfind("XDG_", 0) != 0 && text.rfind("ASAN_OPTIONS=", 0) != 0 &&
                text.rfind("TESSALY_", 0) != 0 && text.rfind("LD_PRELOAD=", 0) != 0 &&
                text.rfind("UMOCKDEV_", 0) != 0)
                env.push_back(text);
        }
        ToolRun run;
        const pid_t pid = fork();
        if (pid == 0) {
            const int out = ::open((home / "out.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
            const int err = ::open((home / "err.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
            dup2(out, 1);
            dup2(err, 2);
            std::vector<char*> argv;
            for (auto& word : words)
                argv.push_back(word.data());
            argv.push_back(nullptr);
            std::vector<char*> envp;
            for (auto& entry : env)
                envp.push_back(entry.data());
            envp.push_back(nullptr);
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.out = FileText(home / "out.txt");
        run.err = FileText(home / "err.txt");
        std::istringstream trace(FileText(home / "hid.txt"));
        for (std::string line; std::getline(trace, line);) {
            std::istringstream fields(line);
            std::string time, kind, path, hex;
            fields >> time >> kind >> path >> hex;
            if (kind == "W" || kind == "R")
                run.reports.push_back(kind + " " + hex);
        }
        return run;
    }
    std::vector<std::string> ToolWords(const std::string& name) {
        const auto home = dir.path() / name;
        return {Tool(), "--data-dir", (home / "data").string() + "/", "--hid-trace",
                (home / "hid.txt").string()};
    }
    ToolRun Emulated(std::vector<std::string> command) {
        auto words = ToolWords("emulated");
        words.insert(words.begin() + 1, "--emulate");
        words.insert(words.end(), command.begin(), command.end());
        return Start("emulated", words);
    }
    // `before` goes between the helper's "--" and the tool.
    ToolRun Mocked(std::vector<std::string> command, std::vector<std::string> helper_options = {},
                   std::vector<std::string> before = {}) {
        std::vector<std::string> words{std::string(TESSALY_BINARY_DIR) + "/mocked_kernel_run"};
        words.insert(words.end(), helper_options.begin(), helper_options.end());
        words.push_back("--");
        words.insert(words.end(), before.begin(), before.end());
        auto tool = ToolWords("mocked");
        words.insert(words.end(), tool.begin(), tool.end());
        words.insert(words.end(), command.begin(), command.end());
        return Start("mocked", words);
    }
    static std::string Tool() { return std::string(TESSALY_BINARY_DIR) + "/tessalyctl"; }
    TempDir dir;
};

void ExpectSameRun(const ToolRun& emulated, const ToolRun& mocked) {
    EXPECT_EQ(mocked.code, emulated.code) << mocked.err;
    EXPECT_EQ(mocked.code, 0) << mocked.err;
    EXPECT_EQ(WithoutPaths(mocked.out), WithoutPaths(emulated.out));
    EXPECT_FALSE(emulated.reports.empty());
    EXPECT_EQ(mocked.reports, emulated.reports);
}

TEST_F(EndToEnd, DevicesIsTheSameOnHidrawAsEmulated) {
    ExpectSameRun(Emulated({"devices"}), Mocked({"devices"}));
}

TEST_F(EndToEnd, StatusIsTheSameOnHidrawAsEmulated) {
    const ToolRun emulated = Emulated({"status"});
    const ToolRun mocked = Mocked({"status"});
    ExpectSameRun(emulated, mocked);
    // The cable's release, the receiver's release and its answer to 0x20 agree.
    EXPECT_NE(mocked.out.find("device_version    1.05\n"), std::string::npos) << mocked.out;
    EXPECT_NE(mocked.out.find("receiver_version  1.05\n"), std::string::npos) << mocked.out;
}

TEST_F(EndToEnd, DpiSetSendsTheSameReportsOnHidrawAsEmulated) {
    ExpectSameRun(Emulated({"dpi", "set", "1", "1600"}), Mocked({"dpi", "set", "1", "1600"}));
}

TEST_F(EndToEnd, ANodeTheUserMayNotOpenIsListedWithTheAccessHint) {
    std::vector<std::string> as_user;
    if (getuid() == 0)
        as_user = {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"};
    const ToolRun run = Mocked({"devices"}, {"--config-node-mode", "0"}, as_user);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.out.find("/dev/hidraw2"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Permission denied"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace tessaly::test
