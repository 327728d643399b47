// The command table is the one source of the command list: the help, the
// manual page, docs/cli.md and both shell completions name every command,
// and the bash completion completes them.

#include <gmock/gmock.h>

#include "cli_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class CommandListTest : public CliTest {
  protected:
    // The table's names, from the generator the build runs.
    std::vector<std::string> Names() {
        const CliResult list =
            Spawn({std::string(TESSALY_BINARY_DIR) + "/tessalyctl_forms", "list"});
        EXPECT_EQ(list.code, 0);
        std::vector<std::string> names;
        std::istringstream lines(list.out);
        for (std::string line; std::getline(lines, line);)
            names.push_back(line.substr(0, line.find('\t')));
        return names;
    }
    // What bash completes for the words typed so far (the last one partial).
    std::string BashCompletes(const std::string& typed) {
        const std::string script =
            "source " + std::string(TESSALY_BINARY_DIR) +
            "/completions/tessalyctl; COMP_WORDS=(tessalyctl " + typed +
            "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _tessalyctl; echo \"${COMPREPLY[*]}\"";
        return Spawn({"/bin/bash", "-c", script}).out;
    }
};

TEST_F(CommandListTest, EveryCommandIsInEachList) {
    const std::vector<std::string> names = Names();
    ASSERT_GT(names.size(), 40u);
    const std::string help = Raw({"--help"}).out;
    std::string manual = ReadWhole(std::filesystem::path(TESSALY_BINARY_DIR) / "man/tessalyctl.1");
    for (size_t at = manual.find("\\-"); at != std::string::npos; at = manual.find("\\-", at))
        manual.erase(at, 1);
    const std::string docs = ReadWhole(std::filesystem::path(TESSALY_SOURCE_DIR) / "docs/cli.md");
    const std::string bash =
        ReadWhole(std::filesystem::path(TESSALY_BINARY_DIR) / "completions/tessalyctl");
    const std::string zsh =
        ReadWhole(std::filesystem::path(TESSALY_BINARY_DIR) / "completions/_tessalyctl");
    for (const std::string& name : names) {
        EXPECT_THAT(help, HasSubstr("  " + name)) << name;
        EXPECT_THAT(manual, HasSubstr(".B " + name)) << name;
        EXPECT_THAT(docs, HasSubstr("| `" + name)) << name;
        const size_t blank = name.find(' ');
        const std::string first = name.substr(0, blank);
        if (blank == std::string::npos) {
            EXPECT_THAT(bash, HasSubstr(" " + first + " ")) << name;
            EXPECT_THAT(zsh, HasSubstr("'" + first + ":")) << name;
        } else {
            const std::string second = name.substr(blank + 1);
            EXPECT_THAT(bash, HasSubstr(first + ") COMPREPLY")) << name;
            EXPECT_THAT(zsh, HasSubstr("'" + second + ":")) << name;
        }
    }
    for (const char* option : {"--emulate-model", "--config-dir", "--version"}) {
        EXPECT_THAT(manual, HasSubstr(option));
        EXPECT_THAT(help, HasSubstr(option));
    }
    EXPECT_THAT(manual, Not(HasSubstr("The update checks never run")));
}

// docs/cli.md keeps its command table in the source tree; it must be the
// one the command table gives (`ninja cli_docs` rewrites it).
TEST_F(CommandListTest, DocsCommandTableIsTheGeneratedOne) {
    const std::filesystem::path docs = std::filesystem::path(TESSALY_SOURCE_DIR) / "docs/cli.md";
    const std::string forms = std::string(TESSALY_BINARY_DIR) + "/tessalyctl_forms";
    const CliResult generated = Spawn({forms, "markdown", docs.string()});
    ASSERT_EQ(generated.code, 0) << generated.err;
    EXPECT_EQ(generated.out, ReadWhole(docs))
        << "docs/cli.md's command table is not the generated one: run ninja cli_docs";

    // A document without the markers is refused rather than printed unchanged.
    const std::filesystem::path plain = dir.path() / "plain.md";
    std::ofstream(plain) << "# no table here\n";
    const CliResult refused = Spawn({forms, "markdown", plain.string()});
    EXPECT_EQ(refused.code, 1);
    EXPECT_THAT(refused.err, HasSubstr("no command table markers"));
}

TEST_F(CommandListTest, BashCompletesGroupsCommandsAndOptions) {
    EXPECT_EQ(BashCompletes("dpi ''"), "count select set colour reset\n");
    EXPECT_EQ(BashCompletes("--json --data-dir /tmp/x fa"), "factory-reset\n");
    EXPECT_EQ(BashCompletes("--emulate receiver light b"), "brightness\n");
    EXPECT_THAT(BashCompletes("--conf"), HasSubstr("--config-dir"));
    // A command's own arguments are not commands.
    EXPECT_EQ(BashCompletes("dpi set ''").find("count"), std::string::npos);
}

}  // namespace
}  // namespace tessaly::test
