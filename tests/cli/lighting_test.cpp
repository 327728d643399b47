// Light commands act on the lighting page's controls as the user would; the
// page stores the effect's row and task 8 sends it.

#include <gmock/gmock.h>

#include "cli_fixture.h"

namespace tessaly::test {
namespace {

using ::testing::HasSubstr;

TEST_F(CliTest, LightEffectAndColourStoreTheRowAndWriteTheMouse) {
    const CliResult list = Cli({"light", "list"});
    ASSERT_EQ(list.code, 0) << list.err;
    EXPECT_THAT(list.out, HasSubstr("Breathing"));

    // What the start-up read alone writes, to tell the effect's own write.
    ClearTrace();
    ASSERT_EQ(Cli({"status"}).code, 0);
    const size_t read_only = Writes().size();
    ClearTrace();
    ASSERT_EQ(Cli({"light", "effect", "2"}).code, 0);
    EXPECT_GT(Writes().size(), read_only);
    EXPECT_EQ(Query("SELECT mode FROM t_light_data WHERE profile = 1 AND status = 1"),
              std::vector<std::string>{"2"});

    const CliResult colour = Cli({"--json", "light", "colour", "#102030"});
    ASSERT_EQ(colour.code, 0) << colour.err;
    EXPECT_EQ(Query("SELECT color_value1 FROM t_light_data WHERE profile = 1 AND mode = 2"),
              std::vector<std::string>{std::to_string(0x302010)});
    EXPECT_THAT(colour.out, HasSubstr("\"colour\": \"#102030\""));

    const std::vector<std::string> before = AllTables();
    for (const std::vector<std::string>& refused :
         {std::vector<std::string>{"light", "effect", "99"},
          {"light", "colour", "blue"},
          {"light", "reset"}}) {
        EXPECT_EQ(Cli(refused).code, 2) << refused[1];
        EXPECT_EQ(AllTables(), before) << refused[1];
    }
}

TEST_F(CliTest, LangGivesThisRunsTextsWithoutStoringTheLanguage) {
    const CliResult chinese = Cli({"--lang", "2052", "light", "list"});
    ASSERT_EQ(chinese.code, 0) << chinese.err;
    EXPECT_THAT(chinese.out, HasSubstr("呼吸"));
    EXPECT_THAT(Cli({"light", "list"}).out, HasSubstr("Breathing"));

    const CliResult unknown = Cli({"--lang", "9999", "status"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_THAT(unknown.err, HasSubstr("language 9999 is not offered"));
}

}  // namespace
}  // namespace tessaly::test
