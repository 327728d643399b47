// The hint for a mouse that is plugged in but cannot be opened: what the
// user is told for each state of the udev rule, and the tool printing it when
// the virtual mouse refuses to be opened as a hidraw node without the rule
// does.

#include "cli/device_access_hint.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controller/access_hint.h"
#include "support/temp_dir.h"

extern char** environ;

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using cli::DeviceAccessHint;
using test::TempDir;

const std::vector<UnopenedInterface> kDeniedReceiver = {
    {0x1A2B, 0x7002, "/dev/hidraw4", true, "Permission denied"}};

bool Holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string FileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(DeviceAccessHint, OnlyAccessDenialsGetAHint) {
    EXPECT_EQ(DeviceAccessHint({}, {}), "");
    EXPECT_EQ(DeviceAccessHint({{0x1A2B, 0x7002, "/dev/hidraw4", false, "Input/output error"}}, {}),
              "");
}

TEST(DeviceAccessHint, WithoutTheRuleSaysHowToInstallIt) {
    TempDir empty;
    const std::string hint = DeviceAccessHint(kDeniedReceiver, {empty.path().string()});
    EXPECT_TRUE(Holds(hint, "/dev/hidraw4 (1a2b:7002): Permission denied")) << hint;
    EXPECT_TRUE(Holds(hint, "70-tessaly.rules that grants access is not installed")) << hint;
    EXPECT_TRUE(Holds(hint, "sudo apt install ./tessaly_")) << hint;
    EXPECT_TRUE(Holds(hint, "sudo cp ")) << hint;
    EXPECT_TRUE(Holds(hint, " /etc/udev/rules.d/")) << hint;
    EXPECT_TRUE(Holds(hint, "sudo udevadm control --reload && sudo udevadm trigger")) << hint;
    EXPECT_TRUE(Holds(hint, "plug the mouse in again")) << hint;
}

TEST(DeviceAccessHint, AnInstalledRuleIsReloadedOrReplacedWhenItLacksTheMouse) {
    TempDir first, second;
    const std::vector<std::string> folders{first.path().string(), second.path().string()};
    // The rule as the build makes it, in the second folder udev reads.
    second.Write("70-tessaly.rules", FileText(TESSALY_UDEV_RULE));
    std::string hint = DeviceAccessHint(kDeniedReceiver, folders);
    EXPECT_TRUE(Holds(hint, (second.path() / "70-tessaly.rules").string() + " grants access"))
        << hint;
    EXPECT_TRUE(Holds(hint, "sudo udevadm control --reload && sudo udevadm trigger")) << hint;
    EXPECT_FALSE(Holds(hint, "sudo cp")) << hint;

    // A rule made from an older catalogue: the mouse's ids are not in it. The
    // folder udev prefers is the one whose rule counts.
    first.Write("70-tessaly.rules",
                "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"1a2b\", ATTRS{idProduct}==\"7001\", "
                "TAG+=\"uaccess\"\n");
    hint = DeviceAccessHint(kDeniedReceiver, folders);
    EXPECT_TRUE(
        Holds(hint, (first.path() / "70-tessaly.rules").string() + " does not list 1a2b:7002"))
        << hint;
}

// The home page's hint finds the rule the same way; an older rule is to be
// replaced, not reloaded.
TEST(DeviceAccessHint, TheWindowsHintTellsAnOlderRuleFromOneNotApplied) {
    TempDir folder;
    const std::vector<std::string> folders{folder.path().string()};
    EXPECT_EQ(WindowAccessHint({}, folders, "/shipped/70-tessaly.rules"), u"");
    const std::u16string copy = u"sudo cp /shipped/70-tessaly.rules /etc/udev/rules.d/";
    const std::u16string reload = u"sudo udevadm control --reload && sudo udevadm trigger";
    const auto holds = [](const std::u16string& text, const std::u16string& part) {
        return text.find(part) != std::u16string::npos;
    };

    std::u16string hint = WindowAccessHint(kDeniedReceiver, folders, "/shipped/70-tessaly.rules");
    EXPECT_TRUE(holds(hint, copy) && holds(hint, reload));

    folder.Write("70-tessaly.rules", FileText(TESSALY_UDEV_RULE));
    hint = WindowAccessHint(kDeniedReceiver, folders, "/shipped/70-tessaly.rules");
    EXPECT_FALSE(holds(hint, copy));
    EXPECT_TRUE(holds(hint, reload));

    folder.Write("70-tessaly.rules",
                 "SUBSYSTEM==\"hidraw\", ATTRS{idVendor}==\"1a2b\", ATTRS{idProduct}==\"7001\", "
                 "TAG+=\"uaccess\"\n");
    hint = WindowAccessHint(kDeniedReceiver, folders, "/shipped/70-tessaly.rules");
    EXPECT_TRUE(holds(hint, copy) && holds(hint, reload));
}

