// What decides whether the running window takes a run, and the request that
// carries it there.

#include "cli/window_forwarding.h"

#include <gmock/gmock.h>

namespace tessaly::cli {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

CliArguments Parsed(std::vector<std::string> words) {
    return ParseCliArguments(words);
}

TEST(WindowForwarding, TheRequestCarriesTheCommandAsTheToolParsedIt) {
    // Words a line-based request would break: blanks, a newline, a negative
    // number, a word that looks like an option after "--".
    const CliArguments options = Parsed(
        {"--json", "-y", "--profile", "2", "macro", "rename", "1", "Jump high\nnow", "--", "-5"});
    ASSERT_TRUE(options.error.empty()) << options.error;
    const std::optional<ForwardedCommand> request =
        ParseCommandRequest(CommandRequest(options, "/home/user/scripts"));
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->folder, "/home/user/scripts");
    const CliArguments again = ParseCliArguments(request->arguments);
    EXPECT_TRUE(again.error.empty()) << again.error;
    EXPECT_EQ(again.words, options.words);
    EXPECT_TRUE(again.json);
    EXPECT_TRUE(again.yes);
    EXPECT_EQ(again.profile, std::optional<int>(2));

    EXPECT_FALSE(ParseCommandRequest("describe").has_value());
    EXPECT_FALSE(ParseCommandRequest(std::string("run\0relative/folder\0status", 26)).has_value());
    EXPECT_TRUE(IsDescribeRequest(DescribeRequest()));
}

TEST(WindowForwarding, AnIdentitySurvivesItsTextAndDifferencesNameTheOption) {
    const RunIdentity window{
        {"data", "/d/one"}, {"mouse", "the virtual mouse of /s/m.state"}, {"language", "1033"}};
    EXPECT_EQ(IdentityFromText(IdentityText(window)), window);

    RunIdentity run = window;
    run.erase("language");  // no --lang: whatever the window speaks
    EXPECT_EQ(IdentityDifferences(run, window), "");

    run["data"] = "/d/two";
    run["language"] = "1031";
    const std::string differences = IdentityDifferences(run, window);
    EXPECT_THAT(differences, HasSubstr("--data-dir: the window has /d/one, this run /d/two"));
    EXPECT_THAT(differences, HasSubstr("--lang: the window has 1033, this run 1031"));
    EXPECT_THAT(differences, Not(HasSubstr("--emulate")));

    // An entry the window does not tell is a difference, never a match.
    run = window;
    run["models"] = "1007";
    EXPECT_THAT(IdentityDifferences(run, window), HasSubstr("the window has none"));
}

}  // namespace
}  // namespace tessaly::cli
