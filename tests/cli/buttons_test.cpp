// Button commands select the button in the page's list and click, so the
// page stores the row and sends the button table.

#include <gmock/gmock.h>

#include "cli_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::HasSubstr;

TEST_F(CliTest, ButtonDisableAndResetChangeTheKeyTableAsThePageDoes) {
    const CliResult list = Cli({"--json", "button", "list"});
    ASSERT_EQ(list.code, 0) << list.err;
    EXPECT_THAT(list.out, HasSubstr("\"button\": 3"));
    const std::vector<std::string> factory = Query("SELECT * FROM t_key_macro_data");

    ClearTrace();
    ASSERT_EQ(Cli({"status"}).code, 0);
    const size_t read_only = Writes().size();
    ClearTrace();
    const CliResult disabled = Cli({"button", "disable", "3"});
    ASSERT_EQ(disabled.code, 0) << disabled.err;
    EXPECT_NE(Query("SELECT * FROM t_key_macro_data"), factory);
    EXPECT_GT(Writes().size(), read_only);

    // The page asks before a reset.
    EXPECT_EQ(Cli({"button", "reset", "3"}).code, 2);
    ASSERT_EQ(Cli({"--yes", "button", "reset", "3"}).code, 0);
    EXPECT_EQ(Query("SELECT * FROM t_key_macro_data WHERE profile = 1"),
              Query("SELECT * FROM t_key_macro_data WHERE profile = 1 AND 0"));

    const std::vector<std::string> before = AllTables();
    const CliResult missing = Cli({"button", "disable", "99"});
    EXPECT_EQ(missing.code, 2);
    EXPECT_THAT(missing.err, HasSubstr("there is no button 99"));
    EXPECT_EQ(Cli({"button", "reset", "left"}).code, 2);
    EXPECT_EQ(AllTables(), before);
}

}  // namespace
}  // namespace tessaly::test