struct ToolResult {
    int code = -1;
    std::string out;
    std::string err;
};

// tessalyctl on the virtual mouse with fresh folders; `no_access` makes its
// nodes refuse to be opened.
ToolResult RunTool(const TempDir& dir, bool no_access, std::vector<std::string> arguments) {
    fs::create_directories(dir.path() / "run");
    fs::create_directories(dir.path() / "config");
    const std::string program = std::string(TESSALY_BINARY_DIR) + "/tessalyctl";
    std::vector<std::string> words{program, "--emulate", "both", "--data-dir",
                                   (dir.path() / "data").string() + "/"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<std::string> env{"XDG_RUNTIME_DIR=" + (dir.path() / "run").string(),
                                 "XDG_CONFIG_HOME=" + (dir.path() / "config").string(),
                                 "ASAN_OPTIONS=detect_leaks=0", "LC_ALL=C"};
    if (no_access)
        env.push_back("TESSALY_EMULATE_NO_ACCESS=1");
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (text.rfind("XDG_", 0) != 0 && text.rfind("ASAN_OPTIONS=", 0) != 0 &&
            text.rfind("TESSALY_", 0) != 0 && text.rfind("LC_ALL=", 0) != 0)
            env.push_back(text);
    }
    std::vector<char*> argv, envp;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    const std::string out_path = (dir.path() / "out.txt").string();
    const std::string err_path = (dir.path() / "err.txt").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    ToolResult result;
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    result.out = FileText(out_path);
    result.err = FileText(err_path);
    return result;
}

TEST(DevicesCommand, ExplainsAMouseItMayNotOpen) {
    TempDir dir;
    const ToolResult result = RunTool(dir, true, {"devices"});
    EXPECT_EQ(result.code, 0) << result.err;
    // Both links are present and neither could be opened.
    EXPECT_TRUE(Holds(result.out, "inaccessible")) << result.out;
    EXPECT_TRUE(Holds(result.out, "1a2b  7001")) << result.out;
    EXPECT_TRUE(Holds(result.out, "1a2b  7002")) << result.out;
    EXPECT_TRUE(Holds(result.err, "(1a2b:7001): Permission denied")) << result.err;
    EXPECT_TRUE(Holds(result.err, "(1a2b:7002): Permission denied")) << result.err;
    EXPECT_TRUE(Holds(result.err, "sudo udevadm control --reload && sudo udevadm trigger"))
        << result.err;

    bool installed = false;
    for (const std::string& folder : UdevRuleSearchFolders())
        installed = installed || fs::exists(fs::path(folder) / "70-tessaly.rules");
    if (!installed) {
        // The build tree's own rule is the one to copy.
        EXPECT_TRUE(Holds(result.err, "sudo cp " + fs::canonical(TESSALY_UDEV_RULE).string() +
                                          " /etc/udev/rules.d/"))
            << result.err;
    }

    const ToolResult json = RunTool(dir, true, {"--json", "devices"});
    EXPECT_EQ(json.code, 0) << json.err;
    EXPECT_TRUE(Holds(json.out, "\"connected\": []")) << json.out;
    EXPECT_TRUE(Holds(json.out, "\"pid\": \"7001\"")) << json.out;
    EXPECT_TRUE(Holds(json.out, "\"denied\": true")) << json.out;
    EXPECT_FALSE(Holds(json.out, "udevadm")) << "the hint stays out of the JSON";
}

TEST(DevicesCommand, SaysNothingOfAccessWhenTheMouseOpens) {
    TempDir dir;
    const ToolResult result = RunTool(dir, false, {"devices"});
    EXPECT_EQ(result.code, 0) << result.err;
    EXPECT_TRUE(Holds(result.out, "1007  Tessaly TX7 Wireless  cable     online")) << result.out;
    EXPECT_FALSE(Holds(result.out, "inaccessible")) << result.out;
    EXPECT_FALSE(Holds(result.err, "udev")) << result.err;
}

}  // namespace
}  // namespace tessaly
